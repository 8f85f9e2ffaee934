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
    void init() { TestSettings::clear(); }

    void firstRunWritesAll26()
    {
        QSettings s;
        QVERIFY(OptionDefaults::ensure(s));
        QCOMPARE(OptionDefaults::all().size(), 26);
        for (const auto &option : OptionDefaults::all())
            QCOMPARE(s.value(option.first), option.second);
        QCOMPARE(s.value(SettingsKeys::ThresholdEdit).toInt(), -60); // a spot check of the table
        QVERIFY(!s.contains(SettingsKeys::Language));
    }

    // The check-box option alone does not trigger a rewrite.
    void storeWithoutTheCheckBoxIsKept()
    {
        QSettings s;
        OptionDefaults::writeAll(s);
        s.remove(SettingsKeys::ModuleAddress1CheckBox);
        s.setValue(SettingsKeys::AlarmCombo, 2);
        QVERIFY(!OptionDefaults::ensure(s));
        QCOMPARE(s.value(SettingsKeys::AlarmCombo).toInt(), 2);
        QVERIFY(!s.contains(SettingsKeys::ModuleAddress1CheckBox));

        // Any other missing option rewrites all of them.
        s.remove(SettingsKeys::Password);
        QVERIFY(OptionDefaults::ensure(s));
        QCOMPARE(s.value(SettingsKeys::AlarmCombo).toInt(), 0);
        QVERIFY(s.contains(SettingsKeys::ModuleAddress1CheckBox));
    }
};

QTEST_GUILESS_MAIN(TestOptionDefaults)
#include "tst_optiondefaults.moc"
