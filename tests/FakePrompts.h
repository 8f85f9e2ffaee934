#pragma once
// Stands in for every message box, question and file dialog while it lives:
// records what would have been shown and answers from what the test set.

#include "net/Prompts.h"

#include <QStringList>

class FakePrompts : public Prompts
{
public:
    FakePrompts() { Prompts::setCurrent(this); }
    ~FakePrompts() override { Prompts::setCurrent(nullptr); }

    // "title: text" per message box, "?title: text" per question, "<caption" per
    // open and ">caption" per save dialog.
    QStringList shown;
    QList<QMessageBox::Icon> icons; // one per message box
    bool answer = true;             // to every question
    QString fileName;               // from every file dialog
    QString selectedFilter;         // the filter a save dialog reports as chosen, when set

    void message(QWidget *, QMessageBox::Icon icon, const QString &title,
                 const QString &text) override
    {
        icons << icon;
        shown << title + QStringLiteral(": ") + text;
    }
    bool question(QWidget *, const QString &title, const QString &text) override
    {
        shown << QStringLiteral("?") + title + QStringLiteral(": ") + text;
        return answer;
    }
    QString openFileName(QWidget *, const QString &caption, const QString &,
                         const QString &) override
    {
        shown << QStringLiteral("<") + caption;
        return fileName;
    }
    QString saveFileName(QWidget *, const QString &caption, const QString &, const QString &,
                         QString *filter) override
    {
        shown << QStringLiteral(">") + caption;
        if (filter && !selectedFilter.isEmpty())
            *filter = selectedFilter;
        return fileName;
    }
};
