// The built-in manual: one UTF-8 page, an English and a Russian half, each naming every window and
// message box title (others carry the application name) and journal state text as translated.

#include "Fixtures.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

class TestManualPage : public QObject
{
    Q_OBJECT

    QStringList m_anchors;
    QStringList m_links;
    QString m_english;
    QString m_russian;

private slots:
    void initTestCase()
    {
        // Read as the manual window reads it, so the declared charset is what decodes it.
        QTextBrowser browser;
        browser.setSource(QUrl(QStringLiteral("qrc:/OSPREY.htm")));
        int russianStart = -1;
        for (QTextBlock block = browser.document()->begin(); block.isValid();
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (format.anchorNames().contains("ru") && russianStart < 0)
                    russianStart = it.fragment().position();
                m_anchors += format.anchorNames();
                if (!format.anchorHref().isEmpty())
                    m_links.append(format.anchorHref());
            }
        }
        QVERIFY2(russianStart > 0, "no Russian half after the English one");
        m_english = browser.toPlainText().left(russianStart);
        m_russian = browser.toPlainText().mid(russianStart);
    }

    // Valid UTF-8, nothing to run or fetch, nothing left to write, and every
    // internal link leads somewhere.
    void declaresUtf8AndNeedsNothingOutside()
    {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString decoded = utf8(Fixtures::readFile(":/OSPREY.htm"));
        QVERIFY2(!utf8.hasError(), "the page is not valid UTF-8");
        const QRegularExpression bad(
            "(?i)<(script|img|link|style|object)\\b|\\b(TODO|TBD|FIXME|XXX|lorem ipsum)\\b");
        QVERIFY2(!bad.match(decoded).hasMatch(), qPrintable(bad.match(decoded).captured()));
        for (const QString &link : std::as_const(m_links))
            QVERIFY2(link.startsWith('#') && m_anchors.contains(link.mid(1)), qPrintable(link));
    }

    void namesEveryTitle_data()
    {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("russian");
        const auto row = [](const char *english, const char *russian) {
            QTest::newRow(english) << QString::fromUtf8(english) << QString::fromUtf8(russian);
        };
        row("HARRIER Tablet DEMO - Version 1.2.01", "HARRIER Tablet DEMO - Версия 1.2.01");
        row("HARRIER Tablet - Version 1.2.01", "HARRIER Tablet - Версия 1.2.01");
        row("Module", "Модуль");
        row("Rename module", "Переименование модуля");
        row("Event Log #", "Журнал событий №");
        row("Event Log from file: ", "Журнал событий из файла: ");
        row("Event Log Filter", "Фильтр журнала событий");
        row("Settings of the module #", "Настройки модуля №");
        row("List of bypass frequencies", "Список частот обхода");
        row("Device Configuration Dialog", "Конфигурирование устройства");
        row("Options", "Параметры");
        row("Manual", "Руководство");
        row("About HARRIER Tablet DEMO", "О программе HARRIER Tablet DEMO");
        row("Save Log As", "Сохранить журнал как");
        row("Load Log", "Загрузить журнал");
        row("Export Log", "Экспорт журнала");
        row("Load Bypass", "Загрузить список обхода");
        row("Save Bypass As", "Сохранить список обхода как");
        row("Select an audio file for alarm", "Выберите звуковой файл для тревоги");
        row("Select an image file for background", "Выберите файл изображения для фона");
        row("Error", "Ошибка");
        row("Warning", "Предупреждение");
        row("Information", "Информация");
        row("Success", "Успешно");
        row("Server Error", "Ошибка сервера");
        row("The data has been received successfully", "Данные успешно получены");
        row("Event journal unavailable: events are kept in memory only",
            "Архив событий недоступен: события хранятся только в памяти");
        row("Event journal writing again", "Запись в архив событий возобновлена");
        row("Damaged event journal set aside", "Повреждённый архив событий отложен");
    }

    void namesEveryTitle()
    {
        QFETCH(QString, english);
        QFETCH(QString, russian);
        // Quoted as the page quotes interface texts in each language.
        QVERIFY2(m_english.contains(QLatin1Char('"') + english), qPrintable(english));
        QVERIFY2(m_russian.contains(QStringLiteral("«") + russian), qPrintable(russian));
    }
};

QTEST_MAIN(TestManualPage)
#include "tst_manualpage.moc"
