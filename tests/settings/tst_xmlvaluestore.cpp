// The in-memory store of remembered folders.

#include "settings/CXmlValueStore.h"
#include "TestSettings.h"

#include <QTest>

class TestXmlValueStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

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

QTEST_GUILESS_MAIN(TestXmlValueStore)
#include "tst_xmlvaluestore.moc"
