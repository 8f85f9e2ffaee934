// First-run option defaults in the settings store.

#include "TestSettings.h"
#include "app/OptionDefaults.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QSettings>
#include <QTest>

class TestOptionDefaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void firstRunAndMissingCheckBox()
    {
        const QList<QPair<QString, QVariant>> expected = {
            { "SecurityType", 6 },
            { "SSID", "" },
            { "Password", "" },
            { "ServerAddress1", "" },
            { "ServerAddress2", "" },
            { "ModuleAddress1CheckBox", false },
            { "ModuleAddress1", "" },
            { "ModuleNumber1", "1" },
            { "ModuleNumber2", "1" },
            { "SuppressionFactor", "10" },
            { "MaxSuppressionQualityError", "3" },
            { "MaxAddQualityError", "50" },
            { "AverageFactor", "1" },
            { "DeviceLED", "0" },
            { "DeviceSound", "0" },
            { "DeviceOffline", "0" },
            { "AudioAlarm", false },
            { "AudioAlarmType", 0 },
#ifdef Q_OS_WIN
            { "AlarmFile", "C:\\Windows\\Media\\tada.wav" },
            { "BackgroundImage", false },
            { "BackgroundImageFile", "C:\\" },
#else
            // Paths that exist here: the station's own sound, the home folder.
            { "AlarmFile", ":/alarm.wav" },
            { "BackgroundImage", false },
            { "BackgroundImageFile", QDir::homePath() },
#endif
            { "AlarmCombo", 0 },
            { "LinkIndication", true },
            { "SensCombo", 2 },
            { "ThresholdEdit", -60 },
            { "Localization", false },
        };
        TestSettings::clear();
        QSettings s;
        QVERIFY(OptionDefaults::ensure(s));
        // Value and type as written, not as the store would convert them.
        QCOMPARE(s.allKeys().size(), expected.size());
        for (const auto &option : expected) {
            const QVariant stored = s.value("Options/" + option.first);
            QCOMPARE(stored.typeId(), option.second.typeId());
            QCOMPARE(stored, option.second);
        }

        // The check-box option alone does not trigger a rewrite; any other does.
        const auto ensure = [&s] {
            return QVariantList({ OptionDefaults::ensure(s),
                                  s.value(SettingsKeys::AlarmCombo).toInt(),
                                  s.contains(SettingsKeys::ModuleAddress1CheckBox) });
        };
        s.remove(SettingsKeys::ModuleAddress1CheckBox);
        s.setValue(SettingsKeys::AlarmCombo, 2);
        QCOMPARE(ensure(), QVariantList({ false, 2, false }));
        s.remove(SettingsKeys::Password);
        QCOMPARE(ensure(), QVariantList({ true, 0, true }));
    }
};

QTEST_GUILESS_MAIN(TestOptionDefaults)
#include "tst_optiondefaults.moc"
