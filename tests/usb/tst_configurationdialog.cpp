// The USB configuration dialog over the simulated driver: what crosses the
// link once per behaviour and the box each outcome shows.

#include "Controls.h"
#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"
#include "usb/CConfigurationDialog.h"
#include "usb/CFTDI.h"

#include <QApplication>
#include <QLibrary>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using Dialog = CConfigurationDialog;
using namespace Controls;
using namespace SettingsKeys;

namespace {

// A function of the simulated driver library, the copy the link loads. Bridges:
// 1 FT1248, 2 FT245R, 3 both; devices: 1 Wi-Fi, 2 Ethernet, 3 tuning unit.
template <typename R = void, typename... A> R sim(const char *name, A... args)
{
    static QLibrary library(QStringLiteral(HARRIER_FTD2XX_SIM));
    return reinterpret_cast<R (*)(A...)>(library.resolve(name))(args...);
}

// Request i as the device understood it.
QByteArray sentBlock(int i)
{
    QByteArray out(320, '\0');
    sim<int>("FTSim_Request", i, reinterpret_cast<unsigned char *>(out.data()));
    return out;
}

// The AT commands the Wi-Fi board received, one per line.
QString commands()
{
    QByteArray out(4096, '\0');
    out.resize(sim<int>("FTSim_Commands", out.data(), int(out.size())));
    return QString::fromLatin1(out);
}

// The Wi-Fi tab (no tuning poll) with "SSID|password|server|module address|Ethernet server".
void fill(Dialog &d, const QString &fields)
{
    const QStringList f = fields.split(QLatin1Char('|'));
    put(d, "m_pTabWidget", "currentIndex", Dialog::WiFiTab);
    put(d, "m_pModuleAddressCheckBox", "checked", !f.value(3).isEmpty());
    const char *const edits[] = { "m_pSSIDEdit", "m_pPasswordEdit", "m_pServerAddressEdit",
                                  "m_pModuleAddressEdit", "m_pServerAddress2Edit" };
    for (int i = 0; i < 5; ++i)
        put(d, edits[i], "text", f.value(i));
}

} // namespace

class TestConfigurationDialog : public QObject
{
    Q_OBJECT

    FakePrompts m_prompts;

private slots:
    void initTestCase()
    {
        // The dialog uses the station's own link, loaded by the override.
        qputenv("HARRIER_FTD2XX_LIBRARY", HARRIER_FTD2XX_SIM);
        QVERIFY(!CFTDI::instance().isLibraryMissing());
    }

    void init()
    {
        TestSettings::clear();
        CFTDI::instance().Close();
        sim("FTSim_Reset", 1, 1);
        m_prompts.shown.clear();
    }

    // Stored options reach the board over half bytes and come back; the poll,
    // due at every gap between steps, never takes a step's place.
    void wifiWriteAndReadBack()
    {
        sim("FTSim_Reset", 2, 1);
        StationOptions &o = StationOptions::instance();
        o.setValue(SecurityType, 3);
        o.setValue(ModuleNumber1, 15);
        {
            Dialog d;
            CHILD(QLineEdit, module, &d, "m_pModuleAddressEdit");
            fill(d, "Field Net|pa,ss|station.local||10.0.0.1");
            click(d, "m_pModuleAddressCheckBox");
            QVERIFY(module->isEnabled());
            module->setText(QStringLiteral("10.1.2.70"));
            click(d, "m_pApplyButton");
            QTimer poll;
            connect(&poll, &QTimer::timeout, &d, &Dialog::OnTimer2);
            poll.start(30);
            put(d, "m_pTabWidget", "currentIndex", Dialog::TuningTab);
            QTRY_COMPARE(d.sequenceState(), 9);
            click(d, "m_pRequestButton");
            QTRY_COMPARE(d.sequenceState(), 18);
        }
        QCOMPARE(commands().count(QLatin1Char('\n')), 9 + 6);
        QCOMPARE(m_prompts.shown,
                 QStringList("The data has been received successfully: The current WiFi "
                             "Settings from the device:\n\nSSID: Field Net\n\nSecurity type and "
                             "Password: WPAAES,pa,ss\n\nServer address: station.local\n\nModule "
                             "number: 16\n\nModule address: 10.1.2.70\n\nFirmware version: 1.2.3"));
        // Written back when the dialog goes.
        QCOMPARE(QSettings().value(ServerAddress2).toString(), "10.0.0.1");
    }

    // Each outcome's one box over the driver; the busy cursor goes, Ethernet
    // exchanges close the link. A late or missing answer ends a sequence
    // with one data-error box, and the next read never sees what it left behind.
    void outcomes_data()
    {
        QTest::addColumn<QString>("setup");  // bridges, device, button
        QTest::addColumn<QString>("fields"); // SSID|password|server|module address|Ethernet server
        QTest::addColumn<QByteArray>("request"); // hex of the first request's first bytes
        QTest::addColumn<QString>("box");
        // For a failed exchange: from request, bytes short, held ms; the AT commands sent.
        QTest::addColumn<QStringList>("fault");
        const QString station = "Station||192.168.1.64|";
        const QString failed = "Error: Connection status: USB OK. DATA ERROR";
        QTest::newRow("Ethernet set, half bytes")
            << "2 2 m_pApply2Button"
            << "||||192,168.1,64" << QByteArray("6a4950 05 c0a80140")
            << "Success: Connection status: DATA SENT SUCCESSFULLY" << QStringList();
        QTest::newRow("Ethernet read")
            << "1 2 m_pRequest2Button"
            << "" << QByteArray("6a4952")
            << "The data has been received successfully: Server address: 192.168.1.64\n\n "
               "Module number: 3\n\n Firmware version: 1.2.3"
            << QStringList();
        QTest::newRow("read, held back 4 s from AT+WSET=?")
            << "1 1 m_pRequestButton" << station << QByteArray("51") << failed
            << QStringList({ "1 0 4000", "AT\nAT+WSET=?\n" });
        QTest::newRow("write, silent from step 2, half bytes")
            << "2 1 m_pApplyButton" << station << QByteArray("51") << failed
            << QStringList({ "2 320 0", "AT\nAT+MECHO=0\nAT+WSEC=0,OPEN,\n" });
    }

    void outcomes()
    {
        QFETCH(QString, setup);
        QFETCH(QString, fields);
        QFETCH(QByteArray, request);
        QFETCH(QString, box);
        QFETCH(QStringList, fault);
        const QStringList s = setup.split(QLatin1Char(' '));
        sim("FTSim_Reset", s[0].toInt(), s[1].toInt());
        const QStringList f = fault.value(0).split(QLatin1Char(' '));
        if (!fault.isEmpty())
            sim("FTSim_FaultFrom", f[0].toInt(), f[1].toInt(), f[2].toInt());
        Dialog d;
        fill(d, fields);
        put(d, "m_pModuleNumber2ComboBox", "currentIndex", 4);
        click(d, s[2].toLatin1().constData());
        QTRY_VERIFY_WITH_TIMEOUT(!m_prompts.shown.isEmpty(), 8000);
        QTest::qWait(fault.isEmpty() ? 250 : 1200); // a late answer arrives meanwhile
        QCOMPARE(m_prompts.shown, QStringList(box));
        const QByteArray hex = QByteArray::fromHex(request);
        QCOMPARE(sentBlock(0).left(hex.size()), hex);
        QVERIFY(!QApplication::overrideCursor()); // the busy cursor is gone
        if (s[2].contains(QLatin1Char('2')))
            QCOMPARE(sim<int>("FTSim_OpenHandles"), 0);
        if (fault.isEmpty()) {
            QCOMPARE(sim<int>("FTSim_RequestCount"), 1);
            return;
        }
        QCOMPARE(commands(), fault[1]);
        sim("FTSim_FaultFrom", -1, 0, 0);
        click(d, "m_pRequestButton");
        QTRY_COMPARE(m_prompts.shown.size(), 2);
        const QRegularExpression clean("SSID: Station\n\n.*Module number: 5\n\n",
                                       QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(clean.match(m_prompts.shown[1]).hasMatch(), qPrintable(m_prompts.shown[1]));
    }

    // The poll after a short answer (the link closed), the four steps through it,
    // and OK restarting the unit.
    void tuningFourSteps()
    {
        sim("FTSim_Reset", 3, 3);
        sim("FTSim_SetTuning", 40, 300, 5, 0x03, 70);
        sim("FTSim_FaultFrom", 0, 1, 0);
        Dialog d;
        QTRY_COMPARE_WITH_TIMEOUT(read(d, { "m_pLabelMessage" }), "Connection status: Data error!",
                                  8000);
        QVERIFY(!CFTDI::instance().isOpen());
        sim("FTSim_FaultFrom", -1, 0, 0);
        QTRY_COMPARE(read(d,
                          { "m_pSuppressionQualityLabel", "m_pPosAddQualityLabel",
                            "m_pNegAddQualityLabel", "m_pOkButton" }),
                     "Suppression quality = 40%|Surplus of quality = 300|Lack of quality = 5|"
                     "OK - RESTART");
        click(d, "m_pResetBaseLevelButton");
        const QList<const char *> controls = { "m_pGetBaseLevelButton", "m_pGetSuppressionButton",
                                               "m_pSavePatternButton", "m_pAverageFactorComboBox" };
        QCOMPARE(read(d, { "m_pLabelStatus" }) + Fixtures::enabled(d, controls),
                 "Status: Message 21001");
        QTest::qWait(600);
        click(d, "m_pGetBaseLevelButton");
        click(d, "m_pGetSuppressionButton"); // refused below 50 %
        sim("FTSim_SetTuning", 80, 300, 5, 0x03, 70);
        QTRY_COMPARE(TuningState::instance().shownQuality, 80);
        click(d, "m_pGetSuppressionButton");
        sim("FTSim_SetTuning", 40, 1, 2, 0x03, 70); // the status words follow the unit
        QTRY_COMPARE(read(d, { "m_pLabelStatus" }), "Status: Message 4 NO JAMMER!!!  40 1 2");
        click(d, "m_pSavePatternButton");
        QTRY_COMPARE(read(d, { "m_pLabelStatus" }), "Status: Message 5");
        QTest::qWait(1100);
        // The refusal, the notice with the quality, the saved pattern's box.
        QCOMPARE(m_prompts.shown.size(), 3);
        QCOMPARE(m_prompts.shown[1],
                 QCoreApplication::applicationName()
                     + ": Pay attention that the suppression quality is 80% "
                       "and this is less than 95%");
        click(d, "m_pOkButton");
        QCOMPARE(d.result(), int(QDialog::Rejected));
        const int restart = sim<int>("FTSim_RequestCount");
        QTRY_COMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(int(quint8(sentBlock(restart).at(265))), 0xCC);
    }

    // The default box widens for a title longer than its text, which the title
    // bar would cut otherwise.
    void longTitleWidensTheBox()
    {
        const QString title(40, QLatin1Char('W'));
        int width = 0, needed = 0;
        QTimer::singleShot(0, this, [&] {
            QWidget *box = QApplication::activeModalWidget();
            width = box->width();
            needed = box->fontMetrics().horizontalAdvance(title) + 160;
            box->close();
        });
        Prompts::setCurrent(nullptr);
        Prompts::current().message(nullptr, QMessageBox::Critical, title, QStringLiteral("OK"));
        Prompts::setCurrent(&m_prompts);
        QVERIFY2(width >= needed, qPrintable(QString::number(width)));
    }

    void statusWords()
    {
        const QStringList words = { Dialog::StatusText(0x0E), Dialog::StatusText(0x0C),
                                    Dialog::StatusText(0x08), Dialog::StatusText(0xF0) };
        QCOMPARE(words.join(u'|'),
                 "BAD SUPPRESSION!!!|SUPPRESSION CHANGED!!!|SUPPRESSION CHANGED !!!|ALL RIGHT");
    }};

QTEST_MAIN(TestConfigurationDialog)
#include "tst_configurationdialog.moc"
