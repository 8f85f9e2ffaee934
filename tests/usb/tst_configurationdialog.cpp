// The USB link and the configuration dialog over the simulated driver: what
// crosses the link once per behaviour and the box each outcome shows.

#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"
#include "usb/CConfigurationDialog.h"
#include "usb/CFTDI.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using Dialog = CConfigurationDialog;

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

// "i title: text" per box, the letter for the icon (information, warning, critical).
QStringList boxes(const FakePrompts &p)
{
    QStringList out;
    for (int i = 0; i < p.shown.size(); ++i)
        out << QString(QLatin1Char(" iwc"[qMin(int(p.icons[i]), 3)])) + ' ' + p.shown[i];
    return out;
}

// The Wi-Fi tab (no tuning poll) with "SSID|password|server|module address|Ethernet server".
void fill(Dialog &d, const QString &fields)
{
    const QStringList f = fields.split(QLatin1Char('|'));
    CHILD(QTabWidget, tabs, &d, "m_pTabWidget");
    CHILD(QCheckBox, moduleBox, &d, "m_pModuleAddressCheckBox");
    tabs->setCurrentIndex(Dialog::WiFiTab);
    moduleBox->setChecked(!f.value(3).isEmpty());
    const char *const edits[] = { "m_pSSIDEdit", "m_pPasswordEdit", "m_pServerAddressEdit",
                                  "m_pModuleAddressEdit", "m_pServerAddress2Edit" };
    for (int i = 0; i < 5; ++i) {
        CHILD(QLineEdit, edit, &d, edits[i]);
        edit->setText(f.value(i));
    }
}

} // namespace

class TestConfigurationDialog : public QObject
{
    Q_OBJECT

    FakePrompts m_prompts;

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        // The dialogs use the station's own link, loaded by the override.
        qputenv("HARRIER_FTD2XX_LIBRARY", HARRIER_FTD2XX_SIM);
        QVERIFY(!CFTDI::instance().isLibraryMissing());
    }

    void init()
    {
        TestSettings::clear();
        CFTDI::instance().Close();
        sim("FTSim_Reset", 1, 1);
        m_prompts.shown.clear();
        m_prompts.icons.clear();
    }

    // A library without every entry point opens nothing: resolution stops at
    // the first missing name, and a handle that could not be closed is not kept.
    void linkWithMissingEntries()
    {
        CFTDI none(QStringLiteral("/nonexistent/libftd2xx-none.so"));
        CFTDI partial(QStringLiteral(HARRIER_FTD2XX_SIM_PARTIAL));
        CFTDI noClose(QStringLiteral(HARRIER_FTD2XX_SIM_NOCLOSE));
        QVERIFY(none.isLibraryMissing() && !partial.isLibraryMissing());
        QCOMPARE(partial.resolvedCount() * 10 + noClose.resolvedCount(), 23);
        UsbBlocks::Block answer{};
        for (CFTDI *link : { &none, &partial, &noClose }) {
            link->Open();
            QVERIFY(!link->isOpen() && !link->Transact(UsbBlocks::Block{}, answer));
            QCOMPARE(link->Purge(), CFTDI::InvalidHandle);
        }
    }

    // The FT1248 bridge when both are there; opening again closes first.
    void linkBridgeChoice()
    {
        CFTDI link(QStringLiteral(HARRIER_FTD2XX_SIM));
        const int rows[][3] = { { 3, 1, UsbBlocks::KindFt1248 },
                                { 2, 1, UsbBlocks::KindFifo },
                                { 0, 0, UsbBlocks::KindNone } };
        for (const auto &row : rows) {
            sim("FTSim_Reset", row[0], 1);
            link.Open();
            link.Open();
            QCOMPARE(sim<int>("FTSim_OpenHandles"), row[1]);
            QCOMPARE(link.isOpen() ? link.deviceKind() : UsbBlocks::KindNone, row[2]);
            link.Close();
            QCOMPARE(sim<int>("FTSim_OpenHandles"), 0);
        }
    }

    // Stored options reach the board over half bytes and come back; a step due
    // while another exchange waits runs after it, and the poll, due at every
    // gap between steps, never takes a step's place.
    void wifiWriteAndReadBack()
    {
        sim("FTSim_Reset", 2, 1);
        StationOptions &o = StationOptions::instance();
        o.setValue(SettingsKeys::SecurityType, 3);
        o.setValue(SettingsKeys::ModuleNumber1, 15);
        {
            Dialog d;
            CHILD(QTabWidget, tabs, &d, "m_pTabWidget");
            CHILD(QLineEdit, module, &d, "m_pModuleAddressEdit");
            CHILD(QCheckBox, moduleBox, &d, "m_pModuleAddressCheckBox");
            CHILD(QPushButton, apply, &d, "m_pApplyButton");
            CHILD(QPushButton, read, &d, "m_pRequestButton");
            fill(d, "Field Net|pa,ss|station.local||10.0.0.1");
            moduleBox->click();
            QVERIFY(module->isEnabled());
            module->setText(QStringLiteral("10.1.2.70"));
            CFTDI::instance().Open();
            sim("FTSim_HoldAnswers", 600);
            QTimer::singleShot(10, apply, &QPushButton::click);
            UsbBlocks::Block answer{};
            QVERIFY(CFTDI::instance().Transact(UsbBlocks::atRequest("AT"), answer));
            sim("FTSim_HoldAnswers", 0);
            QTimer poll;
            connect(&poll, &QTimer::timeout, &d, &Dialog::OnTimer2);
            poll.start(30);
            tabs->setCurrentIndex(Dialog::TuningTab);
            QTRY_COMPARE(d.sequenceState(), 9);
            read->click();
            QTRY_COMPARE(d.sequenceState(), 18);
        }
        QCOMPARE(commands().count(QLatin1Char('\n')), 1 + 9 + 6);
        QCOMPARE(boxes(m_prompts),
                 QStringList("i The data has been received successfully: The current WiFi "
                             "Settings from the device:\n\nSSID: Field Net\n\nSecurity type and "
                             "Password: WPAAES,pa,ss\n\nServer address: station.local\n\nModule "
                             "number: 16\n\nModule address: 10.1.2.70\n\nFirmware version: 1.2.3"));
        // Written back when the dialog goes.
        QCOMPARE(QSettings().value(SettingsKeys::ServerAddress2).toString(), "10.0.0.1");
    }

    // A short, late or missing answer ends the sequence with one data-error
    // box; later exchanges never read what it left behind.
    void failedExchangeEndsTheSequence_data()
    {
        QTest::addColumn<QString>("fault"); // bridges, write, from request, bytes short, held ms
        QTest::addColumn<QString>("sent");
        QTest::newRow("read, one byte short from AT+WSEC=?") << "1 0 2 1 0"
                                                             << "AT\nAT+WSET=?\nAT+WSEC=?\n";
        QTest::newRow("read, held back 4 s from AT+WSET=?") << "1 0 1 0 4000"
                                                            << "AT\nAT+WSET=?\n";
        QTest::newRow("write, silent from step 2, half bytes")
            << "2 1 2 320 0"
            << "AT\nAT+MECHO=0\nAT+WSEC=0,OPEN,\n";
    }

    void failedExchangeEndsTheSequence()
    {
        QFETCH(QString, fault);
        QFETCH(QString, sent);
        const QStringList f = fault.split(QLatin1Char(' '));
        sim("FTSim_Reset", f[0].toInt(), 1);
        Dialog d;
        fill(d, "Station||192.168.1.64|");
        CHILD(QPushButton, apply, &d, "m_pApplyButton");
        CHILD(QPushButton, read, &d, "m_pRequestButton");
        sim("FTSim_FaultFrom", f[2].toInt(), f[3].toInt(), f[4].toInt());
        (f[1] == QLatin1String("1") ? apply : read)->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_prompts.shown.size(), 1, 8000);
        QTest::qWait(1200); // a late answer arrives meanwhile
        QCOMPARE(boxes(m_prompts), QStringList("c Error: Connection status: USB OK. DATA ERROR"));
        QCOMPARE(commands(), sent);
        sim("FTSim_FaultFrom", -1, 0, 0);
        read->click();
        QTRY_COMPARE(m_prompts.shown.size(), 2);
        QVERIFY2(m_prompts.shown[1].contains(QStringLiteral("SSID: Station\n\n"))
                     && m_prompts.shown[1].contains(QStringLiteral("Module number: 5\n\n")),
                 qPrintable(m_prompts.shown[1]));
    }

    // Each outcome's one box; Ethernet exchanges close the link.
    void outcomes_data()
    {
        QTest::addColumn<QString>("setup");  // bridges, device, button, probe answer
        QTest::addColumn<QString>("fields"); // SSID|password|server|module address|Ethernet server
        QTest::addColumn<QByteArray>("request"); // hex of the request's first bytes; none sent
        QTest::addColumn<QString>("box");
        const QString good = "Net||1.2.3.4|", wrong = "w Error: Connection status: WRONG DEVICE";
        const QString noUsb = "c Error: Connection status: USB ERROR";
        QTest::newRow("Wi-Fi, wrong device")
            << "1 2 m_pApplyButton" << good << QByteArray("51 4154 7d") << wrong;
        QTest::newRow("probe error")
            << "1 1 m_pRequestButton [ERR]" << good << QByteArray("51") << noUsb;
        QTest::newRow("board still with a station")
            << "1 1 m_pApplyButton \u00d6[OK]" << good << QByteArray("51")
            << "c Error: Connection status: ANOTHER CONNECTION IS ESTABLISHED";
        QTest::newRow("Ethernet set, half bytes")
            << "2 2 m_pApply2Button"
            << "||||192.168.1.64" << QByteArray("6a4950 05 c0a80140")
            << "i Success: Connection status: DATA SENT SUCCESSFULLY";
        QTest::newRow("Ethernet read")
            << "1 2 m_pRequest2Button"
            << "" << QByteArray("6a4952")
            << "i The data has been received successfully: Server address: 192.168.1.64\n\n "
               "Module number: 3\n\n Firmware version: 1.2.3";
        QTest::newRow("Ethernet, no bridge") << "0 2 m_pRequest2Button"
                                             << "" << QByteArray() << noUsb;
    }

    void outcomes()
    {
        QFETCH(QString, setup);
        QFETCH(QString, fields);
        QFETCH(QByteArray, request);
        QFETCH(QString, box);
        const QStringList s = setup.split(QLatin1Char(' '));
        sim("FTSim_Reset", s[0].toInt(), s[1].toInt());
        if (s.size() > 3)
            sim("FTSim_ProbeAnswer", (s[3].toLatin1() + "\r\n").constData());
        Dialog d;
        fill(d, fields);
        CHILD(QComboBox, number, &d, "m_pModuleNumber2ComboBox");
        CHILD(QPushButton, start, &d, s[2].toLatin1().constData());
        number->setCurrentIndex(4);
        start->click();
        QTRY_VERIFY(!m_prompts.shown.isEmpty());
        QTest::qWait(250);
        QCOMPARE(boxes(m_prompts), QStringList(box));
        const QByteArray hex = QByteArray::fromHex(request);
        QCOMPARE(sim<int>("FTSim_RequestCount"), hex.isEmpty() ? 0 : 1);
        QCOMPARE(sentBlock(0).left(hex.size()), hex);
        QVERIFY(!QApplication::overrideCursor()); // the busy cursor is gone
        if (s[2].contains(QLatin1Char('2')))
            QCOMPARE(sim<int>("FTSim_OpenHandles"), 0);
    }

    // The poll without a bridge, after a failure (the link closed) and on
    // other tabs; the four steps through it; OK restarting the unit.
    void tuningFourSteps()
    {
        sim("FTSim_Reset", 0, 3);
        Dialog d;
        CHILD(QLabel, message, &d, "m_pLabelMessage");
        CHILD(QTabWidget, tabs, &d, "m_pTabWidget");
        CHILD(QLabel, status, &d, "m_pLabelStatus");
        CHILD(QLabel, quality, &d, "m_pSuppressionQualityLabel");
        CHILD(QLabel, surplus, &d, "m_pPosAddQualityLabel");
        CHILD(QLabel, lack, &d, "m_pNegAddQualityLabel");
        CHILD(QPushButton, ok, &d, "m_pOkButton");
        CHILD(QPushButton, reset, &d, "m_pResetBaseLevelButton");
        CHILD(QPushButton, base, &d, "m_pGetBaseLevelButton");
        CHILD(QPushButton, grab, &d, "m_pGetSuppressionButton");
        CHILD(QPushButton, save, &d, "m_pSavePatternButton");
        const QList<const char *> controls = { "m_pGetBaseLevelButton", "m_pGetSuppressionButton",
                                               "m_pSavePatternButton", "m_pAverageFactorComboBox" };
        QTRY_COMPARE(message->text(), QStringLiteral("Connection status: USB ERROR"));
        sim("FTSim_Reset", 3, 3);
        sim("FTSim_SetTuning", 40, 300, 5, 0x03, 70);
        sim("FTSim_FaultFrom", 0, 1, 0);
        QTRY_COMPARE_WITH_TIMEOUT(message->text(), "Connection status: Data error!", 8000);
        QVERIFY(!CFTDI::instance().isOpen());
        sim("FTSim_FaultFrom", -1, 0, 0);
        QTRY_COMPARE(quality->text() + surplus->text() + lack->text() + ok->text(),
                     "Suppression quality = 40%Surplus of quality = 300Lack of quality = 5OK - "
                     "RESTART");
        reset->click();
        QCOMPARE(status->text() + Fixtures::enabled(d, controls), "Status: Message 21001");
        QTest::qWait(600);
        base->click();
        QCOMPARE(status->text(), QStringLiteral("Status: Message 3"));
        grab->click(); // refused below 50 %
        sim("FTSim_SetTuning", 80, 300, 5, 0x03, 70);
        QTRY_COMPARE(TuningState::instance().shownQuality, 80);
        grab->click();
        QCOMPARE(status->text() + Fixtures::enabled(d, controls), "Status: Message 40010");
        // Grabbed figures stay; the status words follow the unit.
        sim("FTSim_SetTuning", 40, 1, 2, 0x03, 70);
        QTRY_COMPARE(status->text(), QStringLiteral("Status: Message 4 NO JAMMER!!!  40 1 2"));
        QCOMPARE(quality->text(), QStringLiteral("Suppression quality = 80%"));
        save->click();
        QTRY_COMPARE(status->text(), QStringLiteral("Status: Message 5"));
        QTest::qWait(1100);
        QCOMPARE(boxes(m_prompts),
                 QStringList({ "c Error: Suppression quality is less than 50%. The operation "
                               "cannot be done.",
                               "i " + QCoreApplication::applicationName()
                                   + ": Pay attention that the suppression quality is 80% and "
                                     "this is less than 95%",
                               "i Information: The pattern and settings were saved into the "
                               "device successfully." }));
        tabs->setCurrentIndex(Dialog::WiFiTab);
        QTest::qWait(700); // a poll already scheduled may still go out
        const int count = sim<int>("FTSim_RequestCount");
        QTest::qWait(1100);
        QCOMPARE(QString::number(sim<int>("FTSim_RequestCount") - count) + ok->text(), "0OK");
        tabs->setCurrentIndex(Dialog::TuningTab);
        ok->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        const int restart = sim<int>("FTSim_RequestCount");
        QTRY_COMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(int(quint8(sentBlock(restart).at(265))), 0xCC);
    }

    void statusWords()
    {
        QCOMPARE(Dialog::StatusText(0x03), QStringLiteral("NO JAMMER!!! "));
        QCOMPARE(Dialog::StatusText(0x0E), QStringLiteral("BAD SUPPRESSION!!!"));
        QCOMPARE(Dialog::StatusText(0x0C), QStringLiteral("SUPPRESSION CHANGED!!!"));
        QCOMPARE(Dialog::StatusText(0x08), QStringLiteral("SUPPRESSION CHANGED !!!"));
        QCOMPARE(Dialog::StatusText(0xF0), QStringLiteral("ALL RIGHT"));
    }
};

QTEST_MAIN(TestConfigurationDialog)
#include "tst_configurationdialog.moc"
