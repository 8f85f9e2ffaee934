#pragma once
// Installs the user-interface translation of the chosen language: the Qt
// library's own texts and the station's.

#include <QString>
#include <QTranslator>

class CLanguageSwitcher
{
public:
    static CLanguageSwitcher &instance();

    // Removes the installed translations, stores the language under
    // "Options/Language" and, unless it is "en_US", installs its translations.
    void SetLanguage(const QString &language);
    // Whether the station's own translation for the current language was found.
    bool hasApplicationTranslation() const { return !m_application.isEmpty(); }

private:
    CLanguageSwitcher() = default;

    QTranslator m_library;
    QTranslator m_application;
};
