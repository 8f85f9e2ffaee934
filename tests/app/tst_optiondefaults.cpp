// The option table: what first start writes for each option and what each
// stands for while missing from the store.

#include "TestSettings.h"
#include "app/OptionDefaults.h"
#include "settings/OptionTable.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QDir>
#include <QSettings>
#include <QTest>

class TestOptionDefaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void options_data()
    {
        QTest::addColumn<QVariant>("firstStart"); // value and type as written
        QTest::addColumn<QVariant>("missing");
        const QVariant none = QString();
#ifdef Q_OS_WIN
        const QVariant sound = "C:\\Windows\\Media\\tada.wav", folder = "C:\\";
#else
        // Paths that exist here: the station's own sound, the home folder.
        const QVariant sound = ":/alarm.wav", folder = QDir::homePath();
#endif
        const QList<std::tuple<const char *, QVariant, QVariant>> rows = {
            { "SecurityType", 6, 0 },
            { "SSID", none, none },
            { "Password", none, none },
            { "ServerAddress1", none, none },
            { "ServerAddress2", none, none },
            { "ModuleAddress1CheckBox", false, false },
            { "ModuleAddress1", none, none },
            { "ModuleNumber1", "1", 0 },
            { "ModuleNumber2", "1", 0 },
            { "SuppressionFactor", "10", none },
            { "MaxSuppressionQualityError", "3", none },
            { "MaxAddQualityError", "50", none },
            { "AverageFactor", "1", 0 },
            { "DeviceLED", "0", 0 },
            { "DeviceSound", "0", false },
            { "DeviceOffline", "0", false },
            { "AudioAlarm", false, false },
            { "AudioAlarmType", 0, 0 },
            { "AlarmFile", sound, none },
            { "BackgroundImage", false, false },
            { "BackgroundImageFile", folder, none },
            { "AlarmCombo", 0, 0 },
            { "LinkIndication", true, false },
            { "SensCombo", 2, 0 },
            { "ThresholdEdit", -60, none },
            { "Localization", false, false },
        };
        QCOMPARE(OptionTable::all().size(), rows.size());
        for (const auto &[key, firstStart, missing] : rows)
            QTest::newRow(key) << firstStart << missing;
    }

    void options()
    {
        QFETCH(QVariant, firstStart);
        QFETCH(QVariant, missing);
        const QString key = QStringLiteral("Options/") + QTest::currentDataTag();
        TestSettings::clear();
        const QVariant whileMissing = StationOptions::instance().option(key);
        QCOMPARE(whileMissing.typeId(), missing.typeId());
        QCOMPARE(whileMissing, missing);
        QSettings s;
        QVERIFY(OptionDefaults::ensure(s));
        const QVariant stored = s.value(key);
        QCOMPARE(stored.typeId(), firstStart.typeId());
        QCOMPARE(stored, firstStart);
    }

    // The check-box option alone does not trigger a rewrite; any other does.
    void rewriteWhenAnyIsMissing()
    {
        QSettings s; // as options() left it
        s.remove(SettingsKeys::ModuleAddress1CheckBox);
        s.setValue(SettingsKeys::AlarmCombo, 2);
        QVERIFY(!OptionDefaults::ensure(s));
        s.remove(SettingsKeys::Password);
        QVERIFY(OptionDefaults::ensure(s));
        QCOMPARE(s.value(SettingsKeys::AlarmCombo).toInt() + s.allKeys().size(), 0 + 26);
    }
};

QTEST_GUILESS_MAIN(TestOptionDefaults)
#include "tst_optiondefaults.moc"
