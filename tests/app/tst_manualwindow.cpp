// The manual window: its frame, "Hide", find-as-you-type with its green and
// red field, and the geometry kept under "Manual/Geometry".

#include "TestSettings.h"
#include "app/CManualWindow.h"
#include "settings/SettingsKeys.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>

namespace {

const QString kWhite = "QLineEdit { background: white }";
const QString kGreen = "QLineEdit { background: rgb(127, 255, 127) }";
const QString kRed = "QLineEdit { background: rgb(255, 127, 127) }";

QLineEdit *findEdit(CManualWindow &w)
{
    return w.findChild<QLineEdit *>("m_pFindEdit");
}

QTextBrowser *browser(CManualWindow &w)
{
    return w.findChild<QTextBrowser *>("m_pTextBrowser");
}

} // namespace

class TestManualWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QUrl m_page;

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        QVERIFY(m_dir.isValid());
        QFile page(m_dir.filePath("manual.htm"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><head><meta charset=\"utf-8\"><title>T</title></head><body>"
                   "<p>Alarm bar, then an abacus.</p><p>Тревога: модуль.</p></body></html>");
        page.close();
        m_page = QUrl::fromLocalFile(page.fileName());
    }
    void init() { TestSettings::clear(); }

    void frameHasATitleBarOnly()
    {
        CManualWindow w(nullptr, m_page);
        QCOMPARE(w.windowTitle(), QString("Manual"));
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(flags & Qt::WindowTitleHint);
        for (Qt::WindowType hint : { Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                     Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint })
            QVERIFY(!(flags & hint));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.findChild<QPushButton *>("m_pHideButton"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void showsThePage()
    {
        CManualWindow w(nullptr, m_page);
        QVERIFY(browser(w)->toPlainText().contains("Тревога: модуль."));
        // A missing page leaves the browser empty, without a message.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No document for"));
        CManualWindow missing(nullptr, QUrl::fromLocalFile(m_dir.filePath("none.htm")));
        QVERIFY(browser(missing)->toPlainText().isEmpty());
    }

    // Each keystroke searches on from the last match: "a" finds the "a" of
    // "Alarm", "ab" then starts after it and only finds "abacus".
    void findGoesOnFromTheLastMatch()
    {
        CManualWindow w(nullptr, m_page);
        QLineEdit *edit = findEdit(w);
        QTest::keyClicks(edit, "a");
        QCOMPARE(edit->styleSheet(), kGreen);
        QCOMPARE(browser(w)->textCursor().selectionStart(), 0);
        QTest::keyClicks(edit, "b");
        QCOMPARE(edit->styleSheet(), kGreen);
        QCOMPARE(browser(w)->textCursor().selectedText(), QString("ab"));
        QCOMPARE(browser(w)->textCursor().selectionStart(), 19);
        // Not found onwards, though "Alarm" lies before: red, never from the top.
        edit->setText("alarm");
        QCOMPARE(edit->styleSheet(), kRed);
        edit->setText("МОДУЛЬ");
        QCOMPARE(edit->styleSheet(), kGreen);
        QCOMPARE(browser(w)->textCursor().selectedText(), QString("модуль"));
    }

    void clearingTurnsWhiteAndKeepsTheSelection()
    {
        CManualWindow w(nullptr, m_page);
        findEdit(w)->setText("then");
        findEdit(w)->clear();
        QCOMPARE(findEdit(w)->styleSheet(), kWhite);
        QCOMPARE(browser(w)->textCursor().selectedText(), QString("then"));
    }

    void geometryIsKept()
    {
        {
            CManualWindow w(nullptr, m_page);
            w.setGeometry(40, 50, 600, 500);
        }
        QCOMPARE(QSettings().value(SettingsKeys::ManualGeometry).toRect(), QRect(40, 50, 600, 500));
        CManualWindow again(nullptr, m_page);
        QCOMPARE(again.geometry(), QRect(40, 50, 600, 500));
    }
};

QTEST_MAIN(TestManualWindow)
#include "tst_manualwindow.moc"
