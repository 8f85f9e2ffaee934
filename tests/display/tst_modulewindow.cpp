// The module window driven through its slots: rename, alarm bar and sound,
// rows, settings button, link indicator, labels, silence watch.

#include "Fixtures.h"
#include "TestSettings.h"
#include "display/CModuleWindow.h"
#include "net/CMasterDevice.h"
#include "net/SettingsBlock.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
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
    QStringList played; // the files of the sounds

protected:
    QString askName(const QString &proposal) override
    {
        proposals << proposal;
        return answer;
    }
    void playAlarm(ModuleStatus::AlarmSound, const QString &file) override { played << file; }
};

} // namespace

class TestModuleWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSettings::freshStation(); }

    // Renaming. The rows nothing writes keep their room: seven rows share the
    // panel, the status line has a fifth of its row. The alarm bar blinks, the
    // alarm sounds. The settings button opens the module's settings.
    void renameAlarmRowsAndSettings()
    {
        CMasterDevice device;
        TestWindow w(5, &device);
        w.answer = QStringLiteral("North gate");
        w.OnRenameAction();
        w.answer.clear(); // cancelled: nothing changes, the proposal is still the number
        w.OnRenameAction();
        QCOMPARE(w.proposals, QStringList({ "5", "5" }));
        QCOMPARE(w.windowTitle(), QStringLiteral("Module 5 North gate"));
        QCOMPARE(QSettings().value(QStringLiteral("5")).toString(), QStringLiteral("North gate"));

        w.SetSettingsOffered(true);
        w.show();
        CHILD(QLabel, mode, &w, "m_pModeLabel");
        CHILD(QLabel, status, &w, "m_pLabel1");
        const QRect inside = status->parentWidget()->contentsRect() - QMargins(9, 9, 9, 4);
        QVERIFY(qAbs(status->width() * 5 - inside.width()) <= 5);
        QVERIFY(qAbs(mode->height() * 7 - inside.height()) <= 7);
        StationOptions &s = StationOptions::instance();
        const DATA alarm = Fixtures::status(5, 0x20, 0x20, 0);
        w.DisplayData(alarm); // audible alarm off by default
        w.OnTimer();          // the blinking bar is on with the first tick
        QCOMPARE(w.grab().toImage().pixelColor(20, 153 - 12), QColor(Qt::red)); // inside the bar
        w.OnTimer();
        QVERIFY(!w.alarmBar().drawn);
        s.setValue(SettingsKeys::AudioAlarm, true);
        s.setValue(SettingsKeys::AudioAlarmType, 1);
        s.setValue(SettingsKeys::AlarmFile, QStringLiteral("/tmp/alarm.wav"));
        w.DisplayData(alarm);
        w.DisplayData(Fixtures::status(5)); // no alarm, no sound
        QCOMPARE(w.played, QStringList({ "/tmp/alarm.wav" }));

        QByteArray opened;
        QTimer::singleShot(0, &w, [&opened] {
            const QWidget *dialog = QApplication::activeModalWidget();
            opened = dialog ? dialog->metaObject()->className() : "none";
            QApplication::closeAllWindows();
        });
        CHILD(QPushButton, button, &w, "m_pSettingsButton");
        button->click();
        QCOMPARE(opened, QByteArray("CSettingsDialog"));
    }

    // Labels change at most once per interval: a quiet window's first record
    // at once, later ones together. Silence shows after 8 s; a record restarts it.
    void linkIndicatorLabelsAndSilence()
    {
        CMasterDevice device;
        TestWindow w(6, &device);
        CHILD(QLabel, mode, &w, "m_pModeLabel");
        CHILD(QLabel, level, &w, "m_pModeLabel2");
        quint8 &echo = device.record(6).settings[SettingsBlock::LinkSeqEcho];
        echo = 77;
        DATA d = Fixtures::status(6);
        d.nLinkSeq = 5;
        w.DisplayData(d); // absent option reads as off: byte 48 untouched
        QCOMPARE(mode->text() + level->text() + QString::number(echo), QStringLiteral(" 62%3-077"));
        StationOptions::instance().setValue(SettingsKeys::LinkIndication, true);
        for (int rssi = 10; rssi < 50; ++rssi) { // on: the record's sequence is echoed
            d.nRSSI = qint8(rssi);
            w.DisplayData(d);
        }
        QCOMPARE(mode->text() + level->text() + QString::number(echo), QStringLiteral(" 62%3-05"));
        QTRY_COMPARE(level->text(), QStringLiteral("98%3-0"));
        QVERIFY(mode->text().endsWith(QLatin1Char('>')));
        for (int i = 0; i < 8; ++i)
            w.OnTimer();
        QCOMPARE(level->text(), QStringLiteral("98%3-0"));
        w.OnTimer();
        QCOMPARE(mode->text() + level->text(), QStringLiteral("No data for 9 s...0%"));
        d.nRSSI = 56;     // no link figure: an empty level
        w.DisplayData(d); // a record before 30 s starts the count again
        QTRY_COMPARE(level->text(), QString());
        for (int i = 0; i < 29; ++i)
            w.OnTimer();
        QVERIFY(w.isTicking()); // it closes at 30 s
    }
};

QTEST_MAIN(TestModuleWindow)
#include "tst_modulewindow.moc"
