// The stored options and the dialog that edits them: what first start writes
// for each and what each stands for while missing (one table), what OK
// stores and refuses, browsing, the timer.

#include "Controls.h"
#include "FakePrompts.h"
#include "TestSettings.h"
#include "app/COptionsDialog.h"
#include "app/OptionDefaults.h"
#include "settings/OptionTable.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace Controls;
using namespace SettingsKeys;

class TestOptionsDialog : public QObject
{
    Q_OBJECT

    FakePrompts m_prompts;

private slots:
    void init()
    {
        TestSettings::clear();
        m_prompts.shown.clear();
    }

    void options_data()
    {
        QTest::addColumn<QVariant>("firstStart"); // value and type as written
        QTest::addColumn<QVariant>("missing");
        const QVariant none = QString();
#ifdef Q_OS_WIN
        const QVariant sound = "C:\\Windows\\Media\\tada.wav", folder = "C:\\";
#else
        const QVariant sound = ":/alarm.wav", folder = QDir::homePath();
#endif
        const auto row = [](const char *key, QVariant first, QVariant missing) {
            QTest::newRow(key) << first << missing;
        };
        row("SecurityType", 6, 0);
        row("SSID", none, none);
        row("Password", none, none);
        row("ServerAddress1", none, none);
        row("ServerAddress2", none, none);
        row("ModuleAddress1CheckBox", false, false);
        row("ModuleAddress1", none, none);
        row("ModuleNumber1", "1", 0);
        row("ModuleNumber2", "1", 0);
        row("SuppressionFactor", "10", none);
        row("MaxSuppressionQualityError", "3", none);
        row("MaxAddQualityError", "50", none);
        row("AverageFactor", "1", 0);
        row("DeviceLED", "0", 0);
        row("DeviceSound", "0", false);
        row("DeviceOffline", "0", false);
        row("AudioAlarm", false, false);
        row("AudioAlarmType", 0, 0);
        row("AlarmFile", sound, none);
        row("BackgroundImage", false, false);
        row("BackgroundImageFile", folder, none);
        row("AlarmCombo", 0, 0);
        row("LinkIndication", true, false);
        row("SensCombo", 2, 0);
        row("ThresholdEdit", -60, none);
        row("Localization", false, false);
        QCOMPARE(OptionTable::all().size(), 26);
    }

    void options()
    {
        QFETCH(QVariant, firstStart);
        QFETCH(QVariant, missing);
        const QString key = QStringLiteral("Options/") + QTest::currentDataTag();
        const auto typed = [](const QVariant &v) { return v.typeName() + (' ' + v.toString()); };
        QCOMPARE(typed(StationOptions::instance().option(key)), typed(missing));
        QSettings s;
        QVERIFY(OptionDefaults::ensure(s));
        QCOMPARE(typed(s.value(key)), typed(firstStart));
        // Missing alone, each rewrites every option, except the check-box option.
        s.setValue(AlarmCombo, 2);
        s.remove(key);
        QCOMPARE(OptionDefaults::ensure(s), key != ModuleAddress1CheckBox);
        QCOMPARE(s.value(AlarmCombo).toInt(), key == ModuleAddress1CheckBox ? 2 : 0);
    }

    // OK stores back what the dialog shows (as given, or as moved) and announces it.
    void okStoresWhatItShows()
    {
        const QList<std::tuple<QString, QVariant, QString>> rows = {
            { Language, "ru_RU", "ru_RU" },
            { AudioAlarm, true, "true" },
            { AudioAlarmType, "1", "1" },
            { AlarmFile, "/a.wav", "/a.wav" },
            { BackgroundImageFile, "/b.jpg", "/b.jpg" },
            { AlarmCombo, 2, "2" },
            { LinkIndication, false, "false" },
            { SyslogHost, "logs", "logs" },
            { SyslogTransport, "tls", "udp" },
            { SyslogPort, 6514, "514" },
            { SyslogEnabled, false, "false" }
        };
        StationOptions &o = StationOptions::instance();
        for (const auto &[key, value, stored] : rows)
            o.setValue(key, value);
        COptionsDialog d(nullptr, true);
        TestSettings::clear(); // only what OK writes is in the store now
        QSignalSpy changed(&o, &StationOptions::changed);
        // The usual TLS port turns into the usual one.
        put(d, "m_pSyslogTransportCombo", "currentIndex", 2);
        click(d, "m_pOkButton");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        for (const auto &[key, value, stored] : rows)
            QCOMPARE(QSettings().value(key).toString(), stored);
        QVERIFY(o.audioAlarm() && o.alarmCombo() == 2 && changed.count() >= 8);
    }

    // A missing file or collector is refused; nothing is stored.
    void okRefuses_data()
    {
        QTest::addColumn<QByteArray>("check");
        QTest::addColumn<QString>("warning");
        QTest::newRow("play file") << QByteArray("m_pFileRadio") << "No media file was selected!";
        QTest::newRow("syslog") << QByteArray("m_pSyslogGroup") << "No syslog collector was given!";
    }
    void okRefuses()
    {
        QFETCH(QByteArray, check);
        QFETCH(QString, warning);
        COptionsDialog d(nullptr, true);
        put(d, check.constData(), "checked", true); // a radio button or a group
        click(d, "m_pOkButton");
        QCOMPARE(m_prompts.shown,
                 QStringList(QCoreApplication::applicationName() + ": " + warning));
        QVERIFY(!QSettings().contains(Language));
    }

    // A chosen file fills its edit; browsing starts in the alarm file's folder.
    void browse()
    {
        COptionsDialog d;
        put(d, "m_pBrowseButton", "enabled", true);
        m_prompts.fileName = "/new.wav";
        click(d, "m_pBrowseButton");
        QCOMPARE(read(d, { "m_pFileEdit" }), "/new.wav");
        QCOMPARE(COptionsDialog::alarmBrowseFolder(":/alarm.wav"), QDir::homePath());
        QCOMPARE(COptionsDialog::alarmBrowseFolder("/s/a.wav"), QString("/s/a.wav"));
    }

    // The timer writes the sensitivity (the threshold as text) and announces
    // only a change: each repaints every window.
    void timerStoresTheSensitivity()
    {
        COptionsDialog d;
        d.OnTimer();
        QSignalSpy changed(&StationOptions::instance(), &StationOptions::changed);
        d.OnTimer();
        QCOMPARE(QSettings().value(ThresholdEdit).typeId(), QMetaType::QString);
        put(d, "m_pSensCombo", "currentIndex", 1);
        QTRY_COMPARE_WITH_TIMEOUT(QSettings().value(SensCombo).toInt(), 1, 3000);
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
