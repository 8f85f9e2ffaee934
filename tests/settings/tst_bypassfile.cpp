// Bypass lists: the ranges shown for a module's map, and the bypass file
// format as written and as read back for an upload.

#include "settings/BypassFile.h"
#include "settings/BypassRanges.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QVector<quint8> mapWith(std::initializer_list<std::tuple<int, int, quint8>> spans)
{
    QVector<quint8> map(6144, 0);
    for (const auto &[from, to, mark] : spans)
        for (int i = from; i <= to; ++i)
            map[i] = mark;
    return map;
}

QString rows(const QVector<BypassRange> &ranges)
{
    QStringList out;
    for (const BypassRange &r : ranges)
        out << QString::asprintf("%d:%d-%d/%d/%d", r.number, r.start, r.end, r.band, r.marks);
    return out.join(' ');
}

QByteArray items(int n, const char *end = nullptr)
{
    QByteArray xml = "<Bypass>";
    for (int i = 1; i <= n; ++i)
        xml += "<Item BeginFreq=\"" + QByteArray::number(100 + i) + "\" EndFreq=\""
            + (end ? QByteArray(end) : QByteArray::number(200 + i)) + "\"/>";
    return xml + "</Bypass>";
}

} // namespace

class TestBypassFile : public QObject
{
    Q_OBJECT

private slots:

    void rangesFromMap_data()
    {
        QTest::addColumn<QVector<quint8>>("map");
        QTest::addColumn<int>("mask");
        QTest::addColumn<QString>("expected");
        const auto patt1 = mapWith({ { 925, 935, 2 } });
        QTest::newRow("one range") << patt1 << 2 << "1:925-935/10/2";
        QTest::newRow("mask misses it") << patt1 << 1 << "";
        auto mixed = mapWith({ { 2400, 2410, 1 } });
        mixed[2403] = 2;
        mixed[2407] = 2 | 4; // pattern 2 lies outside the mask
        QTest::newRow("marks of the mask only") << mixed << 3 << "1:2400-2410/10/3";
        QTest::newRow("single entry") << mapWith({ { 433, 433, 8 } }) << 15 << "1:433-433/1/8";
        QTest::newRow("two neighbours") << mapWith({ { 433, 434, 8 } }) << 8 << "1:433-434/1/8";
        QTest::newRow("two ranges numbered")
            << mapWith({ { 10, 12, 1 }, { 20, 20, 8 } }) << 9 << "1:10-12/2/1 2:20-20/1/8";
        // Entry 0 never opens a range; a range open at the last entry is not listed.
        QTest::newRow("entry 0") << mapWith({ { 0, 3, 1 } }) << 1 << "1:1-3/2/1";
        QTest::newRow("open at the end") << mapWith({ { 6140, 6143, 1 } }) << 1 << "";
    }
    void rangesFromMap()
    {
        QFETCH(QVector<quint8>, map);
        QFETCH(int, mask);
        QFETCH(QString, expected);
        QCOMPARE(rows(BypassRanges::fromMap(map, quint8(mask))), expected);
    }

    void writesTheListAsShown()
    {
        QCOMPARE(BypassFile::toXml({ { "925", "935" }, { "2400", "2410" } }),
                 QByteArray("<Bypass>\n"
                            " <Item BeginFreq=\"925\" EndFreq=\"935\"/>\n"
                            " <Item BeginFreq=\"2400\" EndFreq=\"2410\"/>\n"
                            "</Bypass>\n"));
    }

    void savesAndLoads()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("list.xml");
        QString error;
        QVERIFY(BypassFile::save(path, { { "1", "2" } }, &error));
        // Replaced whole, never rewritten in place: a reader of the old file reads it to the end.
        QFile reader(path);
        QVERIFY(reader.open(QIODevice::ReadOnly));
        QVERIFY(BypassFile::save(path, { { "925", "935" }, { "433", "433" } }, &error));
        QCOMPARE(reader.readAll().count("<Item"), 1);
        const BypassFile::Content c = BypassFile::load(path);
        QCOMPARE(c.status, BypassFile::Status::Ok);
        QCOMPARE(c.begins, QList<quint16>({ 925, 433 }));
        QCOMPARE(c.ends, QList<quint16>({ 935, 433 }));

        // A file that cannot be written says why and leaves no file behind.
        const QString blocked = dir.filePath("list.xml/inside.xml");
        QVERIFY(!BypassFile::save(blocked, { { "1", "2" } }, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(Fixtures::readFile(path).left(8), QByteArray("<Bypass>"));

        const BypassFile::Content missing = BypassFile::load(dir.filePath("none.xml"));
        QCOMPARE(missing.status, BypassFile::Status::CannotOpen);
        QVERIFY(!missing.detail.isEmpty());
    }

    void readsWhatItCanUpload_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("badEntry");
        using S = BypassFile::Status;
        QTest::newRow("300 items: first 255") << items(300) << int(S::Ok) << 255 << -1;
        QTest::newRow("any names")
            << QByteArray("<L><x BeginFreq=\"5\" EndFreq=\"6\"/></L>") << int(S::Ok) << 1 << -1;
        QTest::newRow("end 0") << items(3, "0") << int(S::BadEntry) << 0 << 0;
        QTest::newRow("beyond 16 bits") << items(2, "70000") << int(S::BadEntry) << 0 << 0;
        QTest::newRow("negative") << items(2, "-5") << int(S::BadEntry) << 0 << 0;
        QTest::newRow("second item lacks begin")
            << QByteArray("<B><I BeginFreq=\"1\" EndFreq=\"2\"/><I EndFreq=\"3\"/></B>")
            << int(S::BadEntry) << 0 << 1;
        // Past the 255th item nothing is looked at.
        QTest::newRow("bad item 256 ignored")
            << QByteArray(items(255).chopped(9) + "<Item/></Bypass>") << int(S::Ok) << 255 << -1;
        QTest::newRow("no items") << QByteArray("<Bypass/>") << int(S::Empty) << 0 << -1;
        QTest::newRow("cut off") << items(3).left(40) << int(S::NotXml) << 0 << -1;
        QTest::newRow("blank") << QByteArray(" \n ") << int(S::Empty) << 0 << -1;
        // Which nodes are entries and the reader's bounds are the item reader's.
        QTest::newRow("too large") << items(30000) << int(S::TooLarge) << 0 << -1;
    }
    void readsWhatItCanUpload()
    {
        QFETCH(QByteArray, xml);
        QFETCH(int, status);
        QFETCH(int, count);
        QFETCH(int, badEntry);
        const BypassFile::Content c = BypassFile::fromXml(xml);
        QCOMPARE(int(c.status), status);
        QCOMPARE(c.begins.size(), count);
        QCOMPARE(c.ends.size(), count);
        QCOMPARE(c.badEntry, badEntry);
        if (count == 255)
            QCOMPARE(c.begins.last(), quint16(355)); // the 255th item
    }
};

QTEST_GUILESS_MAIN(TestBypassFile)
#include "tst_bypassfile.moc"
