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
        TestSettings::clear();
        QSettings s;
        QVERIFY(OptionDefaults::ensure(s));
        for (const auto &option : OptionDefaults::all())
            QCOMPARE(s.value(option.first), option.second);

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
