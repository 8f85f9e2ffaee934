// The manual window: its frame, "Hide", find-as-you-type with its green and
// red field, and the geometry kept under "Manual/Geometry".

#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CManualWindow.h"
#include "settings/SettingsKeys.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>

class TestManualWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QUrl m_page;

private slots:
    void initTestCase()
    {
        QFile page(m_dir.filePath("manual.htm"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><head><meta charset=\"utf-8\"><title>T</title></head><body>"
                   "<p>Alarm bar, then an abacus.</p><p>Тревога: модуль.</p></body></html>");
        page.close();
        m_page = QUrl::fromLocalFile(page.fileName());
    }

    // "Hide" hides; the geometry is kept.
    void hideAndGeometry()
    {
        {
            CManualWindow w(nullptr, m_page);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            CHILD(QPushButton, hide, &w, "m_pHideButton");
            QTest::mouseClick(hide, Qt::LeftButton);
            QVERIFY(!w.isVisible());
            w.setGeometry(40, 50, 600, 500);
        }
        QCOMPARE(QSettings().value(SettingsKeys::ManualGeometry).toRect(), QRect(40, 50, 600, 500));
        CManualWindow again(nullptr, m_page);
        QCOMPARE(again.geometry(), QRect(40, 50, 600, 500));
    }

    // Each keystroke searches on from the last match: "a" finds the "a" of
    // "Alarm", "ab" then starts after it and only finds "abacus".
    void findGoesOnFromTheLastMatch()
    {
        const QString green = "QLineEdit { background: rgb(127, 255, 127) }";
        CManualWindow w(nullptr, m_page);
        CHILD(QLineEdit, edit, &w, "m_pFindEdit");
        CHILD(QTextBrowser, browser, &w, "m_pTextBrowser");
        QTest::keyClicks(edit, "a");
        QCOMPARE(edit->styleSheet(), green);
        QCOMPARE(browser->textCursor().selectionStart(), 0);
        QTest::keyClicks(edit, "b");
        QCOMPARE(edit->styleSheet(), green);
        QCOMPARE(browser->textCursor().selectedText(), QString("ab"));
        QCOMPARE(browser->textCursor().selectionStart(), 19);
        // Not found onwards, though "Alarm" lies before: red, never from the top.
        edit->setText("alarm");
        QCOMPARE(edit->styleSheet(), QString("QLineEdit { background: rgb(255, 127, 127) }"));
        edit->setText("МОДУЛЬ");
        QCOMPARE(edit->styleSheet(), green);
        QCOMPARE(browser->textCursor().selectedText(), QString("модуль"));
        // Cleared: white, the selection kept.
        edit->clear();
        QCOMPARE(edit->styleSheet(), QString("QLineEdit { background: white }"));
        QCOMPARE(browser->textCursor().selectedText(), QString("модуль"));
    }
};

QTEST_MAIN(TestManualWindow)
#include "tst_manualwindow.moc"
