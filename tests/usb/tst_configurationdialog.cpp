// The configuration dialog driven end to end against the simulated devices:
// what its controls send, the Wi-Fi sequences with their failures and the
// tuning poll between their steps, the Ethernet set and read, the four tuning
// steps with the poll, every failure box and the settings it keeps.

#include "Fixtures.h"
#include "SimControl.h"
#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"
#include "usb/CConfigurationDialog.h"
#include "usb/CFTDI.h"
#include "usb/TuningState.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QFontMetricsF>
#include <QTest>
#include <QTimer>

namespace {

// Records every box instead of showing it.
class Dialog : public CConfigurationDialog
{
public:
    using CConfigurationDialog::CConfigurationDialog;
    QStringList boxes;
    std::unique_ptr<QMessageBox> box(const QString &title)
    {
        return makeBox(QMessageBox::Information, title, QStringLiteral("SSID: x"));
    }

protected:
    void message(QMessageBox::Icon icon, const QString &title, const QString &text) override
    {
        static const char *const names[] = { "none", "information", "warning", "critical" };
        boxes << QStringLiteral("%1 | %2 | %3")
                     .arg(QLatin1String(names[int(icon) < 4 ? int(icon) : 0]), title, text);
        // The busy cursor of an exchange is gone by the time its result is told.
        if (QApplication::overrideCursor())
            boxes << QStringLiteral("busy cursor left");
    }
};

template <typename T> T *child(QObject *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

QString text(QObject *d, const char *label)
{
    return child<QLabel>(d, label)->text();
}

void click(QObject *d, const char *button)
{
    child<QPushButton>(d, button)->click();
}

QLineEdit *edit(QObject *d, const char *name)
{
    return child<QLineEdit>(d, name);
}

void tab(QObject *d, int index)
{
    child<QTabWidget>(d, "m_pTabWidget")->setCurrentIndex(index);
}

// The Wi-Fi tab shown and filled: "SSID|password|server|module address"
// (the module address box checked when one is given).
void wifi(Dialog &d, const QString &fields)
{
    const QStringList f = fields.split(QLatin1Char('|'));
    tab(&d, CConfigurationDialog::WiFiTab);
    edit(&d, "m_pSSIDEdit")->setText(f[0]);
    edit(&d, "m_pPasswordEdit")->setText(f[1]);
    edit(&d, "m_pServerAddressEdit")->setText(f[2]);
    child<QCheckBox>(&d, "m_pModuleAddressCheckBox")->setChecked(!f[3].isEmpty());
    edit(&d, "m_pModuleAddressEdit")->setText(f[3]);
}

} // namespace

class TestConfigurationDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        QVERIFY2(SimControl::load(), qPrintable(SimControl::path()));
        // The dialogs use the station's own link, loaded by the override.
        qputenv("HARRIER_FTD2XX_LIBRARY", SimControl::path().toLocal8Bit());
        QVERIFY(!CFTDI::instance().isLibraryMissing());
    }

    void init()
    {
        TestSettings::clear();
        CFTDI::instance().Close();
        SimControl::reset(SimControl::Ft1248, SimControl::WiFi);
    }

    void formAndSettings()
    {
        StationOptions &o = StationOptions::instance();
        o.setValue(SettingsKeys::SSID, QStringLiteral("Net"));
        o.setValue(SettingsKeys::SecurityType, 4);
        o.setValue(SettingsKeys::ModuleAddress1CheckBox, true);
        o.setValue(SettingsKeys::SuppressionFactor, QStringLiteral("12"));
        {
            Dialog d;
            QCOMPARE(d.windowTitle(), QStringLiteral("Device Configuration Dialog"));
            QCOMPARE(d.size(), QSize(554, 677));
            QCOMPARE(child<QTabWidget>(&d, "m_pTabWidget")->currentIndex(), 2);
            // The band caption under the graph is not cut off.
            auto *caption = child<QLabel>(&d, "m_pBandCaption");
            QVERIFY(QFontMetricsF(caption->font()).horizontalAdvance(caption->text()) <= 528);
            QCOMPARE(edit(&d, "m_pSSIDEdit")->text(), QStringLiteral("Net"));
            QCOMPARE(child<QComboBox>(&d, "m_pSecurityTypeComboBox")->currentText(),
                     QStringLiteral("WPA2 - AES"));
            QCOMPARE(child<QComboBox>(&d, "m_pModuleNumberComboBox")->itemText(15),
                     QStringLiteral("16"));
            QVERIFY(edit(&d, "m_pModuleAddressEdit")->isEnabled());
            child<QCheckBox>(&d, "m_pModuleAddressCheckBox")->click();
            QVERIFY(!edit(&d, "m_pModuleAddressEdit")->isEnabled());
            QCOMPARE(Fixtures::enabled(d,
                                       { "m_pResetBaseLevelButton", "m_pGetBaseLevelButton",
                                         "m_pGetSuppressionButton", "m_pSavePatternButton" }),
                     QStringLiteral("1000"));
            QCOMPARE(text(&d, "m_pLabelStatus"), QStringLiteral("Status: Message 1"));
            QCOMPARE(TuningState::instance().suppressionFactor, 12);
            edit(&d, "m_pServerAddress2Edit")->setText(QStringLiteral("10.0.0.1"));
        }
        // Written back at destruction.
        QSettings s;
        QCOMPARE(s.value(SettingsKeys::ServerAddress2).toString(), QStringLiteral("10.0.0.1"));
        QCOMPARE(s.value(SettingsKeys::ModuleAddress1CheckBox).toBool(), false);
        QCOMPARE(s.value(SettingsKeys::SecurityType).toInt(), 4);
    }

    // A short, late or missing answer ends the sequence at its step with one
    // data-error box; later exchanges never read what it left behind.
    void failedExchangeEndsTheSequence_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("shortBy");
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<QString>("sent");
        QTest::newRow("read, one byte short from AT+WSEC=?")
            << QByteArray("m_pRequestButton") << 2 << 1 << 0 << "AT\nAT+WSET=?\nAT+WSEC=?\n";
        QTest::newRow("read, held back 4 s from AT+WSET=?")
            << QByteArray("m_pRequestButton") << 1 << 0 << 4000 << "AT\nAT+WSET=?\n";
        QTest::newRow("write, silent from step 2")
            << QByteArray("m_pApplyButton") << 2 << 320 << 0 << "AT\nAT+MECHO=0\nAT+WSEC=0,OPEN,\n";
    }

    void failedExchangeEndsTheSequence()
    {
        QFETCH(QByteArray, button);
        QFETCH(int, from);
        QFETCH(int, shortBy);
        QFETCH(int, holdMs);
        QFETCH(QString, sent);
        Dialog d;
        wifi(d, "Station||192.168.1.64|");
        SimControl::faultFrom(from, shortBy, holdMs);
        click(&d, button.constData());
        QTRY_COMPARE_WITH_TIMEOUT(d.boxes.size(), 1, 8000);
        QCOMPARE(d.boxes[0],
                 QStringLiteral("critical | Error | Connection status: USB OK. DATA ERROR"));
        QTest::qWait(1200); // a late answer arrives meanwhile
        QCOMPARE(SimControl::commands(), sent);
        QCOMPARE(d.boxes.size(), 1);

        SimControl::faultFrom(-1, 0, 0);
        click(&d, "m_pRequestButton");
        QTRY_COMPARE(d.boxes.size(), 2);
        QVERIFY2(d.boxes[1].contains(QStringLiteral("SSID: Station\n\n"))
                     && d.boxes[1].contains(
                         QStringLiteral("Server address: 192.168.1.64\n\nModule number: 5\n\n")),
                 qPrintable(d.boxes[1]));
    }

    // What the controls hold reaches the board (on the half-byte bridge) and
    // the read-back box shows what it answers, while the tuning poll, due at
    // every gap between steps, never takes a step's place.
    void wifiWriteAndReadBackWithTuningTab()
    {
        SimControl::reset(SimControl::Fifo, SimControl::WiFi);
        Dialog d;
        wifi(d, "Field Net|pa,ss|station.local|10.1.2.70");
        child<QComboBox>(&d, "m_pSecurityTypeComboBox")->setCurrentIndex(3);
        child<QComboBox>(&d, "m_pModuleNumberComboBox")->setCurrentIndex(15);
        QTimer poll;
        connect(&poll, &QTimer::timeout, &d, &CConfigurationDialog::OnTimer2);
        poll.start(30);
        click(&d, "m_pApplyButton");
        tab(&d, CConfigurationDialog::TuningTab);
        QTRY_COMPARE(d.sequenceState(), 9);
        tab(&d, CConfigurationDialog::WiFiTab);
        QTest::qWait(150);
        click(&d, "m_pRequestButton");
        tab(&d, CConfigurationDialog::TuningTab);
        QTRY_COMPARE(d.sequenceState(), 18);
        QCOMPARE(SimControl::commands(),
                 QStringLiteral("AT\nAT+MECHO=0\nAT+WSEC=0,WPAAES,pa,ss\nAT+WSET=0,Field Net\n"
                                "AT+SCON=S,TCN,station.local,2323,2323,1\n"
                                "AT+WNET=1,10.1.2.70,255.255.255.0\nAT+MPROF=S\nAT+MRESET\nAN=16\n"
                                "AT\nAT+WSET=?\nAT+WSEC=?\nAT+SCON=?\nAT+WNET=?\nAN?\n"));
        QCOMPARE(d.boxes,
                 QStringList("information | The data has been received successfully | The current "
                             "WiFi Settings from the device:\n\nSSID: Field Net\n\nSecurity type "
                             "and Password: WPAAES,pa,ss\n\nServer address: station.local\n\n"
                             "Module number: 16\n\nModule address: 10.1.2.70\n\nFirmware "
                             "version: 1.2.3"));
        QCOMPARE(SimControl::request(2).left(25), QByteArray("QAT+WSEC=0,WPAAES,pa,ss}\0", 25));
    }

    // Each way a Wi-Fi exchange is refused or fails, with its one box.
    void wifiBoxes_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<QByteArray>("probe");
        QTest::addColumn<QString>("fields"); // SSID|password|server|module address
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<int>("requests");
        QTest::addColumn<QString>("box");
        const QByteArray apply("m_pApplyButton"), none;
        const QString good = "Net||192.168.1.64|";
        const QString refused = QStringLiteral(
            "critical | Error | '%1' must not contain '}', control characters or characters the "
            "device cannot receive");
        QTest::newRow("} in password")
            << 1 << none << "Net|ab}cd|192.168.1.64|" << apply << 0 << refused.arg("Password");
        QTest::newRow("server address")
            << 1 << none << "Net||192.168.1.300|" << apply << 0
            << "warning | Error | 'Server address' must be an IPv4 address such as 192.168.1.64 "
               "or a host name of letters, digits, dots and hyphens";
        QTest::newRow("module address")
            << 1 << none << "Net||192.168.1.64|module" << apply << 0
            << "warning | Error | 'Module address' must be four numbers from 0 to 255 separated "
               "by dots, for example 192.168.1.64";
        QTest::newRow("} in the sending string") << 1 << none << good << QByteArray("m_pSendButton")
                                                 << 0 << refused.arg("Sending string");
        QTest::newRow("wrong device") << 2 << none << good << apply << 1
                                      << "warning | Error | Connection status: WRONG DEVICE";
        QTest::newRow("no bridge") << -1 << none << good << apply << 0
                                   << "critical | Error | Connection status: USB ERROR";
        QTest::newRow("probe error")
            << 1 << QByteArray("[ERR]\r\n") << good << QByteArray("m_pRequestButton") << 1
            << "critical | Error | Connection status: USB ERROR";
        QTest::newRow("board still with a station")
            << 1 << QByteArray("\xd6[OK]\r\n") << good << apply << 1
            << "critical | Error | Connection status: ANOTHER CONNECTION IS ESTABLISHED";
    }

    void wifiBoxes()
    {
        QFETCH(int, device);
        QFETCH(QByteArray, probe);
        QFETCH(QString, fields);
        QFETCH(QByteArray, button);
        QFETCH(int, requests);
        QFETCH(QString, box);
        SimControl::reset(device < 0 ? 0 : SimControl::Ft1248, qMax(device, 0));
        if (!probe.isEmpty())
            SimControl::probeAnswer(probe);
        Dialog d;
        wifi(d, fields);
        edit(&d, "m_pTxEdit")->setText(QStringLiteral("AT}"));
        click(&d, button.constData());
        QTRY_COMPARE(d.boxes.size(), 1);
        QTest::qWait(250);
        QCOMPARE(d.boxes, QStringList(box));
        QCOMPARE(SimControl::requestCount(), requests);
    }

    // A step that comes due while another exchange still waits for its answer
    // runs after it: the write goes on to its last command instead of ending
    // half way without a word.
    void sequenceStepWaitsForAnExchange()
    {
        Dialog d;
        wifi(d, "Net||192.168.1.64|");
        CFTDI &link = CFTDI::instance();
        link.Open();
        SimControl::holdAnswers(600);
        // The write's first step comes due 100 ms later, while the exchange below waits.
        QTimer::singleShot(10, &d, [&d] { click(&d, "m_pApplyButton"); });
        UsbBlocks::Block answer{};
        QVERIFY(link.Transact(UsbBlocks::atRequest(QStringLiteral("AT")), answer));
        SimControl::holdAnswers(0);
        QTRY_COMPARE(d.sequenceState(), 9);
        QCOMPARE(SimControl::commands().count(QLatin1Char('\n')), 1 + 9);
        QCOMPARE(d.boxes, QStringList());
    }

    // The Ethernet set and read: the request built from the controls and
    // the one box of each answer; the link is closed after each.
    void ethernet_data()
    {
        QTest::addColumn<int>("bridge");
        QTest::addColumn<int>("device");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QByteArray>("request"); // hex of its first bytes
        QTest::addColumn<QString>("box");
        const QByteArray set("m_pApply2Button"), read("m_pRequest2Button");
        const QString sent = QStringLiteral("information | Success | Connection status: DATA SENT "
                                            "SUCCESSFULLY");
        const QString wrong = QStringLiteral("warning | Error | Connection status: WRONG DEVICE");
        QTest::newRow("set, FT245R")
            << 2 << 2 << "192.168.1.64" << set << QByteArray("6a495005c0a8014000") << sent;
        QTest::newRow("set, commas")
            << 1 << 2 << "10,0,0,7" << set << QByteArray("6a4950050a000007") << sent;
        QTest::newRow("read") << 1 << 2 << "" << read << QByteArray("6a495200")
                              << "information | The data has been received successfully | "
                                 "Server address: 192.168.1.64\n\n Module number: 3\n\n "
                                 "Firmware version: 1.2.3";
        QTest::newRow("set, Wi-Fi board")
            << 1 << 1 << "1.2.3.4" << set << QByteArray("6a49500501020304") << wrong;
        QTest::newRow("read, tuning unit") << 1 << 3 << "" << read << QByteArray("6a4952") << wrong;
        QTest::newRow("number beyond 255") << 1 << 2 << "192.168.1.300" << set << QByteArray()
                                           << "warning | Error | 'Server address' must be four "
                                              "numbers from 0 to 255 separated by dots or "
                                              "commas, for example 192.168.1.64";
        QTest::newRow("empty") << 1 << 2 << "" << set << QByteArray()
                               << "warning | Error | 'Server address' field must be filled";
        QTest::newRow("no bridge") << 0 << 2 << "1.2.3.4" << read << QByteArray()
                                   << "critical | Error | Connection status: USB ERROR";
    }

    void ethernet()
    {
        QFETCH(int, bridge);
        QFETCH(int, device);
        QFETCH(QString, address);
        QFETCH(QByteArray, button);
        QFETCH(QByteArray, request);
        QFETCH(QString, box);
        SimControl::reset(bridge, device);
        Dialog d;
        tab(&d, CConfigurationDialog::EthernetTab);
        edit(&d, "m_pServerAddress2Edit")->setText(address);
        child<QComboBox>(&d, "m_pModuleNumber2ComboBox")->setCurrentIndex(4);
        click(&d, button.constData());
        QCOMPARE(d.boxes, QStringList(box));
        QCOMPARE(SimControl::requestCount(), request.isEmpty() ? 0 : 1);
        const QByteArray hex = QByteArray::fromHex(request);
        QCOMPARE(SimControl::request(0).left(hex.size()), hex);
        QVERIFY(!CFTDI::instance().isOpen());
        QCOMPARE(SimControl::openHandles(), 0);
    }

    void tuningFourSteps()
    {
        SimControl::reset(SimControl::Both, SimControl::Tuning);
        SimControl::setTuning(40, 300, 5, 0x03, 70);
        Dialog d;
        QTRY_COMPARE(text(&d, "m_pLabelMessage"),
                     QStringLiteral("Connection status: Data received!"));
        QCOMPARE(child<QPushButton>(&d, "m_pOkButton")->text(), QStringLiteral("OK - RESTART"));
        QCOMPARE(text(&d, "m_pSuppressionQualityLabel") + text(&d, "m_pPosAddQualityLabel")
                     + text(&d, "m_pNegAddQualityLabel"),
                 QStringLiteral("Suppression quality = 40%Surplus of quality = 300Lack of "
                                "quality = 5"));
        click(&d, "m_pResetBaseLevelButton");
        QCOMPARE(text(&d, "m_pLabelStatus"), QStringLiteral("Status: Message 2"));
        QCOMPARE(
            Fixtures::enabled(
                d, { "m_pGetBaseLevelButton", "m_pGetSuppressionButton", "m_pSavePatternButton" }),
            QStringLiteral("100"));
        QTest::qWait(600);
        click(&d, "m_pGetBaseLevelButton");
        QVERIFY(TuningState::instance().base[50] > 60.0);
        QCOMPARE(text(&d, "m_pLabelStatus"), QStringLiteral("Status: Message 3"));
        click(&d, "m_pGetSuppressionButton"); // refused below 50 %
        QCOMPARE(d.boxes,
                 QStringList("critical | Error | Suppression quality is less than 50%. "
                             "The operation cannot be done."));
        d.boxes.clear();
        SimControl::setTuning(80, 300, 5, 0x03, 70);
        QTRY_COMPARE(TuningState::instance().shownQuality, 80);
        click(&d, "m_pGetSuppressionButton");
        QCOMPARE(d.boxes,
                 QStringList("information | " + QCoreApplication::applicationName()
                             + " | Pay attention that the suppression quality is 80% "
                               "and this is less than 95%"));
        QCOMPARE(Fixtures::enabled(d,
                                   { "m_pGetBaseLevelButton", "m_pGetSuppressionButton",
                                     "m_pSavePatternButton", "m_pSuppressionFactorEdit" }),
                 QStringLiteral("0010"));
        // Grabbed figures stay; the status words follow the unit.
        SimControl::setTuning(40, 1, 2, 0x03, 70);
        QTRY_COMPARE(text(&d, "m_pLabelStatus"),
                     QStringLiteral("Status: Message 4 NO JAMMER!!!  40 1 2"));
        QCOMPARE(text(&d, "m_pSuppressionQualityLabel"),
                 QStringLiteral("Suppression quality = 80%"));

        d.boxes.clear();
        click(&d, "m_pSavePatternButton");
        QTRY_COMPARE(d.boxes,
                     QStringList("information | Information | The pattern and settings "
                                 "were saved into the device successfully."));
        QCOMPARE(text(&d, "m_pLabelStatus"), QStringLiteral("Status: Message 5"));
        QCOMPARE(
            Fixtures::enabled(
                d, { "m_pGetBaseLevelButton", "m_pGetSuppressionButton", "m_pSavePatternButton" }),
            QStringLiteral("000"));
        QTest::qWait(1100);
        QCOMPARE(d.boxes.size(), 1); // acknowledged once

        // OK on the tab restarts the unit and closes after that poll.
        click(&d, "m_pOkButton");
        QCOMPARE(d.result(), int(QDialog::Rejected));
        const int restart = SimControl::requestCount();
        QTRY_COMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(int(quint8(SimControl::request(restart).at(265))), 0xCC);
    }

    void statusWords()
    {
        QCOMPARE(CConfigurationDialog::StatusText(0x03), QStringLiteral("NO JAMMER!!! "));
        QCOMPARE(CConfigurationDialog::StatusText(0x0E), QStringLiteral("BAD SUPPRESSION!!!"));
        QCOMPARE(CConfigurationDialog::StatusText(0x0C), QStringLiteral("SUPPRESSION CHANGED!!!"));
        QCOMPARE(CConfigurationDialog::StatusText(0x08), QStringLiteral("SUPPRESSION CHANGED !!!"));
        QCOMPARE(CConfigurationDialog::StatusText(0xF0), QStringLiteral("ALL RIGHT"));
    }

    // The poll: no bridge, a failed exchange that closes the link, a late
    // answer during which due polls are skipped (not stacked, the link not
    // reopened), and no polling on the other tabs.
    void pollFailuresAndTabs()
    {
        SimControl::reset(0, SimControl::Tuning);
        Dialog d;
        QTRY_COMPARE(text(&d, "m_pLabelMessage"), QStringLiteral("Connection status: USB ERROR"));
        SimControl::reset(SimControl::Ft1248, SimControl::Tuning);
        QTRY_COMPARE(text(&d, "m_pLabelMessage"),
                     QStringLiteral("Connection status: Data received!"));
        SimControl::shortAnswers(1);
        QTRY_COMPARE_WITH_TIMEOUT(text(&d, "m_pLabelMessage"),
                                  QStringLiteral("Connection status: Data error!"), 8000);
        QVERIFY(!CFTDI::instance().isOpen());
        SimControl::shortAnswers(0);
        QTRY_COMPARE(text(&d, "m_pLabelMessage"),
                     QStringLiteral("Connection status: Data received!"));

        SimControl::holdAnswers(3000);
        const int requests = SimControl::requestCount(), opens = SimControl::openCount();
        QTest::qWait(3300);
        QCOMPARE(SimControl::requestCount() - requests, 1);
        QCOMPARE(SimControl::openCount(), opens);
        SimControl::holdAnswers(0);

        tab(&d, CConfigurationDialog::WiFiTab);
        QTest::qWait(700); // a poll already scheduled may still go out
        const int count = SimControl::requestCount();
        QCOMPARE(child<QPushButton>(&d, "m_pOkButton")->text(), QStringLiteral("OK"));
        QTest::qWait(1100);
        QCOMPARE(SimControl::requestCount(), count);
        click(&d, "m_pOkButton");
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    // The read-back box is wide enough for its title.
    void boxFitsItsTitle()
    {
        Dialog d;
        const QString title = QStringLiteral("The data has been received successfully");
        const std::unique_ptr<QMessageBox> box = d.box(title);
        box->show();
        QVERIFY2(box->width() > box->fontMetrics().horizontalAdvance(title) + 100,
                 qPrintable(QString::number(box->width())));
    }

    void mainWindowRunsTheDialog()
    {
        CMainWindow window(0, false);
        QCOMPARE(window.timerInterval(), 500);
        bool shown = false;
        QTimer::singleShot(50, [&] {
            auto *d = qobject_cast<CConfigurationDialog *>(QApplication::activeModalWidget());
            shown = d != nullptr;
            if (d)
                d->reject();
        });
        window.findChild<QAction *>(QStringLiteral("m_pViewConfiguration"))->trigger();
        QVERIFY(shown);
        QCOMPARE(window.timerInterval(), 1000);
    }
};

QTEST_MAIN(TestConfigurationDialog)
#include "tst_configurationdialog.moc"
