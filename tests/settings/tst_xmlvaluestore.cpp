// The in-memory store of remembered folders.

#include "settings/CXmlValueStore.h"
#include "TestSettings.h"

#include <QTest>

class TestXmlValueStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void defaultsUntilSet()
    {
        CXmlValueStore store;
        QCOMPARE(store.GetValue("FilePaths", "LogPath", "/home/docs"), QStringLiteral("/home/docs"));
        store.SetValue("FilePaths", "LogPath", "/data/logs");
        QCOMPARE(store.GetValue("FilePaths", "LogPath", "/home/docs"), QStringLiteral("/data/logs"));
        QCOMPARE(store.GetValue("FilePaths", "BypassPath", "/home/docs"), QStringLiteral("/home/docs"));
        QCOMPARE(store.GetValue("Other", "LogPath", "d"), QStringLiteral("d"));
    }

    void setTwiceKeepsOneElement()
    {
        CXmlValueStore store;
        store.SetValue("FilePaths", "LogPath", "/a");
        store.SetValue("FilePaths", "BypassPath", "/b");
        store.SetValue("FilePaths", "LogPath", "/c");
        QCOMPARE(store.GetValue("FilePaths", "LogPath", "d"), QStringLiteral("/c"));
        QCOMPARE(store.GetValue("FilePaths", "BypassPath", "d"), QStringLiteral("/b"));
        const QDomElement root = store.document().documentElement();
        QCOMPARE(root.childNodes().count(), 1);
        const QDomElement group = root.firstChildElement("FilePaths");
        QCOMPARE(group.childNodes().count(), 2);
        QCOMPARE(group.elementsByTagName("LogPath").count(), 1);
        QCOMPARE(group.firstChildElement("LogPath").attribute("Value"), QStringLiteral("/c"));
    }

    void keyWithoutValueGivesEmptyText()
    {
        CXmlValueStore store;
        store.SetValue("FilePaths", "BypassPath", "/b");
        QDomDocument document = store.document(); // a handle on the same document
        QDomElement group = document.documentElement().firstChildElement("FilePaths");
        group.appendChild(document.createElement("LogPath"));
        QCOMPARE(store.GetValue("FilePaths", "LogPath", "d"), QString());
    }
};

QTEST_GUILESS_MAIN(TestXmlValueStore)
#include "tst_xmlvaluestore.moc"
