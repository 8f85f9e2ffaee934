// A log window's columns show their headers and values whole in both
// languages when no width was stored; a stored width still wins.

#include "TestSettings.h"
#include "app/CLanguageSwitcher.h"
#include "app/StyleSheet.h"
#include "eventlog/CLogWindow.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QHeaderView>
#include <QSettings>
#include <QTest>
#include <QTreeView>

class TestLogColumns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        qApp->setStyleSheet(applicationStyleSheet());
    }
    void init() { TestSettings::freshStation(); }
    void cleanup() { CLanguageSwitcher::instance().SetLanguage(QStringLiteral("en_US")); }

    void columnsFitTheirTexts_data()
    {
        QTest::addColumn<QString>("language");
        // Per column, the header and the widest value, as the operator reads them.
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << "en_US"
                                 << QStringList{ "Date/Time|07.12.2026 20:48:08",
                                                 "Duration|In progress",
                                                 "Module|255 255",
                                                 "Signal Type|Traffic 2.4",
                                                 "Signal Level|-100 dBm",
                                                 "Exceeding|  99 dBm",
                                                 "Freq. (MHz)|2412.35" };
        QTest::newRow("Russian") << "ru_RU"
                                 << QStringList{ "Дата/время|07.12.2026 20:48:08",
                                                 "Длительность|Продолжается",
                                                 "Модуль|255 255",
                                                 "Тип сигнала|Bluetooth",
                                                 "Уровень сигнала|-100 дБм",
                                                 "Превышение|  99 дБм",
                                                 "Част. (МГц)|2412.35" };
    }

    void columnsFitTheirTexts()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        CLanguageSwitcher::instance().SetLanguage(language);
        QSettings().setValue(SettingsKeys::logWindowColumn(1, 2), 55);
        CLogWindow w(1, nullptr, nullptr);
        auto *tree = w.findChild<QTreeView *>();
        QHeaderView *header = tree->header();
        for (int column = 0; column < texts.size(); ++column) {
            if (column == 2) {
                QCOMPARE(header->sectionSize(column), 55);
                continue;
            }
            const QStringList pair = texts[column].split('|');
            const int needed = qMax(header->fontMetrics().horizontalAdvance(pair[0]) + 20,
                                    tree->fontMetrics().horizontalAdvance(pair[1]) + 8);
            QVERIFY2(header->sectionSize(column) >= needed,
                     qPrintable(QStringLiteral("%1: %2 < %3")
                                    .arg(pair[0])
                                    .arg(header->sectionSize(column))
                                    .arg(needed)));
        }
    }
};

QTEST_MAIN(TestLogColumns)
#include "tst_logcolumns.moc"
