#include "app/CManualWindow.h"

#include "ui_CManualWindow.h"

#include "app/StationColours.h"
#include "settings/SettingsKeys.h"
#include "settings/WindowPlacement.h"

#include <QSettings>
#include <QTextDocument>

namespace {

const QRect kDefaultGeometry(100, 100, 700, 800);

} // namespace

CManualWindow::CManualWindow(QWidget *parent, const QUrl &source)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CManualWindow>())
{
    m_ui->setupUi(this);
    // A title bar only: no system menu, minimize, maximize or close button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // Open or not, it must not keep the station running once the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);

    connect(m_ui->m_pHideButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_ui->m_pFindEdit, &QLineEdit::textChanged, this, &CManualWindow::OnFindEdit);

    // Links readable on the dark field of the style sheet.
    m_ui->m_pTextBrowser->document()->setDefaultStyleSheet(
        QStringLiteral("a { color: %1; }").arg(StationColours::Link.css()));
    // A missing page leaves the browser empty.
    m_ui->m_pTextBrowser->setSource(source);
    m_ui->m_pTextBrowser->setFocus();

    // Fitted to the screen: the default is taller than a small one.
    WindowPlacement::placeClient(
        this, QSettings().value(SettingsKeys::ManualGeometry, kDefaultGeometry).toRect(),
        kDefaultGeometry);
}

CManualWindow::~CManualWindow()
{
    QSettings().setValue(SettingsKeys::ManualGeometry, geometry());
}

void CManualWindow::OnFindEdit(const QString &strText)
{
    if (strText.isEmpty()) {
        m_ui->m_pFindEdit->setStyleSheet(QStringLiteral("QLineEdit { background: white }"));
        return;
    }
    // On from the end of the last match, never round from the top: a longer
    // word may turn red although it occurs before the cursor.
    const bool found = m_ui->m_pTextBrowser->find(strText);
    m_ui->m_pFindEdit->setStyleSheet(
        found ? QStringLiteral("QLineEdit { background: rgb(127, 255, 127) }")
              : QStringLiteral("QLineEdit { background: rgb(255, 127, 127) }"));
}

void CManualWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
