#include "app/CLanguageSwitcher.h"

#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QCoreApplication>
#include <QLibraryInfo>

CLanguageSwitcher &CLanguageSwitcher::instance()
{
    static CLanguageSwitcher switcher;
    return switcher;
}

void CLanguageSwitcher::SetLanguage(const QString &language)
{
    QCoreApplication::removeTranslator(&m_application);
    QCoreApplication::removeTranslator(&m_library);
    StationOptions::instance().setValue(SettingsKeys::Language, language);
    if (language == QLatin1String("en_US"))
        return;
    // A missing translation leaves its translator empty: the texts stay English.
    if (m_library.load(QStringLiteral("qt_") + language,
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_library);
    if (m_application.load(QStringLiteral(":/kestrel_") + language + QStringLiteral(".qm")))
        QCoreApplication::installTranslator(&m_application);
}
