// The log filter dialog: which control shows and sets which field of the
// window's filter, the stored "Logfilter", the date check and Cancel.

#include "eventlog/CLogFilterDialog.h"
#include "settings/SettingsKeys.h"
#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

namespace {

const qint64 kFrom = Fixtures::Dec2026;

// A stored filter, typed from its layout: on, period, length, merge; ten type
// groups; ten modules; only ready and padding; gap 3 s; length 10 s; padding;
// from kFrom; to kFrom + 5 h.
const QByteArray kImage = QByteArray::fromHex(
    "00000000" "01010101010101010101" "01010101010101010101" "00000000"
    "03000000" "0a000000" "00000000" "f3b6136b00000000" "43fd136b00000000");

// The check box of each image byte from 1 to 24.
const QList<const char *> kBoxes = {
    "m_pPeriodCheck", "m_pLenCheck",    "m_pMergeCheck", "m_pCdmaCheck",      "m_pGsmCheck",
    "m_p3GCheck",     "m_pDectCheck",   "m_pWlanCheck",  "m_pBluetoothCheck", "m_pTrafficCheck",
    "m_p4GCheck",     "m_pJammerCheck", "m_pScanCheck",  "m_pCh1Check",       "m_pCh2Check",
    "m_pCh3Check",    "m_pCh4Check",    "m_pCh5Check",   "m_pCh6Check",       "m_pCh7Check",
    "m_pCh8Check",    "m_pCh9Check",    "m_pCh10Check",  "m_pOnlyReadyCheck",
};

QByteArray stored()
{
    return QSettings().value(SettingsKeys::LogFilter).toByteArray();
}

} // namespace

class TestLogFilterDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Fixtures::setZone("UTC");
        TestSettings::isolate();
    }
    void init() { TestSettings::clear(); }

    void checkBoxes_data()
    {
        QTest::addColumn<int>("offset");
        for (int offset = 1; offset <= 24; ++offset)
            QTest::newRow(kBoxes[offset - 1]) << offset;
    }

    // With one byte of the stored filter flipped, only its box shows it, and OK
    // stores the same filter back.
    void checkBoxes()
    {
        QFETCH(int, offset);
        QByteArray image = kImage;
        image[offset] = char(!image[offset]);
        QSettings().setValue(SettingsKeys::LogFilter, image);
        LOGFILTER filter = LOGFILTER::defaults(0);
        CLogFilterDialog d(&filter, nullptr);
        QString shown, expected;
        for (int i = 1; i <= 24; ++i) {
            CHILD(QAbstractButton, box, &d, kBoxes[i - 1]);
            shown += box->isChecked() ? u'1' : u'0';
            expected += image[i] ? u'1' : u'0';
        }
        QCOMPARE(shown, expected);
        CHILD(QAbstractButton, ok, &d, "m_pOkButton");
        ok->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(stored().toHex(), image.toHex());
    }

    void conditionsDatesAndCancel()
    {
        FakePrompts prompts;
        LOGFILTER filter = LOGFILTER::defaults(0);
        filter.bOn = true;
        CLogFilterDialog d(&filter, nullptr);
        QVERIFY(!filter.bOn); // the window's filter is off from the moment the dialog opens
        CHILD(QAbstractButton, all, &d, "m_pAllDataRadio");
        CHILD(QAbstractButton, match, &d, "m_pMatchDataRadio");
        CHILD(QDateTimeEdit, from, &d, "m_pStartDateEdit");
        CHILD(QDateTimeEdit, to, &d, "m_pEndDateEdit");
        CHILD(QLineEdit, length, &d, "m_pLenEdit");
        CHILD(QLineEdit, gap, &d, "m_pGapEdit");
        CHILD(QAbstractButton, ok, &d, "m_pOkButton");
        // One digit per condition control: the boxes, the dates, length and gap.
        const QList<const char *> conditions = kBoxes
            + QList<const char *>({ "m_pStartDateEdit", "m_pEndDateEdit", "m_pLenEdit",
                                    "m_pGapEdit" });
        QVERIFY(all->isChecked());
        QCOMPARE(Fixtures::enabled(d, conditions), QString(24, u'0') + "1100");
        match->click();
        QCOMPARE(Fixtures::enabled(d, conditions), QString(28, u'1'));

        // A start on a later day is refused and changes nothing.
        const QByteArray opened = filter.toImage();
        from->setDateTime(QDateTime::fromSecsSinceEpoch(kFrom + 86400));
        to->setDateTime(QDateTime::fromSecsSinceEpoch(kFrom + 7200));
        ok->click();
        QCOMPARE(
            prompts.shown,
            QStringList({ "HARRIER Tablet DEMO: Start date cannot be greater than end one!" }));
        QCOMPARE(prompts.icons, QList<QMessageBox::Icon>({ QMessageBox::Warning }));
        QCOMPARE(QList<int>({ d.result(), int(stored().size()) }),
                 QList<int>({ QDialog::Rejected, 0 }));
        QCOMPARE(filter.toImage(), opened);

        // A later time on the same day passes; texts that are no number give 0.
        from->setDateTime(QDateTime::fromSecsSinceEpoch(kFrom + 9000));
        length->setText("25");
        gap->setText("three");
        ok->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(QList<qint64>(
                     { filter.bOn, filter.tFrom, filter.tTo, filter.nLengthSec, filter.nGapSec }),
                 QList<qint64>({ 1, kFrom + 9000, kFrom + 7200, 25, 0 }));
        QCOMPARE(stored(), filter.toImage());

        // The next dialog starts from the stored filter, switched off; Cancel stores nothing.
        LOGFILTER next = LOGFILTER::defaults(0);
        CLogFilterDialog again(&next, nullptr);
        CHILD(QAbstractButton, cancel, &again, "m_pCancelButton");
        cancel->click();
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(next.toImage(), '\0' + stored().mid(1));
        QCOMPARE(stored(), filter.toImage());
    }
};

QTEST_MAIN(TestLogFilterDialog)
#include "tst_logfilterdialog.moc"
