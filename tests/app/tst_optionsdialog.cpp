// The options dialog driven headless: what it shows of the stored options,
// what OK stores and refuses, the browse buttons and the one-second timer.

#include "TestSettings.h"
#include "app/COptionsDialog.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

using namespace SettingsKeys;

namespace {

class Dialog : public COptionsDialog
{
public:
    explicit Dialog(bool offersSyslog = false)
        : COptionsDialog(nullptr, offersSyslog)
    {
    }
    QStringList warnings;
    QStringList asked; // caption | start | filter
    QString chosen;

protected:
    void showWarning(const QString &text) override { warnings << text; }
    QString askOpenFileName(const QString &caption, const QString &dir,
                            const QString &filter) override
    {
        asked << caption + " | " + dir + " | " + filter;
        return chosen;
    }
};

template <typename T> T *child(QWidget &dialog, const char *name)
{
    T *w = dialog.findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

void click(QWidget &dialog, const char *button)
{
    child<QPushButton>(dialog, button)->click();
}

// The keys OK stores, as the store holds them.
QString stored()
{
    QSettings s;
    QStringList parts;
    for (const QString &key : { Language, AudioAlarm, AudioAlarmType, AlarmFile, BackgroundImage,
                                BackgroundImageFile, AlarmCombo, LinkIndication })
        parts << key.mid(8) + "=" + s.value(key).toString();
    return parts.join(' ');
}

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::clear(); }

    void showsTheStoredOptions()
    {
        StationOptions &o = StationOptions::instance();
        o.setValue(Language, "ru_RU");
        o.setValue(AudioAlarm, true);
        o.setValue(AudioAlarmType, "1");
        o.setValue(AlarmFile, "/sounds/a.wav");
        o.setValue(BackgroundImage, true);
        o.setValue(BackgroundImageFile, "/images/b.jpg");
        o.setValue(AlarmCombo, 2);
        o.setValue(LinkIndication, false);
        o.setValue(SensCombo, 3);
        o.setValue(ThresholdEdit, -60);
        Dialog d;
        QCOMPARE(d.windowTitle(), QString("Options"));
        QCOMPARE(child<QComboBox>(d, "m_pLanguageCombo")->currentText(), QString("Русский"));
        QVERIFY(child<QGroupBox>(d, "m_pAudioAlarmCheck")->isChecked());
        QVERIFY(child<QRadioButton>(d, "m_pFileRadio")->isChecked());
        QVERIFY(!child<QRadioButton>(d, "m_pSpeakerRadio")->isChecked());
        QCOMPARE(child<QLineEdit>(d, "m_pFileEdit")->text(), QString("/sounds/a.wav"));
        QVERIFY(child<QGroupBox>(d, "m_pBkgImageCheck")->isChecked());
        QCOMPARE(child<QLineEdit>(d, "m_pBkgFileEdit")->text(), QString("/images/b.jpg"));
        QCOMPARE(child<QComboBox>(d, "m_pAlarmCombo")->currentText(), QString("No red alarm bar"));
        QVERIFY(!child<QCheckBox>(d, "m_pLinkIndicationCheck")->isChecked());
        QCOMPARE(child<QComboBox>(d, "m_pSensCombo")->currentText(), QString("40 dB"));
        QCOMPARE(child<QLineEdit>(d, "m_pThresholdEdit")->text(), QString("-60"));
        // The sensitivity cannot be edited here.
        d.show();
        QVERIFY(child<QGroupBox>(d, "m_pAudioAlarmCheck_2")->isHidden());
        QVERIFY(child<QLineEdit>(d, "m_pThresholdEdit")->isHidden());
    }

    void absentOptionsShowAsOff()
    {
        Dialog d;
        QCOMPARE(child<QComboBox>(d, "m_pLanguageCombo")->currentIndex(), 0);
        QVERIFY(child<QRadioButton>(d, "m_pSpeakerRadio")->isChecked());
        QVERIFY(!child<QRadioButton>(d, "m_pFileRadio")->isChecked());
        QVERIFY(!child<QGroupBox>(d, "m_pAudioAlarmCheck")->isChecked());
        QVERIFY(!child<QGroupBox>(d, "m_pBkgImageCheck")->isChecked());
        QVERIFY(!child<QCheckBox>(d, "m_pLinkIndicationCheck")->isChecked());
        QCOMPARE(child<QComboBox>(d, "m_pAlarmCombo")->currentIndex(), 0);
    }

    void okStoresEveryOption()
    {
        Dialog d;
        QSignalSpy changed(&StationOptions::instance(), &StationOptions::changed);
        child<QComboBox>(d, "m_pLanguageCombo")->setCurrentIndex(1);
        child<QGroupBox>(d, "m_pAudioAlarmCheck")->setChecked(true);
        child<QRadioButton>(d, "m_pFileRadio")->setChecked(true);
        child<QLineEdit>(d, "m_pFileEdit")->setText("/s/alarm.wav");
        child<QComboBox>(d, "m_pAlarmCombo")->setCurrentIndex(1);
        child<QCheckBox>(d, "m_pLinkIndicationCheck")->setChecked(true);
        click(d, "m_pOkButton");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(stored(),
                 QString("Language=ru_RU AudioAlarm=true AudioAlarmType=1 AlarmFile=/s/alarm.wav "
                         "BackgroundImage=false BackgroundImageFile= AlarmCombo=1 "
                         "LinkIndication=true"));
        // Module windows and the MDI area see the options in memory at once.
        const StationOptions &o = StationOptions::instance();
        QCOMPARE(o.audioAlarmType(), 1);
        QCOMPARE(o.alarmCombo(), 1);
        QVERIFY(o.audioAlarm() && o.linkIndication());
        QVERIFY(changed.count() >= 4);
        QVERIFY(d.warnings.isEmpty());

        Dialog english;
        child<QComboBox>(english, "m_pLanguageCombo")->setCurrentIndex(0);
        click(english, "m_pOkButton");
        QCOMPARE(QSettings().value(Language).toString(), QString("en_US"));
        QCOMPARE(QSettings().value(AudioAlarmType).toString(), QString("1"));
    }

    // Offered by the full edition only; its keys are its own, stored by OK.
    void syslogOptions()
    {
        {
            QSettings s;
            s.setValue(SyslogTransport, "tls");
            s.setValue(SyslogPort, 6514);
            s.setValue(SyslogCaFile, "/etc/ca.pem");
        }
        StationOptions::instance().reload();
        Dialog demo;
        demo.show();
        QVERIFY(child<QGroupBox>(demo, "m_pSyslogGroup")->isHidden());

        Dialog d(true);
        d.show();
        QVERIFY(!child<QGroupBox>(d, "m_pSyslogGroup")->isChecked());
        QCOMPARE(child<QComboBox>(d, "m_pSyslogTransportCombo")->currentText(), QString("TLS"));
        QCOMPARE(child<QSpinBox>(d, "m_pSyslogPortSpin")->value(), 6514);
        QCOMPARE(child<QLineEdit>(d, "m_pSyslogCaFileEdit")->text(), QString("/etc/ca.pem"));
        child<QGroupBox>(d, "m_pSyslogGroup")->setChecked(true);
        d.chosen = "/etc/site-ca.pem";
        click(d, "m_pSyslogCaBrowseButton");
        click(d, "m_pOkButton");
        QCOMPARE(d.warnings, QStringList{ "No syslog collector was given!" });
        QVERIFY(!QSettings().contains(SyslogEnabled));

        // The usual TLS port turns into the usual one of the other transports.
        child<QComboBox>(d, "m_pSyslogTransportCombo")->setCurrentIndex(2);
        child<QLineEdit>(d, "m_pSyslogHostEdit")->setText(" logs.site ");
        click(d, "m_pOkButton");
        QSettings s;
        QStringList got;
        for (const QString &key :
             { SyslogEnabled, SyslogHost, SyslogPort, SyslogTransport, SyslogCaFile })
            got << key.mid(7) + "=" + s.value(key).toString();
        QCOMPARE(got.join(' '),
                 QString("Enabled=true Host=logs.site Port=514 Transport=udp "
                         "CaFile=/etc/site-ca.pem"));
    }

    // A missing file is refused even while its group is off; nothing is stored.
    void okRefusesMissingFiles_data()
    {
        QTest::addColumn<bool>("audioAlarm");
        QTest::addColumn<bool>("fileRadio");
        QTest::addColumn<bool>("background");
        QTest::addColumn<QString>("warning");
        QTest::newRow("play file, alarm on")
            << true << true << false << "No media file was selected!";
        QTest::newRow("play file, alarm off")
            << false << true << false << "No media file was selected!";
        QTest::newRow("background image")
            << false << false << true << "No image file was selected!";
        QTest::newRow("speaker, no image") << true << false << false << "";
    }
    void okRefusesMissingFiles()
    {
        QFETCH(bool, audioAlarm);
        QFETCH(bool, fileRadio);
        QFETCH(bool, background);
        QFETCH(QString, warning);
        Dialog d;
        d.show();
        child<QGroupBox>(d, "m_pAudioAlarmCheck")->setChecked(audioAlarm);
        child<QRadioButton>(d, fileRadio ? "m_pFileRadio" : "m_pSpeakerRadio")->setChecked(true);
        child<QGroupBox>(d, "m_pBkgImageCheck")->setChecked(background);
        click(d, "m_pOkButton");
        if (warning.isEmpty()) {
            QVERIFY(d.warnings.isEmpty());
            // An unchecked background keeps its empty path as it is.
            QCOMPARE(QSettings().value(BackgroundImageFile, "absent").toString(), QString());
            QVERIFY(!d.isVisible());
            return;
        }
        QCOMPARE(d.warnings, QStringList{ warning });
        QVERIFY(d.isVisible());
        QVERIFY(!QSettings().contains(Language));
        QVERIFY(!QSettings().contains(AudioAlarm));
    }

    void browseFillsTheChosenFile()
    {
        Dialog d;
        // Their buttons work only while the groups are checked.
        child<QGroupBox>(d, "m_pAudioAlarmCheck")->setChecked(true);
        child<QGroupBox>(d, "m_pBkgImageCheck")->setChecked(true);
        child<QLineEdit>(d, "m_pFileEdit")->setText("/old.wav");
        child<QLineEdit>(d, "m_pBkgFileEdit")->setText("/old.jpg");
        d.chosen = "/new.wav";
        click(d, "m_pBrowseButton");
        d.chosen = "/new.jpg";
        click(d, "m_pBkgBrowseButton");
        // A cancelled file dialog changes nothing.
        d.chosen.clear();
        click(d, "m_pBrowseButton");
        click(d, "m_pBkgBrowseButton");
        QCOMPARE(child<QLineEdit>(d, "m_pFileEdit")->text(), QString("/new.wav"));
        QCOMPARE(child<QLineEdit>(d, "m_pBkgFileEdit")->text(), QString("/new.jpg"));
        QCOMPARE(d.asked.mid(0, 2),
                 QStringList(
                     { "Select an audio file for alarm | /old.wav | Waveform audio files (*.wav)",
                       "Select an image file for background | /old.jpg | Image files (*.jpg)" }));
        QCOMPARE(d.asked.size(), 4);

        // The station's own sound is no folder to browse from.
        child<QLineEdit>(d, "m_pFileEdit")->setText(":/alarm.wav");
        click(d, "m_pBrowseButton");
        QCOMPARE(d.asked.last().section(" | ", 1, 1), QDir::homePath());
    }

    // The sensitivity keys are written by the timer whatever ends the dialog,
    // the threshold as text; OK and Cancel store nothing of them.
    void timerStoresTheSensitivityEvenOnCancel()
    {
        StationOptions::instance().setValue(SensCombo, 2);
        StationOptions::instance().setValue(ThresholdEdit, -60);
        Dialog d;
        d.show();
        child<QComboBox>(d, "m_pSensCombo")->setCurrentIndex(1);
        child<QComboBox>(d, "m_pLanguageCombo")->setCurrentIndex(1);
        QTRY_COMPARE_WITH_TIMEOUT(QSettings().value(SensCombo).toInt(), 1, 3000);
        const QVariant threshold = QSettings().value(ThresholdEdit);
        QCOMPARE(threshold.typeId(), QMetaType::QString);
        QCOMPARE(threshold.toString(), QString("-60"));
        click(d, "m_pCancelButton");
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.isVisible());
        QVERIFY(!QSettings().contains(Language));
    }

    // The timer's writes do not announce an option that did not change: each
    // announcement repaints every module window.
    void unchangedSensitivityIsNotAnnounced()
    {
        StationOptions::instance().setValue(SensCombo, 2);
        StationOptions::instance().setValue(ThresholdEdit, QString("-60"));
        Dialog d;
        QSignalSpy changed(&StationOptions::instance(), &StationOptions::changed);
        d.OnTimer();
        d.OnTimer();
        QCOMPARE(changed.count(), 0);
        child<QComboBox>(d, "m_pSensCombo")->setCurrentIndex(0);
        d.OnTimer();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(StationOptions::instance().sensCombo(), 0);
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
