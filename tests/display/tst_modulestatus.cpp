// Texts and decisions of the module window, without a window.

#include "Fixtures.h"
#include "TestSettings.h"
#include "display/ModuleStatus.h"

#include <QTest>

class TestModuleStatus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    // The first applicable flag wins; a quality above 100 is not shown.
    void statusText()
    {
        const auto text = [](int state, int quality) {
            return ModuleStatus::statusText(state, quality);
        };
        QCOMPARE(
            QStringList({ text(0, 50), text(0x41, 50), text(0x11, 50), text(0x21, 50),
                          text(0x2E, 50), text(0x2C, 50), text(0x28, 50), text(0x20, 101),
                          text(0x20, 100) }),
            QStringList({ "", "WRONG CONFIGURATION!!!", "SPECTRUM CHANGED!!!", "NO JAMMER!!! ",
                          "BAD SUPPRESSION!!!", "SUPPRESSION CHANGED!!!", "SUPPRESSION CHANGED !!!",
                          "SUPPRESSION OK", "SUPPRESSION OK = 100%" }));
    }

    // Restarts after 17 '>' the first time, every 18 records from then on.
    void linkIndicatorCycle()
    {
        ModuleStatus::LinkIndicator link;
        QStringList seen;
        for (int i = 1; i <= 37; ++i) {
            ModuleStatus::advanceLink(link, true);
            if (i == 17 || i == 18 || i == 35 || i == 36)
                seen << link.text;
        }
        QCOMPARE(seen, QStringList({ ' ' + QString(17, '>'), ">", QString(18, '>'), ">" }));
        ModuleStatus::advanceLink(link, false); // off: a space, the count survives
        QCOMPARE(link.text + QString::number(link.count), QStringLiteral(" 1"));
    }

    // The alarm needs 0x20 missing in any channel; other bits do not count.
    void alarmAndSound()
    {
        const auto alarm = [](int s0, int s1, int s2) {
            return ModuleStatus::isAlarm(Fixtures::status(1, s0, s1, s2));
        };
        QCOMPARE(
            QList<bool>({ alarm(0x21, 0x60, 0x3F), alarm(0x20, 0x20, 0), alarm(0x01, 0x20, 0x20) }),
            QList<bool>({ false, true, true }));
        // Without a file a beep stands in.
        using S = ModuleStatus::AlarmSound;
        QCOMPARE(ModuleStatus::alarmSound(false, 1, "/tmp/x.wav"), S::None);
        QCOMPARE(ModuleStatus::alarmSound(true, 1, QString()), S::Beep);
        QCOMPARE(ModuleStatus::alarmSound(true, 2, "/tmp/x.wav"), S::File);
    }

    void alarmBar()
    {
        QCOMPARE(ModuleStatus::alarmBar(240, 153, 0, true, true).rect, QRect(8, 115, 226, 30));
        const auto drawn = [](int mode, bool alarm, bool blink) {
            return ModuleStatus::alarmBar(240, 153, mode, alarm, blink).drawn;
        };
        // Blinking follows the phase, steady ignores it, mode 2 never draws.
        QCOMPARE(QList<bool>({ drawn(0, true, true), drawn(0, true, false), drawn(1, true, false),
                               drawn(1, false, true), drawn(2, true, true) }),
                 QList<bool>({ true, false, true, false, false }));
    }
};

QTEST_GUILESS_MAIN(TestModuleStatus)
#include "tst_modulestatus.moc"
