// The module window driven through its slots: title and rename, link
// indicator, status line, alarm and its sound, alarm bar, silence watch.

#include "TestSettings.h"
#include "display/CModuleWindow.h"
#include "display/CQLevelBar.h"
#include "net/CMasterDevice.h"
#include "net/SettingsBlock.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// Replaces the dialog and the loudspeaker with recorders.
class TestWindow : public CModuleWindow
{
public:
    using CModuleWindow::CModuleWindow;

    QString answer;
    QStringList proposals;
    QList<QPair<ModuleStatus::AlarmSound, QString>> sounds;

protected:
    QString askName(const QString &proposal) override
    {
        proposals.append(proposal);
        return answer;
    }
    void playAlarm(ModuleStatus::AlarmSound sound, const QString &file) override
    {
        sounds.append({ sound, file });
    }
};

DATA record(quint8 module, qint32 s0 = 0x20, qint32 s1 = 0x20, qint32 s2 = 0x20)
{
    DATA d;
    d.nID = module;
    d.nFormat = 4;
    d.nRSSI = 31;
    d.nLinkSeq = 9;
    d.channel[0].nState = s0;
    d.channel[1].nState = s1;
    d.channel[2].nState = s2;
    d.channel[0].cntDis = 3;
    return d;
}

QString labelText(const QWidget &w, const char *name)
{
    const QLabel *l = w.findChild<QLabel *>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

} // namespace

class TestModuleWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init()
    {
        TestSettings::clear();
        StationGlobals::reset();
    }

    void construction()
    {
        CMasterDevice device;
        TestWindow w(7, &device);
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 7 7"));
        QCOMPARE(w.moduleNumber(), quint8(7));
        QVERIFY(device.hasRecord(7));
        QVERIFY(!w.IsCorrect());
        QVERIFY(!w.IsAlarm());
        QVERIFY(w.isTicking());
        QCOMPARE(labelText(w, "m_pModeLabel"), QString());
        const QList<CQLevelBar *> bars = w.findChildren<CQLevelBar *>();
        QCOMPARE(bars.size(), 3);
        for (const CQLevelBar *bar : bars) {
            QVERIFY(bar->isHidden());
            QCOMPARE(bar->minimum(), -95);
            QCOMPARE(bar->maximum(), -5);
            QCOMPARE(bar->value(), -80);
            QCOMPARE(bar->threshold(), -1);
        }
        QPushButton *settings = w.findChild<QPushButton *>(QStringLiteral("m_pSettingsButton"));
        QVERIFY(settings);
        QVERIFY(settings->isHidden());
        QWidget *panel = w.findChild<QWidget *>(QStringLiteral("m_pModuleWidget"));
        QVERIFY(panel);
        QCOMPARE(panel->styleSheet(), QStringLiteral("QWidget {background: gray; color: white}"));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void renameAndTitle()
    {
        CMasterDevice device;
        TestWindow w(5, &device);
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 5"));

        w.answer = QStringLiteral("North gate");
        w.OnRenameAction();
        QCOMPARE(w.proposals, QStringList{ QStringLiteral("5") });
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 North gate"));
        QCOMPARE(QSettings().value(QStringLiteral("5")).toString(), QStringLiteral("North gate"));

        // Cancelled or empty: nothing changes; the proposal is still the number.
        w.answer.clear();
        w.OnRenameAction();
        QCOMPARE(w.proposals.last(), QStringLiteral("5"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 North gate"));
        QCOMPARE(QSettings().value(QStringLiteral("5")).toString(), QStringLiteral("North gate"));

        // Every record reads the name anew.
        QSettings().setValue(SettingsKeys::moduleName(5), QStringLiteral("South"));
        w.DisplayData(record(5));
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 South"));

        // A new window of the module picks the stored name up.
        TestWindow again(5, &device);
        QCOMPARE(again.windowTitle(), QStringLiteral("Module 5 South"));
    }

    void renameFromContextMenu()
    {
        CMasterDevice device;
        TestWindow w(3, &device);
        w.answer = QStringLiteral("Hall");
        QString entry;
        QTimer::singleShot(0, this, [&entry] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            const QList<QAction *> actions = menu->actions();
            if (actions.size() == 1) {
                entry = actions.first()->text();
                actions.first()->trigger();
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), QPoint(10, 10));
        QApplication::sendEvent(&w, &event);
        QCOMPARE(entry, QStringLiteral("Rename..."));
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 3 Hall"));
    }

    void linkIndicator()
    {
        CMasterDevice device;
        TestWindow w(2, &device);
        device.record(2).settings[SettingsBlock::LinkSeqEcho] = 0x77;
        DATA d = record(2);
        d.nLinkSeq = 5;
        w.DisplayData(d); // absent option reads as off: byte 48 untouched
        QCOMPARE(labelText(w, "m_pModeLabel"), QStringLiteral(" "));
        QCOMPARE(device.record(2).settings[SettingsBlock::LinkSeqEcho], quint8(0x77));

        QSettings().setValue(SettingsKeys::LinkIndication, true);
        for (int i = 1; i <= 17; ++i) {
            d.nLinkSeq = quint8(i);
            w.DisplayData(d);
            QCOMPARE(device.record(2).settings[SettingsBlock::LinkSeqEcho], quint8(i));
        }
        QCOMPARE(labelText(w, "m_pModeLabel"), QLatin1Char(' ') + QString(17, QLatin1Char('>')));
        w.DisplayData(d);
        QCOMPARE(labelText(w, "m_pModeLabel"), QStringLiteral(">"));
    }

    void statusAlarmAndCorrect()
    {
        // 0x20 in channels 0 and 1 only: the status reads OK while the alarm is on.
        QSettings().setValue(SettingsKeys::AudioAlarm, true);
        StationGlobals::suppressionQuality = 150;
        CMasterDevice device;
        TestWindow w(1, &device);
        w.DisplayData(record(1, 0x20, 0x20, 0));
        QCOMPARE(labelText(w, "m_pLabel1"), QStringLiteral("SUPPRESSION OK"));
        QCOMPARE(labelText(w, "m_pModeLabel2"), QStringLiteral("62%3-0"));
        QVERIFY(w.IsAlarm());
        QVERIFY(w.IsCorrect());
        QCOMPARE(w.sounds.size(), 1);

        DATA d = record(1);
        d.nFormat = 0;
        w.DisplayData(d);
        QVERIFY(!w.IsAlarm());
        QVERIFY(!w.IsCorrect());
        QCOMPARE(w.sounds.size(), 1);
    }

    void alarmSoundChoice()
    {
        using S = ModuleStatus::AlarmSound;
        CMasterDevice device;
        TestWindow w(1, &device);
        QSettings s;
        const DATA alarm = record(1, 0x20, 0x20, 0);

        w.DisplayData(alarm); // audible alarm off by default
        QVERIFY(w.sounds.isEmpty());

        s.setValue(SettingsKeys::AudioAlarm, true);
        s.setValue(SettingsKeys::AudioAlarmType, 1);
        s.setValue(SettingsKeys::AlarmFile, QString());
        w.DisplayData(alarm); // type 1 without a file beeps
        s.setValue(SettingsKeys::AlarmFile, QStringLiteral("/tmp/alarm.wav"));
        w.DisplayData(alarm);
        s.setValue(SettingsKeys::AudioAlarmType, 0);
        w.DisplayData(alarm);
        w.DisplayData(record(1)); // no alarm, no sound
        QCOMPARE(w.sounds.size(), 3);
        QCOMPARE(w.sounds.at(0).first, S::Beep);
        QCOMPARE(w.sounds.at(1).first, S::File);
        QCOMPARE(w.sounds.at(1).second, QStringLiteral("/tmp/alarm.wav"));
        QCOMPARE(w.sounds.at(2).first, S::Beep);
    }

    void silenceWatch()
    {
        QSettings().setValue(SettingsKeys::LinkIndication, true);
        CMasterDevice device;
        TestWindow w(6, &device);
        QSignalSpy close(&w, &CModuleWindow::closeNeeded);
        w.DisplayData(record(6));
        for (int i = 0; i < 8; ++i)
            w.OnTimer();
        QCOMPARE(labelText(w, "m_pModeLabel"), QStringLiteral(" >"));
        QCOMPARE(labelText(w, "m_pModeLabel2"), QStringLiteral("62%3-0"));
        w.OnTimer();
        QCOMPARE(labelText(w, "m_pModeLabel"), QStringLiteral("No data for 9 s..."));
        QCOMPARE(labelText(w, "m_pModeLabel2"), QStringLiteral("0%"));

        // A record before 30 s starts the count again.
        w.DisplayData(record(6));
        QCOMPARE(w.silenceSeconds(), 0);
        QCOMPARE(labelText(w, "m_pModeLabel"), QStringLiteral(" >>"));
        for (int i = 0; i < 29; ++i)
            w.OnTimer();
        QCOMPARE(close.count(), 0);
        QVERIFY(w.isTicking());
        w.OnTimer();
        QCOMPARE(close.count(), 1);
        QVERIFY(!w.isTicking());
        QCOMPARE(labelText(w, "m_pModeLabel"), QStringLiteral("No data for 30 s..."));
        w.OnTimer();
        w.OnTimer();
        QCOMPARE(close.count(), 1);
    }

    void alarmBarFollowsTicksAndOption()
    {
        CMasterDevice device;
        TestWindow w(8, &device);
        QSettings s;
        w.DisplayData(record(8, 0x20, 0x20, 0));
        QCOMPARE(w.alarmBar().rect, QRect(8, 153 - 38, 240 - 14, 30));
        QVERIFY(!w.alarmBar().drawn); // blinking: on with the first tick
        w.OnTimer();
        QVERIFY(w.alarmBar().drawn);
        w.OnTimer();
        QVERIFY(!w.alarmBar().drawn);
        s.setValue(SettingsKeys::AlarmCombo, 1);
        QVERIFY(w.alarmBar().drawn);
        s.setValue(SettingsKeys::AlarmCombo, 2);
        w.OnTimer();
        QVERIFY(!w.alarmBar().drawn);
    }

    void alarmBarIsPainted()
    {
        CMasterDevice device;
        TestWindow w(8, &device);
        QSettings().setValue(SettingsKeys::AlarmCombo, 1);
        const QPoint probe(20, 153 - 12); // inside the bar, below the panel
        w.DisplayData(record(8));
        QVERIFY(w.grab().toImage().pixelColor(probe) != QColor(Qt::red));
        w.DisplayData(record(8, 0, 0, 0));
        QCOMPARE(w.grab().toImage().pixelColor(probe), QColor(Qt::red));
    }

    void languageChange()
    {
        CMasterDevice device;
        TestWindow w(9, &device);
        w.DisplayData(record(9, 0x41));
        QEvent event(QEvent::LanguageChange);
        QApplication::sendEvent(&w, &event);
        QCOMPARE(w.windowTitle(), QStringLiteral("Module"));
        QCOMPARE(labelText(w, "m_pLabel1"), QString());
        w.DisplayData(record(9));
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 9 9"));
    }
};

QTEST_MAIN(TestModuleWindow)
#include "tst_modulewindow.moc"
