// "List of bypass frequencies" against a device model: the waiting row, the
// rows of the map with their marks, deleting a range on the module, and saving.

#include "settings/CBypassDialog.h"
#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "net/CMasterDevice.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

class Dialog : public CBypassDialog
{
public:
    using CBypassDialog::CBypassDialog;
    QStringList menu;

protected:
    void execMenu(QMenu &m, const QPoint &) override
    {
        for (QAction *a : m.actions())
            menu << a->text();
    }
};

// The rows, cells joined by "|".
QString shown(const QTreeWidget *tree)
{
    QStringList rows;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << tree->topLevelItem(i)->text(c);
        rows << cells.join('|');
    }
    return rows.join('\n');
}

const QString kWaiting = QStringLiteral("Waiting|may take up to|30 sec...||");

} // namespace

class TestBypassDialog : public QObject
{
    Q_OBJECT

    CMasterDevice m_device;
    FakePrompts m_prompts;

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void waitsThenShowsTheMap()
    {
        ModuleRecord &r = m_device.record(3);
        for (int i = 2400; i <= 2410; ++i)
            r.bypassMap[i] = 1;
        r.bypassMap[2405] = 2;
        r.bypassMap[433] = 8 | 4;
        Dialog d(3, &m_device, 15);
        CHILD(QTreeWidget, tree, &d, "m_pBypassTreeWidget");
        d.OnTimer();
        QCOMPARE(shown(tree), kWaiting);
        tree->clear(); // drawn anew every 31 ticks only
        for (int i = 0; i < 30; ++i)
            d.OnTimer();
        QCOMPARE(shown(tree), QString());
        d.OnTimer();
        QCOMPARE(shown(tree), kWaiting);
        r.bypassMapComplete = 1;
        d.OnTimer();
        QCOMPARE(shown(tree), "1|433|433|1|PATT2_MANUAL_\n2|2400|2410|10|DIGIT_PATT1_");
        QCOMPARE(r.bypassMapComplete, 2);
        QVERIFY(!d.isWaiting());
    }

    void deleteAsksTheModuleAgain()
    {
        ModuleRecord &r = m_device.record(5);
        CMasterDevice::ClearBypassMap(r);
        for (int i = 925; i <= 935; ++i)
            r.bypassMap[i] = 2;
        r.bypassMapComplete = 1;
        Dialog d(5, &m_device, 2);
        d.OnTimer();
        CHILD(QTreeWidget, tree, &d, "m_pBypassTreeWidget");
        const auto sent = [&r] {
            return QByteArray(reinterpret_cast<const char *>(r.settings.data()) + 37, 6).toHex();
        };
        d.OnTreeContextMenu(QPoint(5, 5));
        QCOMPARE(d.menu, QStringList({ "Delete the bypass string" }));
        d.OnDeleteBypassString(); // no current row: nothing
        QCOMPARE(sent(), QByteArray("000000000000"));
        tree->setCurrentItem(tree->topLevelItem(0));
        d.OnDeleteBypassString();
        QCOMPARE(sent(), QByteArray("039d03a70008")); // 925, 935, kind 0, send the map
        QCOMPARE(r.bypassMapComplete, 0);
        QVERIFY(d.isWaiting());

        // Neither the waiting row nor "NO DATA" is a range to delete.
        r.settings.fill(0);
        d.OnTimer();
        tree->setCurrentItem(tree->topLevelItem(0));
        d.OnDeleteBypassString();
        CMasterDevice::ClearBypassMap(r);
        r.bypassMapComplete = 1;
        d.OnTimer();
        QCOMPARE(shown(tree), QStringLiteral("NO DATA||||"));
        tree->setCurrentItem(tree->topLevelItem(0));
        d.OnDeleteBypassString();
        QCOMPARE(sent(), QByteArray("000000000000"));
        QCOMPARE(r.bypassMapComplete, 2);
    }

    void savesTheRowsAsShown()
    {
        QTemporaryDir dir;
        ModuleRecord &r = m_device.record(6);
        CMasterDevice::ClearBypassMap(r);
        r.bypassMap[2400] = r.bypassMap[2401] = 2;
        r.bypassMapComplete = 1;
        Dialog d(6, &m_device, 2);
        d.OnTimer();
        m_prompts.fileName = dir.filePath("list.xml");
        d.OnSaveButton();
        QCOMPARE(Fixtures::readFile(m_prompts.fileName),
                 QByteArray("<Bypass>\n <Item BeginFreq=\"2400\" EndFreq=\"2401\"/>\n</Bypass>\n"));
        m_prompts.fileName = dir.filePath("list.xml/inner.xml"); // a failed save says so
        d.OnSaveButton();
        QVERIFY2(m_prompts.shown.last().startsWith("Error: Cannot write the file"),
                 qPrintable(m_prompts.shown.last()));
        m_prompts.fileName.clear(); // Cancel writes nothing
        d.OnSaveButton();
        QCOMPARE(m_prompts.shown.size(), 4);
    }
};

QTEST_MAIN(TestBypassDialog)
#include "tst_bypassdialog.moc"
