#include "settings/CXmlValueStore.h"

#include <QFileInfo>
#include <QStandardPaths>

CXmlValueStore &CXmlValueStore::instance()
{
    static CXmlValueStore store;
    return store;
}

QDomElement CXmlValueStore::child(const QDomElement &parent, const QString &name)
{
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == name)
            return e;
    }
    return QDomElement();
}

QString CXmlValueStore::GetValue(const QString &group, const QString &key,
                                 const QString &defaultValue) const
{
    const QDomElement groupElement = child(m_document.documentElement(), group);
    if (groupElement.isNull())
        return defaultValue;
    const QDomElement keyElement = child(groupElement, key);
    if (keyElement.isNull())
        return defaultValue;
    return keyElement.attribute(QStringLiteral("Value"));
}

void CXmlValueStore::SetValue(const QString &group, const QString &key, const QString &value)
{
    QDomElement root = m_document.documentElement();
    if (root.isNull()) {
        root = m_document.createElement(QStringLiteral("Values"));
        m_document.appendChild(root);
    }
    QDomElement groupElement = child(root, group);
    if (groupElement.isNull()) {
        groupElement = m_document.createElement(group);
        root.appendChild(groupElement);
    }
    QDomElement keyElement = child(groupElement, key);
    if (keyElement.isNull()) {
        keyElement = m_document.createElement(key);
        groupElement.appendChild(keyElement);
    }
    keyElement.setAttribute(QStringLiteral("Value"), value);
}

QString CXmlValueStore::Folder(const QString &key) const
{
    return GetValue(filePathsGroup(), key,
                    QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void CXmlValueStore::RememberFolderOf(const QString &key, const QString &fileName)
{
    SetValue(filePathsGroup(), key, QFileInfo(fileName).absolutePath());
}
