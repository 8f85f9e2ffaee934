#pragma once
// The process-wide in-memory store of remembered values (the folders of the
// last file dialogs), addressed by group and key and held as an XML document.
// Nothing of it is written to disk.

#include <QDomDocument>
#include <QString>

class CXmlValueStore
{
public:
    // The one store of the process.
    static CXmlValueStore &instance();

    CXmlValueStore() = default;

    QString GetValue(const QString &group, const QString &key, const QString &defaultValue) const;
    void SetValue(const QString &group, const QString &key, const QString &value);

    // The document as held, for inspection.
    const QDomDocument &document() const { return m_document; }

    // Group and key names of the log files' folder.
    static QString filePathsGroup() { return QStringLiteral("FilePaths"); }
    static QString logPathKey() { return QStringLiteral("LogPath"); }
    static QString bypassPathKey() { return QStringLiteral("BypassPath"); }

    // The folder remembered under a key of the file paths group (the
    // documents folder until one is), and remembering a chosen file's folder.
    QString Folder(const QString &key) const;
    void RememberFolderOf(const QString &key, const QString &fileName);

private:
    static QDomElement child(const QDomElement &parent, const QString &name);

    QDomDocument m_document;
};
