// The options dialog: what OK stores and refuses, browsing and the timer.

#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "app/COptionsDialog.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace SettingsKeys;

class TestOptionsDialog : public QObject
{
    Q_OBJECT

    FakePrompts m_prompts;

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::clear(); }

    // OK stores back what the dialog shows and announces it.
    void okStoresWhatItShows()
    {
        StationOptions &o = StationOptions::instance();
        for (const auto &[key, value] :
             QList<QPair<QString, QVariant>>{ { Language, "ru_RU" },
                                              { AudioAlarm, true },
                                              { AudioAlarmType, "1" },
                                              { AlarmFile, "/a.wav" },
                                              { BackgroundImage, true },
                                              { BackgroundImageFile, "/b.jpg" },
                                              { AlarmCombo, 2 },
                                              { LinkIndication, false },
                                              { SyslogTransport, "tls" },
                                              { SyslogPort, 6514 },
                                              { SyslogHost, "logs" },
                                              { SyslogCaFile, "/ca.pem" } })
            o.setValue(key, value);
        COptionsDialog d(nullptr, true);
        CHILD(QComboBox, transport, &d, "m_pSyslogTransportCombo");
        CHILD(QPushButton, ok, &d, "m_pOkButton");
        TestSettings::clear(); // only what OK writes is in the store now
        QSignalSpy changed(&o, &StationOptions::changed);
        transport->setCurrentIndex(2); // the usual TLS port turns into the usual one
        ok->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QStringList stored;
        for (const QString &key :
             { Language, AudioAlarm, AudioAlarmType, AlarmFile, BackgroundImage,
               BackgroundImageFile, AlarmCombo, LinkIndication, SyslogEnabled, SyslogHost,
               SyslogPort, SyslogTransport, SyslogCaFile })
            stored << QSettings().value(key).toString();
        QCOMPARE(stored.join(' '),
                 QString("ru_RU true 1 /a.wav true /b.jpg 2 false false logs 514 udp /ca.pem"));
        QVERIFY(o.audioAlarm() && o.alarmCombo() == 2 && changed.count() >= 8);
    }

    // A missing file or collector is refused; nothing is stored.
    void okRefuses_data()
    {
        QTest::addColumn<QByteArray>("check");
        QTest::addColumn<QString>("warning");
        QTest::newRow("play file") << QByteArray("m_pFileRadio") << "No media file was selected!";
        QTest::newRow("image") << QByteArray("m_pBkgImageCheck") << "No image file was selected!";
        QTest::newRow("syslog") << QByteArray("m_pSyslogGroup") << "No syslog collector was given!";
        QTest::newRow("speaker, no image") << QByteArray("m_pSpeakerRadio") << "";
    }
    void okRefuses()
    {
        QFETCH(QByteArray, check);
        QFETCH(QString, warning);
        m_prompts.shown.clear();
        COptionsDialog d(nullptr, true);
        CHILD(QWidget, box, &d, check.constData()); // a radio button or a group
        CHILD(QPushButton, ok, &d, "m_pOkButton");
        box->setProperty("checked", true);
        ok->click();
        const QString app = QCoreApplication::applicationName() + ": ";
        QCOMPARE(m_prompts.shown, warning.isEmpty() ? QStringList() : QStringList(app + warning));
        QCOMPARE(QSettings().contains(Language), warning.isEmpty());
    }

    // A chosen file fills its edit, a cancelled dialog changes nothing.
    void browse()
    {
        COptionsDialog d;
        CHILD(QLineEdit, file, &d, "m_pFileEdit");
        CHILD(QPushButton, button, &d, "m_pBrowseButton");
        button->setEnabled(true);
        m_prompts.fileName = "/new.wav";
        button->click();
        m_prompts.fileName.clear();
        button->click();
        QCOMPARE(file->text() + m_prompts.shown.last(), "/new.wav<Select an audio file for alarm");
        QCOMPARE(COptionsDialog::alarmBrowseFolder(":/alarm.wav"), QDir::homePath());
        QCOMPARE(COptionsDialog::alarmBrowseFolder("/s/a.wav"), QString("/s/a.wav"));
    }

    // The timer writes the sensitivity (the threshold as text) and announces
    // only a change: each repaints every window.
    void timerStoresTheSensitivity()
    {
        StationOptions::instance().setValue(SensCombo, 2);
        StationOptions::instance().setValue(ThresholdEdit, -60);
        COptionsDialog d;
        CHILD(QComboBox, sens, &d, "m_pSensCombo");
        d.OnTimer();
        QSignalSpy changed(&StationOptions::instance(), &StationOptions::changed);
        d.OnTimer();
        QCOMPARE(changed.count(), 0);
        QCOMPARE(QSettings().value(ThresholdEdit).typeId(), QMetaType::QString);
        sens->setCurrentIndex(1);
        QTRY_COMPARE_WITH_TIMEOUT(QSettings().value(SensCombo).toInt(), 1, 3000);
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
