#include "net/Prompts.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QSpacerItem>

namespace {
Prompts s_default;
Prompts *s_current = &s_default;
} // namespace

Prompts::~Prompts() = default;

void Prompts::message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                      const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    // A box is only as wide as its text; a longer title would be cut in the
    // title bar. Room for the title and the frame's buttons keeps it whole.
    const int width = box.fontMetrics().horizontalAdvance(title) + 160;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

bool Prompts::question(QWidget *parent, const QString &title, const QString &text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

QString Prompts::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                              const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString Prompts::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                              const QString &filter, QString *selectedFilter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, selectedFilter);
}

Prompts &Prompts::current()
{
    return *s_current;
}

void Prompts::setCurrent(Prompts *prompts)
{
    s_current = prompts ? prompts : &s_default;
}
