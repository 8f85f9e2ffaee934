// Operations over every module record: "For all" rows, the rules between the
// checks, the manual bypass and map request, saves, acknowledgements.

#include "net/Acknowledgements.h"
#include "net/CMasterDevice.h"
#include "net/ModuleRecords.h"
#include "TestSettings.h"

#include <QSettings>
#include <QTest>

#include <algorithm>

using R = ModuleRecords;

namespace {

QByteArray hex(const SettingsBlock::Block &b, int from = 0, int to = 69)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()) + from, to - from + 1).toHex();
}

} // namespace

class TestModuleRecords : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSettings::freshStation(); }

    void forAllRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("copied"); // byte offsets besides the marker
        QTest::addColumn<bool>("withPauseOptions");
        // The bands (GSM 900 .. DECT): threshold and enable 1 and 19, ... 14 and 32.
        for (int i = 0; i < 14; ++i)
            QTest::addRow("band %d", i) << i << QList<int>({ 1 + i, 19 + i }) << false;
        QTest::newRow("Scan") << 14 << QList<int>({ 15, 16, 17, 18, 33, 51, 52, 53 }) << true;
        QTest::newRow("PATTERN Digital") << 15 << QList<int>({ 35 }) << false;
        QTest::newRow("PATTERN 1") << 16 << QList<int>({ 44 }) << false;
        QTest::newRow("PATTERN 2") << 17 << QList<int>({ 45 }) << false;
        QTest::newRow("MANUAL") << 18 << QList<int>({ 36 }) << false;
        QTest::newRow("Identification") << 19 << QList<int>({ 43 }) << false;
        QTest::newRow("Device indication") << 20 << QList<int>({ 54, 55, 56, 57 }) << false;
        QTest::newRow("frequency matches") << 21 << QList<int>({ 34 }) << false;
    }
    // Every other record takes the marker and exactly the row's bytes.
    void forAllRow()
    {
        QFETCH(int, row);
        QFETCH(QList<int>, copied);
        QFETCH(bool, withPauseOptions);
        const auto pauseOptions = [](const ModuleRecord &r) {
            return QList<int>({ r.manualPause, r.autoPause, r.lpfSelection, r.manualPauseFreq });
        };
        CMasterDevice device;
        ModuleRecord &source = device.record(5);
        for (int i = 0; i < 70; ++i)
            source.settings[i] = quint8(0x80 + i);
        source.manualPause = source.autoPause = true;
        source.lpfSelection = 6;
        source.manualPauseFreq = 1200;
        for (quint8 m : { 2, 9 }) {
            ModuleRecord &r = device.record(m);
            r.settings.fill(0);
            r.manualPause = r.autoPause = false;
            r.lpfSelection = r.manualPauseFreq = 0;
        }
        R(device).copyToAll(5, R::ForAll(row));
        SettingsBlock::Block expected{};
        expected[0] = 158;
        for (int i : copied)
            expected[i] = quint8(0x80 + i);
        for (quint8 m : { 2, 9 }) {
            QCOMPARE(hex(device.record(m).settings), hex(expected));
            QCOMPARE(pauseOptions(device.record(m)),
                     withPauseOptions ? QList<int>({ 1, 1, 6, 1200 }) : QList<int>(4, 0));
        }
        QCOMPARE(hex(source.settings, 0, 1), QByteArray("9e81"));
    }

    void rowsAndGroups()
    {
        QString global;
        for (int row = 0; row < R::ForAllRows; ++row)
            global += R::followsGlobal(R::ForAll(row)) ? u'1' : u'0';
        QCOMPARE(global, QString(15, u'1') + QString(7, u'0')); // the bands and Scan
        QList<QList<int>> groups;
        for (R::Group g : { R::Group::Cellular, R::Group::Band2400, R::Group::Jammers }) {
            groups << R::groupEnables(g);
            std::sort(groups.last().begin(), groups.last().end());
        }
        QCOMPARE(groups,
                 QList<QList<int>>(
                     { { 19, 20, 28, 29, 30, 31, 32 }, { 23, 24, 25, 26, 27 }, { 21, 22 } }));
        // No signal type left: GSM 900 comes back; the scan alone is one.
        SettingsBlock::Block b{};
        QVERIFY(R::keepOneDetection(b));
        QCOMPARE(hex(b, 19, 33), QByteArray("01" + QByteArray(28, '0')));
        b.fill(0);
        b[33] = 1;
        QVERIFY(!R::keepOneDetection(b));
        QCOMPARE(b[19], quint8(0));
    }

    void pauseClick_data()
    {
        QTest::addColumn<int>("clicked"); // 0 SCAN, 1 AUTO, 2 PAUSE
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("freq");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("taken");
        QTest::newRow("SCAN off drops PAUSE") << 0 << "001" << 500 << "000" << true;
        QTest::newRow("SCAN on keeps PAUSE") << 0 << "101" << 500 << "101" << true;
        QTest::newRow("AUTO on: SCAN, no PAUSE") << 1 << "011" << 500 << "110" << true;
        QTest::newRow("AUTO off") << 1 << "001" << 500 << "001" << true;
        QTest::newRow("PAUSE at 25: SCAN, no AUTO") << 2 << "011" << 25 << "101" << true;
        QTest::newRow("PAUSE at 6000") << 2 << "011" << 6000 << "101" << true;
        QTest::newRow("PAUSE at 24 refused") << 2 << "011" << 24 << "010" << false;
        QTest::newRow("PAUSE at 6001 refused") << 2 << "001" << 6001 << "000" << false;
        QTest::newRow("PAUSE without frequency") << 2 << "101" << 0 << "100" << false;
        QTest::newRow("PAUSE off") << 2 << "010" << 0 << "010" << true;
    }
    void pauseClick()
    {
        QFETCH(int, clicked);
        QFETCH(QString, before);
        QFETCH(int, freq);
        QFETCH(QString, after);
        QFETCH(bool, taken);
        R::PauseChecks c{ before[0] == u'1', before[1] == u'1', before[2] == u'1' };
        QCOMPARE(R::click(c, R::PauseClick(clicked), freq), taken);
        QCOMPARE(QString::number(c.scan) + QString::number(c.autoPause)
                     + QString::number(c.manualPause),
                 after);
    }

    void manualBypass_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("stop");
        QTest::addColumn<QByteArray>("sent"); // bytes 37 .. 41; empty when refused
        QTest::newRow("range") << 925 << 935 << QByteArray("039d03a708");
        QTest::newRow("stop only") << 0 << 900 << QByteArray("0384038408");
        QTest::newRow("start only") << 433 << 0 << QByteArray("01b101b108");
        QTest::newRow("25 .. 6000") << 25 << 6000 << QByteArray("0019177008");
        QTest::newRow("none") << 0 << 0 << QByteArray();
        QTest::newRow("reversed") << 30 << 20 << QByteArray();
        QTest::newRow("below 25") << 24 << 30 << QByteArray();
        QTest::newRow("above 6000") << 100 << 6001 << QByteArray();
        // Refused as typed, not cut to 16 bits (4464 MHz).
        QTest::newRow("70000") << 70000 << 0 << QByteArray();
        QTest::newRow("negative") << -5 << 100 << QByteArray();
    }
    void manualBypass()
    {
        QFETCH(int, start);
        QFETCH(int, stop);
        QFETCH(QByteArray, sent);
        const auto range = R::manualBypassRange(start, stop);
        QCOMPARE(range.has_value(), !sent.isEmpty());
        ModuleRecord r;
        if (range)
            R::writeManualBypass(r, range->first, range->second);
        QCOMPARE(hex(r.settings, 37, 41), sent.isEmpty() ? QByteArray("0000000000") : sent);
    }

    void bypassMapRequest()
    {
        QList<int> flags;
        for (const R::BypassMarks &m :
             { R::BypassMarks{}, R::BypassMarks{ true }, R::BypassMarks{ false, true },
               R::BypassMarks{ false, false, true }, R::BypassMarks{ false, false, false, true },
               R::BypassMarks{ true, true, true, true } })
            flags << R::bypassFlags(m);
        QCOMPARE(flags, QList<int>({ 0, 1, 2, 4, 8, 15 }));
        ModuleRecord r;
        r.expectedBypassBlock = 3;
        r.bypassBlockToggle = 2;
        r.bypassMapComplete = 2;
        R::requestBypassMap(r);
        QCOMPARE(QList<int>({ r.expectedBypassBlock, r.bypassBlockToggle, r.bypassMapComplete,
                              r.settings[42] }),
                 QList<int>({ 0, 0, 0, 8 }));
        R::endBypassMapRequest(r);
        QCOMPARE(r.settings[42], quint8(0));
    }

    void savesOnlyWhatChanged()
    {
        CMasterDevice device;
        R records(device);
        for (quint8 m : { 1, 2, 3 })
            device.record(m);
        records.rememberAll();
        // What changes with every frame or reply is not what the store keeps.
        SettingsBlock::Block &b1 = device.record(1).settings;
        for (int i : { 37, 38, 39, 40, 41, 42, 47, 48, 49, 50 })
            b1[i] = 1;
        records.saveChanged();
        QVERIFY(QSettings().allKeys().isEmpty());

        device.record(2).settings[14] = 80;
        device.record(3).manualPauseFreq = 1200;
        records.saveChanged();
        QSettings s;
        QCOMPARE(s.allKeys().size(), 10); // five keys each for modules 2 and 3
        QCOMPARE(s.value("2_Settings").toByteArray().at(14), char(80));
        QCOMPARE(s.value("3_SettingsManualPauseFreq").toInt(), 1200);
        s.clear();
        records.saveChanged(); // written already
        QVERIFY(s.allKeys().isEmpty());

        // Defaults for all are written even where the record held them already.
        s.setValue("1_Settings", QByteArray(70, '\x01'));
        s.setValue("1_SettingsLpfComboBox", 6);
        records.defaultsForAll();
        QCOMPARE(s.value("1_Settings").toByteArray().mid(13, 2).toHex(), QByteArray("2a39"));
        QCOMPARE(s.value("1_SettingsLpfComboBox").toInt(), 2);
        QCOMPARE(s.value("2_Settings").toByteArray().at(14), char(57));
        QCOMPARE(s.value("3_SettingsManualPauseFreq").toInt(), 500);
        s.clear();
        records.saveChanged();
        QVERIFY(s.allKeys().isEmpty());
    }

    void acknowledgements_data()
    {
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("noted");
        QTest::addColumn<bool>("complete");
        QTest::newRow("none expected") << 0 << 0 << false;
        QTest::newRow("one short") << 3 << 2 << false;
        QTest::newRow("all") << 3 << 3 << true;
        QTest::newRow("one too many") << 1 << 2 << false;
    }
    void acknowledgements()
    {
        QFETCH(int, expected);
        QFETCH(int, noted);
        QFETCH(bool, complete);
        Acknowledgements::note(); // before the command: not counted
        Acknowledgements::expect(expected);
        for (int i = 0; i < noted; ++i)
            Acknowledgements::note();
        QCOMPARE(Acknowledgements::takeCompletion(), complete);
        QVERIFY(!Acknowledgements::takeCompletion()); // taken once
        QCOMPARE(Acknowledgements::expected(), complete ? 0 : expected);
    }
};

QTEST_GUILESS_MAIN(TestModuleRecords)
#include "tst_modulerecords.moc"
