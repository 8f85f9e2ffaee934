// The settings folder's XML: the streamed reader of item files (which nodes
// are items, the bounds that refuse a hostile file before it costs time or
// memory) and the in-memory store of remembered folders.

#include "settings/CXmlValueStore.h"
#include "settings/XmlItemReader.h"

#include <QBuffer>
#include <QTest>

namespace {

using S = XmlItemReader::Status;

// Small bounds, so that each is passed by a few hundred bytes.
XmlItemReader::Limits smallLimits()
{
    XmlItemReader::Limits l;
    l.maxFileBytes = 400;
    l.maxItems = 3;
    l.maxDepth = 3;
    l.maxAttributes = 2;
    l.maxTokenBytes = 200;
    return l;
}

// Items as "name=value,..." joined by "|"; an item without attributes is "-".
QString readItems(const QByteArray &content, const XmlItemReader::Limits &limits, S &status,
                  const XmlItemReader::Progress &progress = {})
{
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    QStringList items;
    status = XmlItemReader::read(
                 buffer, limits,
                 [&](const QXmlStreamAttributes &attributes) {
        QStringList pairs;
        for (const QXmlStreamAttribute &a : attributes)
            pairs << a.name().toString() + '=' + a.value().toString();
        items << (pairs.isEmpty() ? QStringLiteral("-") : pairs.join(','));
                 },
                 progress)
        .status;
    return items.join('|');
}

} // namespace

class TestXmlItemReader : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("items");
        const QByteArray x140(140, 'x'), x300(300, 'x');
        QTest::newRow("items and what is below them")
            << QByteArray("<r>\n <i a=\"1\" b=\"2\"><x/>y</i>\n <!--c--> t </r>") << int(S::Ok)
            << "a=1,b=2|-|-";
        QTest::newRow("declaration first")
            << QByteArray("<?xml version=\"1.0\"?><r><i/></r>") << int(S::Ok) << "";
        QTest::newRow("document type first")
            << QByteArray("<!DOCTYPE r><r><i a=\"1\"/></r>") << int(S::Ok) << "a=1";
        QTest::newRow("cut") << QByteArray("<r><i a=\"1\"/>") << int(S::NotXml) << "a=1";
        QTest::newRow("one level too deep")
            << QByteArray("<r><i><x><y/></x></i></r>") << int(S::OutOfBounds) << "-";
        QTest::newRow("three attributes")
            << QByteArray("<r><i a=\"1\" b=\"2\" c=\"3\"/></r>") << int(S::OutOfBounds) << "";
        QTest::newRow("four items")
            << QByteArray("<r><i/><i/><i/><i/></r>") << int(S::OutOfBounds) << "-|-|-";
        QTest::newRow("long attribute")
            << "<r><i a=\"" + x300 + "\"/></r>" << int(S::OutOfBounds) << "";
        QTest::newRow("long text") << "<r>" + x300 + "</r>" << int(S::OutOfBounds) << "";
        QTest::newRow("long comment") << "<r><!--" + x300 + "--></r>" << int(S::OutOfBounds) << "";
        const QByteArray item = "<i a=\"" + x140 + "\"/>";
        QTest::newRow("file too large") << "<r>" + item + item + item + "</r>" << int(S::TooLarge)
                                        << QString::fromLatin1("a=" + x140 + "|a=" + x140);
    }
    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        QFETCH(QString, items);
        S got = S::Ok;
        QCOMPARE(readItems(content, smallLimits(), got), items);
        QCOMPARE(int(got), status);
    }

    // Progress counts the bytes read against the size; false cancels.
    void progressAndCancel()
    {
        const QByteArray content = "<r>" + QByteArray("<i/>").repeated(2000) + "</r>";
        const XmlItemReader::Limits limits;
        QList<qint64> seen; // -1 for a call with another total than the size
        S status = S::Ok;
        readItems(content, limits, status, [&](qint64 done, qint64 total) {
            seen << (total == content.size() ? done : -1);
            return true;
        });
        QCOMPARE(status, S::Ok);
        QVERIFY(seen.size() > 1 && !seen.contains(-1));
        QCOMPARE(seen.last(), qint64(content.size()));
        const QString items =
            readItems(content, limits, status, [](qint64, qint64) { return false; });
        QCOMPARE(status, S::Cancelled);
        QVERIFY(items.size() < 2000 * 2);
    }

    // The remembered folders' store.
    void getSetAndDefault()
    {
        CXmlValueStore store;
        const auto get = [&store](const char *group, const char *key) {
            return store.GetValue(group, key, "d");
        };
        QCOMPARE(get("FilePaths", "LogPath"), QStringLiteral("d"));
        store.SetValue("FilePaths", "LogPath", "/a");
        store.SetValue("FilePaths", "BypassPath", "/b");
        store.SetValue("FilePaths", "LogPath", "/c");
        QCOMPARE(QStringList({ get("FilePaths", "LogPath"), get("FilePaths", "BypassPath"),
                               get("FilePaths", "Other"), get("Other", "LogPath") }),
                 QStringList({ "/c", "/b", "d", "d" }));
        // Setting a key again keeps one element.
        QCOMPARE(store.document().toString(-1),
                 QStringLiteral("<Values><FilePaths><LogPath Value=\"/c\"/><BypassPath "
                                "Value=\"/b\"/></FilePaths></Values>"));
    }
};

QTEST_GUILESS_MAIN(TestXmlItemReader)
#include "tst_xmlitemreader.moc"
