// "List of bypass frequencies" against a device model: the waiting row, the
// rows built from the map and the mask, deleting a range on the module, and
// saving the list.

#include "settings/CBypassDialog.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "net/CMasterDevice.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>

namespace {

class Dialog : public CBypassDialog
{
public:
    using CBypassDialog::CBypassDialog;
    QString saveAs;
    QStringList messages;
    QStringList menuEntries;

protected:
    QString askSaveFileName(const QString &, const QString &, const QString &) override
    {
        return saveAs;
    }
    void execMenu(QMenu &menu, const QPoint &) override
    {
        for (QAction *a : menu.actions())
            menuEntries << a->text();
    }
    void showMessage(QMessageBox::Icon, const QString &title, const QString &text) override
    {
        messages << title + ": " + text;
    }
};

QString shown(const QObject &dialog)
{
    const auto *tree = dialog.findChild<QTreeWidget *>("m_pBypassTreeWidget");
    QStringList rows;
    for (int i = 0; tree && i < tree->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << tree->topLevelItem(i)->text(c);
        rows << cells.join('|');
    }
    return rows.join('\n');
}

} // namespace

class TestBypassDialog : public QObject
{
    Q_OBJECT

private:
    CMasterDevice m_device;

    ModuleRecord &mapOf(quint8 module, int from, int to, quint8 mark)
    {
        ModuleRecord &r = m_device.record(module);
        CMasterDevice::ClearBypassMap(r);
        for (int i = from; i <= to; ++i)
            r.bypassMap[i] = mark;
        r.bypassMapComplete = 0;
        return r;
    }

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void formAsDesigned()
    {
        Dialog d(3, &m_device, 2);
        QCOMPARE(d.windowTitle(), QStringLiteral("List of bypass frequencies"));
        QCOMPARE(d.size(), QSize(545, 620));
        CHILD(QTreeWidget, tree, &d, "m_pBypassTreeWidget");
        QStringList headers;
        for (int c = 0; c < tree->columnCount(); ++c)
            headers << tree->headerItem()->text(c);
        QCOMPARE(
            headers,
            QStringList({ "Number", "Start freq, MHz", "End freq, MHz", "Band, MHz", "Pattern" }));
        QCOMPARE(tree->header()->defaultSectionSize(), 110);
        QCOMPARE(tree->contextMenuPolicy(), Qt::CustomContextMenu);
    }

    void waitsThenShowsTheMap()
    {
        ModuleRecord &r = mapOf(3, 925, 935, 2);
        Dialog d(3, &m_device, 2);
        d.OnTimer();
        QCOMPARE(shown(d), QStringLiteral("Waiting|may take up to|30 sec...||"));
        // Drawn anew every 31 ticks only.
        qobject_cast<QTreeWidget *>(d.findChild<QTreeWidget *>())->clear();
        for (int i = 0; i < 30; ++i)
            d.OnTimer();
        QCOMPARE(shown(d), QString());
        d.OnTimer();
        QCOMPARE(shown(d), QStringLiteral("Waiting|may take up to|30 sec...||"));

        r.bypassMapComplete = 1;
        d.OnTimer();
        QCOMPARE(shown(d), QStringLiteral("1|925|935|10|PATT1_"));
        QCOMPARE(r.bypassMapComplete, 2);
        QVERIFY(!d.isWaiting());
    }

    void patternTextsAndNoData()
    {
        ModuleRecord &r = mapOf(4, 2400, 2410, 1);
        r.bypassMap[2405] = 2;
        r.bypassMap[433] = 8 | 4;
        r.bypassMapComplete = 1;
        {
            Dialog d(4, &m_device, 15);
            d.OnTimer();
            QCOMPARE(shown(d),
                     QStringLiteral("1|433|433|1|PATT2_MANUAL_\n"
                                    "2|2400|2410|10|DIGIT_PATT1_"));
        }
        r.bypassMapComplete = 1;
        Dialog none(4, &m_device, 0);
        none.OnTimer();
        QCOMPARE(shown(none), QStringLiteral("NO DATA||||"));
    }

    void deleteAsksTheModuleAgain()
    {
        ModuleRecord &r = mapOf(5, 925, 935, 2);
        r.bypassMapComplete = 1;
        r.expectedBypassBlock = 4;
        r.bypassBlockToggle = 2;
        Dialog d(5, &m_device, 2);
        d.OnTimer();
        CHILD(QTreeWidget, tree, &d, "m_pBypassTreeWidget");
        d.OnDeleteBypassString(); // no current row: nothing
        QCOMPARE(r.settings[SettingsBlock::Command], quint8(0));

        d.OnTreeContextMenu(QPoint(5, 5));
        QCOMPARE(d.menuEntries, QStringList({ "Delete the bypass string" }));
        tree->setCurrentItem(tree->topLevelItem(0));
        d.OnDeleteBypassString();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(r.settings.data()) + 37, 6).toHex(),
                 QByteArray("039d03a70008")); // 925, 935, kind 0, command 8
        QCOMPARE(r.expectedBypassBlock, quint8(0));
        QCOMPARE(r.bypassBlockToggle, quint8(0));
        QCOMPARE(r.bypassMapComplete, 0);
        QVERIFY(d.isWaiting());
        d.OnTimer();
        QCOMPARE(shown(d), QStringLiteral("Waiting|may take up to|30 sec...||"));

        // Neither the waiting row nor "NO DATA" is a range to delete.
        std::fill(r.settings.begin() + 37, r.settings.begin() + 43, 0);
        tree->setCurrentItem(tree->topLevelItem(0));
        d.OnDeleteBypassString();
        CMasterDevice::ClearBypassMap(r);
        r.bypassMapComplete = 1;
        d.OnTimer();
        QCOMPARE(shown(d), QStringLiteral("NO DATA||||"));
        tree->setCurrentItem(tree->topLevelItem(0));
        d.OnDeleteBypassString();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(r.settings.data()) + 37, 6).toHex(),
                 QByteArray("000000000000"));
        QCOMPARE(r.bypassMapComplete, 2);
    }

    void savesTheRowsAsShown()
    {
        QTemporaryDir dir;
        ModuleRecord &r = mapOf(6, 925, 935, 2);
        r.bypassMap[2400] = 2;
        r.bypassMap[2401] = 2;
        Dialog d(6, &m_device, 2);
        d.saveAs = dir.filePath("waiting.xml");
        d.OnTimer();
        d.OnSaveButton();
        QCOMPARE(Fixtures::readFile(d.saveAs),
                 QByteArray("<Bypass>\n <Item BeginFreq=\"may take up to\" EndFreq=\"30 "
                            "sec...\"/>\n</Bypass>\n"));

        r.bypassMapComplete = 1;
        d.OnTimer();
        d.saveAs = dir.filePath("list.xml");
        d.OnSaveButton();
        QCOMPARE(Fixtures::readFile(d.saveAs),
                 QByteArray("<Bypass>\n <Item BeginFreq=\"925\" EndFreq=\"935\"/>\n"
                            " <Item BeginFreq=\"2400\" EndFreq=\"2401\"/>\n</Bypass>\n"));
        QVERIFY(d.messages.isEmpty());

        // A failed save says so and leaves the earlier file as it was.
        d.saveAs = dir.filePath("list.xml/inner.xml");
        d.OnSaveButton();
        QCOMPARE(d.messages.size(), 1);
        QVERIFY2(d.messages.first().startsWith("Error: Cannot write the file"),
                 qPrintable(d.messages.first()));
        QCOMPARE(Fixtures::readFile(dir.filePath("list.xml")).count("<Item"), 2);

        // Cancel writes nothing.
        d.saveAs.clear();
        d.OnSaveButton();
        QCOMPARE(d.messages.size(), 1);
    }
};

QTEST_MAIN(TestBypassDialog)
#include "tst_bypassdialog.moc"
