// First-run option defaults in the settings store.

#include "TestSettings.h"
#include "app/OptionDefaults.h"
#include "settings/SettingsKeys.h"

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
            {"Options/SecurityType", 6}, {"Options/SSID", ""}, {"Options/Password", ""},
            {"Options/ServerAddress1", ""}, {"Options/ServerAddress2", ""},
            {"Options/ModuleAddress1CheckBox", false}, {"Options/ModuleAddress1", ""},
            {"Options/ModuleNumber1", "1"}, {"Options/ModuleNumber2", "1"},
            {"Options/SuppressionFactor", "10"}, {"Options/MaxSuppressionQualityError", "3"},
            {"Options/MaxAddQualityError", "50"}, {"Options/AverageFactor", "1"},
            {"Options/DeviceLED", "0"}, {"Options/DeviceSound", "0"}, {"Options/DeviceOffline", "0"},
            {"Options/AudioAlarm", false}, {"Options/AudioAlarmType", 0},
            {"Options/AlarmFile", "C:\\Windows\\Media\\tada.wav"}, {"Options/BackgroundImage", false},
            {"Options/BackgroundImageFile", "C:\\"}, {"Options/AlarmCombo", 0},
            {"Options/LinkIndication", true}, {"Options/SensCombo", 2}, {"Options/ThresholdEdit", -60},
            {"Options/Localization", false},
        };
        TestSettings::clear();
        QSettings s;
        QVERIFY(OptionDefaults::ensure(s));
        // Value and type as written, not as the store would convert them.
        QCOMPARE(s.allKeys().size(), expected.size());
        for (const auto &option : expected) {
            const QVariant stored = s.value(option.first);
            QCOMPARE(stored.typeId(), option.second.typeId());
            QCOMPARE(stored, option.second);
        }

        // The check-box option alone does not trigger a rewrite; any other does.
        s.remove(SettingsKeys::ModuleAddress1CheckBox);
        s.setValue(SettingsKeys::AlarmCombo, 2);
        QVERIFY(!OptionDefaults::ensure(s));
        QCOMPARE(s.value(SettingsKeys::AlarmCombo).toInt(), 2);
        QVERIFY(!s.contains(SettingsKeys::ModuleAddress1CheckBox));
        s.remove(SettingsKeys::Password);
        QVERIFY(OptionDefaults::ensure(s));
        QCOMPARE(s.value(SettingsKeys::AlarmCombo).toInt(), 0);
        QVERIFY(s.contains(SettingsKeys::ModuleAddress1CheckBox));
    }
};

QTEST_GUILESS_MAIN(TestOptionDefaults)
#include "tst_optiondefaults.moc"
