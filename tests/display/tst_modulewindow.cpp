// The module window driven through its slots: title and rename, link
// indicator, status line, alarm and its sound, alarm bar, silence watch.

#include "Fixtures.h"
#include "TestSettings.h"
#include "display/CModuleWindow.h"
#include "net/CMasterDevice.h"
#include "net/SettingsBlock.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
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
    QList<ModuleStatus::AlarmSound> sounds;
    QString soundFile;

    QString label(const char *name) const
    {
        const QLabel *l = Fixtures::child<QLabel>(this, name);
        return l ? l->text() : QString();
    }

protected:
    QString askName(const QString &proposal) override
    {
        proposals.append(proposal);
        return answer;
    }
    void playAlarm(ModuleStatus::AlarmSound sound, const QString &file) override
    {
        sounds.append(sound);
        soundFile = file;
    }
};

DATA record(quint8 module, qint32 s0 = 0x20, qint32 s1 = 0x20, qint32 s2 = 0x20)
{
    return Fixtures::status(module, s0, s1, s2);
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

    void creationMakesTheRecord()
    {
        CMasterDevice device;
        TestWindow w(7, &device);
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 7 7"));
        QVERIFY(device.hasRecord(7));
        QVERIFY(!w.IsCorrect() && !w.IsAlarm() && w.isTicking());
    }

    void renameAndTitle()
    {
        CMasterDevice device;
        TestWindow w(5, &device);
        w.answer = QStringLiteral("North gate");
        w.OnRenameAction();
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 North gate"));
        QCOMPARE(QSettings().value(QStringLiteral("5")).toString(), QStringLiteral("North gate"));

        // Cancelled or empty: nothing changes; the proposal is still the number.
        w.answer.clear();
        w.OnRenameAction();
        QCOMPARE(w.proposals, QStringList({ "5", "5" }));
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 North gate"));
        QCOMPARE(QSettings().value(QStringLiteral("5")).toString(), QStringLiteral("North gate"));

        // Every record reads the name anew; so does a new window of the module.
        QSettings().setValue(SettingsKeys::moduleName(5), QStringLiteral("South"));
        w.DisplayData(record(5));
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 South"));
        TestWindow again(5, &device);
        QCOMPARE(again.windowTitle(), QStringLiteral("Module 5 South"));
    }

    void renameFromContextMenu()
    {
        CMasterDevice device;
        TestWindow w(3, &device);
        w.answer = QStringLiteral("Hall");
        QStringList entries;
        QTimer::singleShot(0, this, [&entries] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (QAction *a : menu->actions())
                    entries.append(a->text());
                menu->actions().first()->trigger();
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), QPoint(10, 10));
        QApplication::sendEvent(&w, &event);
        QCOMPARE(entries, QStringList({ "Rename..." }));
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
        QCOMPARE(w.label("m_pModeLabel"), QStringLiteral(" "));
        QCOMPARE(device.record(2).settings[SettingsBlock::LinkSeqEcho], quint8(0x77));

        // On: every record echoes its sequence (the 18-record cycle is ModuleStatus's).
        QSettings().setValue(SettingsKeys::LinkIndication, true);
        for (quint8 i : {1, 2}) {
            d.nLinkSeq = i;
            w.DisplayData(d);
            QCOMPARE(device.record(2).settings[SettingsBlock::LinkSeqEcho], i);
        }
        QCOMPARE(w.label("m_pModeLabel"), QStringLiteral(" >>"));
    }

    void statusAlarmAndSound()
    {
        using S = ModuleStatus::AlarmSound;
        StationGlobals::suppressionQuality = 150;
        CMasterDevice device;
        TestWindow w(1, &device);
        QSettings s;
        const DATA alarm = record(1, 0x20, 0x20, 0); // 0x20 in channels 0 and 1 only
        w.DisplayData(alarm); // audible alarm off by default
        QCOMPARE(w.label("m_pLabel1"), QStringLiteral("SUPPRESSION OK"));
        QCOMPARE(w.label("m_pModeLabel2"), QStringLiteral("62%3-0"));
        QVERIFY(w.IsAlarm() && w.IsCorrect());
        QVERIFY(w.sounds.isEmpty());

        s.setValue(SettingsKeys::AudioAlarm, true);
        s.setValue(SettingsKeys::AudioAlarmType, 1);
        s.setValue(SettingsKeys::AlarmFile, QString());
        w.DisplayData(alarm); // type 1 without a file beeps
        s.setValue(SettingsKeys::AlarmFile, QStringLiteral("/tmp/alarm.wav"));
        w.DisplayData(alarm);
        QCOMPARE(w.soundFile, QStringLiteral("/tmp/alarm.wav"));
        s.setValue(SettingsKeys::AudioAlarmType, 0);
        w.DisplayData(alarm);
        w.DisplayData(record(1)); // no alarm, no sound
        QCOMPARE(w.sounds, QList<S>({ S::Beep, S::File, S::Beep }));

        DATA notMeasured = record(1);
        notMeasured.nFormat = 0;
        w.DisplayData(notMeasured);
        QVERIFY(!w.IsAlarm() && !w.IsCorrect());
        QCOMPARE(w.sounds.size(), 3);
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
        QCOMPARE(w.label("m_pModeLabel"), QStringLiteral(" >"));
        QCOMPARE(w.label("m_pModeLabel2"), QStringLiteral("62%3-0"));
        w.OnTimer();
        QCOMPARE(w.label("m_pModeLabel"), QStringLiteral("No data for 9 s..."));
        QCOMPARE(w.label("m_pModeLabel2"), QStringLiteral("0%"));

        // A record before 30 s starts the count again.
        w.DisplayData(record(6));
        QCOMPARE(w.silenceSeconds(), 0);
        QCOMPARE(w.label("m_pModeLabel"), QStringLiteral(" >>"));
        for (int i = 0; i < 29; ++i)
            w.OnTimer();
        QCOMPARE(close.count(), 0);
        w.OnTimer();
        QCOMPARE(close.count(), 1);
        QVERIFY(!w.isTicking());
        QCOMPARE(w.label("m_pModeLabel"), QStringLiteral("No data for 30 s..."));
        w.OnTimer();
        w.OnTimer();
        QCOMPARE(close.count(), 1);
    }

    // The bar's modes are checked in ModuleStatus; here the window's ticks and
    // option reach it, and paintEvent draws it.
    void alarmBar()
    {
        CMasterDevice device;
        TestWindow w(8, &device);
        QSettings s;
        const QPoint probe(20, 153 - 12); // inside the bar, below the panel
        w.DisplayData(record(8, 0x20, 0x20, 0));
        QVERIFY(!w.alarmBar().drawn); // blinking: on with the first tick
        w.OnTimer();
        QVERIFY(w.alarmBar().drawn);
        QCOMPARE(w.grab().toImage().pixelColor(probe), QColor(Qt::red));
        w.OnTimer();
        QVERIFY(!w.alarmBar().drawn);
        QVERIFY(w.grab().toImage().pixelColor(probe) != QColor(Qt::red));
        s.setValue(SettingsKeys::AlarmCombo, 1);
        QVERIFY(w.alarmBar().drawn);
        s.setValue(SettingsKeys::AlarmCombo, 2);
        w.OnTimer();
        QVERIFY(!w.alarmBar().drawn);
    }
};

QTEST_MAIN(TestModuleWindow)
#include "tst_modulewindow.moc"
