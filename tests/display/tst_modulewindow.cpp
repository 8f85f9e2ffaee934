// The module window driven through its slots: rename, link indicator, status
// line, alarm and its sound, alarm bar, silence watch.

#include "Fixtures.h"
#include "TestSettings.h"
#include "display/CModuleWindow.h"
#include "net/CMasterDevice.h"
#include "net/SettingsBlock.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
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
    QStringList played; // "beep" or the file

protected:
    QString askName(const QString &proposal) override
    {
        proposals << proposal;
        return answer;
    }
    void playAlarm(ModuleStatus::AlarmSound sound, const QString &file) override
    {
        played << (sound == ModuleStatus::AlarmSound::Beep ? QStringLiteral("beep") : file);
    }
};

} // namespace

class TestModuleWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init()
    {
        TestSettings::freshStation();
    }

    void rename()
    {
        CMasterDevice device;
        TestWindow w(5, &device);
        QVERIFY(device.hasRecord(5));
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 5"));
        w.answer = QStringLiteral("North gate");
        w.OnRenameAction();
        w.answer.clear(); // cancelled: nothing changes, the proposal is still the number
        w.OnRenameAction();
        QCOMPARE(w.proposals, QStringList({ "5", "5" }));
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 North gate"));
        QCOMPARE(QSettings().value(QStringLiteral("5")).toString(), QStringLiteral("North gate"));
    }

    void linkIndicatorAndSilence()
    {
        CMasterDevice device;
        TestWindow w(6, &device);
        CHILD(QLabel, mode, &w, "m_pModeLabel");
        CHILD(QLabel, level, &w, "m_pModeLabel2");
        QSignalSpy close(&w, &CModuleWindow::closeNeeded);
        device.record(6).settings[SettingsBlock::LinkSeqEcho] = 77;
        const auto echo = [&device] {
            return QString::number(device.record(6).settings[SettingsBlock::LinkSeqEcho]);
        };
        DATA d = Fixtures::status(6);
        d.nLinkSeq = 5;
        w.DisplayData(d); // absent option reads as off: byte 48 untouched
        QCOMPARE(mode->text() + echo(), QStringLiteral(" 77"));
        StationOptions::instance().setValue(SettingsKeys::LinkIndication, true);
        w.DisplayData(d); // on: the record's sequence is echoed; the labels follow within 40 ms
        QCOMPARE(echo(), QStringLiteral("5"));
        QTRY_COMPARE(mode->text(), QStringLiteral(" >"));

        for (int i = 0; i < 8; ++i)
            w.OnTimer();
        QCOMPARE(mode->text() + level->text(), QStringLiteral(" >62%3-0"));
        w.OnTimer();
        QCOMPARE(mode->text() + level->text(), QStringLiteral("No data for 9 s...0%"));
        d.nRSSI = 56;     // no link figure: an empty level
        w.DisplayData(d); // a record before 30 s starts the count again
        QTRY_COMPARE(level->text(), QString());
        for (int i = 0; i < 29; ++i)
            w.OnTimer();
        QCOMPARE(close.count(), 0);
        w.OnTimer();
        QVERIFY(!w.isTicking());
        w.OnTimer();
        QCOMPARE(close.count(), 1);
    }

    // However fast records come, the labels change at most once per interval;
    // the first record of a quiet window shows at once and the last one shows in the end.
    void labelsFollowABurstOnce()
    {
        TestWindow w(2, nullptr);
        CHILD(QLabel, level, &w, "m_pModeLabel2");
        DATA d = Fixtures::status(2);
        for (int rssi = 10; rssi < 50; ++rssi) {
            d.nRSSI = qint8(rssi);
            w.DisplayData(d);
        }
        QCOMPARE(level->text(), QStringLiteral("20%3-0"));
        QTRY_COMPARE(level->text(), QStringLiteral("98%3-0"));
    }

    void statusAlarmBarAndSound()
    {
        StationGlobals::suppressionQuality = 150;
        CMasterDevice device;
        TestWindow w(1, &device);
        CHILD(QLabel, status, &w, "m_pLabel1");
        StationOptions &s = StationOptions::instance();
        const DATA alarm = Fixtures::status(1, 0x20, 0x20, 0);
        w.DisplayData(alarm); // audible alarm off by default
        QCOMPARE(status->text(), QStringLiteral("SUPPRESSION OK"));
        QVERIFY(w.IsAlarm() && w.IsCorrect());
        w.OnTimer(); // the blinking bar is on with the first tick
        QCOMPARE(w.grab().toImage().pixelColor(20, 153 - 12), QColor(Qt::red)); // inside the bar
        w.OnTimer();
        QVERIFY(!w.alarmBar().drawn);
        s.setValue(SettingsKeys::AlarmCombo, 1); // steady
        QVERIFY(w.alarmBar().drawn);

        s.setValue(SettingsKeys::AudioAlarm, true);
        s.setValue(SettingsKeys::AudioAlarmType, 1);
        w.DisplayData(alarm); // type 1 without a file beeps
        s.setValue(SettingsKeys::AlarmFile, QStringLiteral("/tmp/alarm.wav"));
        w.DisplayData(alarm);
        w.DisplayData(Fixtures::status(1)); // no alarm, no sound
        QCOMPARE(w.played, QStringList({ "beep", "/tmp/alarm.wav" }));
    }

    void settingsButtonHiddenButItsDialogOpens()
    {
        CMasterDevice device;
        TestWindow w(9, &device);
        w.show();
        CHILD(QPushButton, button, &w, "m_pSettingsButton");
        QVERIFY(button->isHidden());
        QString opened;
        QTimer::singleShot(0, &w, [&opened] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                opened = QString::fromLatin1(dialog->metaObject()->className());
                qobject_cast<QDialog *>(dialog)->reject();
            }
        });
        w.OnSettingsButton();
        QCOMPARE(opened, QStringLiteral("CSettingsDialog"));
    }
};

QTEST_MAIN(TestModuleWindow)
#include "tst_modulewindow.moc"
