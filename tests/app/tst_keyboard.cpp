// The station from the keyboard: a mnemonic on every menu and entry in both
// languages, and the standard keys reaching their actions.

#include "TestSettings.h"
#include "app/CLanguageSwitcher.h"
#include "app/CMainWindow.h"
#include "app/CManualWindow.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

// The mnemonic of a text: the character after a single '&', or none.
QChar mnemonic(const QString &text)
{
    QChar found;
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        if (!found.isNull())
            return QChar('?'); // two of them
        found = text[i + 1].toLower();
    }
    return found;
}

// "menu: problem" for every entry of one menu without a mnemonic of its own.
QStringList mnemonicFaults(const QString &menu, const QList<QAction *> &actions)
{
    QStringList faults;
    QString seen;
    for (const QAction *a : actions) {
        if (!a->isVisible() || a->isSeparator())
            continue;
        const QChar m = mnemonic(a->text());
        if (m.isNull() || m == '?' || seen.contains(m))
            faults << menu + ": " + a->text();
        seen += m;
    }
    return faults;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::freshStation(); }
    void cleanup() { CLanguageSwitcher::instance().SetLanguage(QStringLiteral("en_US")); }

    void everyMenuEntryHasItsOwnMnemonic_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "en_US";
        QTest::newRow("Russian") << "ru_RU";
    }

    void everyMenuEntryHasItsOwnMnemonic()
    {
        QFETCH(QString, language);
        CMainWindow w(0, false, Edition::full());
        CLanguageSwitcher::instance().SetLanguage(language);
        QCoreApplication::processEvents();
        QStringList faults = mnemonicFaults("menu bar", w.menuBar()->actions());
        for (QAction *title : w.menuBar()->actions())
            faults << mnemonicFaults(title->text(), title->menu()->actions());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    void standardKeysReachTheirActions()
    {
        CMainWindow w(0, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_V, Qt::AltModifier);
        QMenu *view = w.menuBar()->actions().constFirst()->menu();
        QTRY_VERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Escape);
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(!view->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&w));

        QTest::keyClick(&w, Qt::Key_F1);
        QVERIFY(w.manualWindow()->isVisible());
        w.manualWindow()->hide();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
