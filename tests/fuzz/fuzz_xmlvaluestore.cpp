// Drives the in-memory store of remembered values (it has no file of its own) with
// lines "S<TAB>group<TAB>key<TAB>value" (set) and "G<TAB>group<TAB>key<TAB>default" (get).

#include "FuzzEnvironment.h"

#include "settings/CXmlValueStore.h"

#include <QDomElement>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace {

// A conservative subset of XML names; names outside it are still fed.
bool plainXmlName(const QString &name)
{
    static const QRegularExpression re(
        QStringLiteral("^(?![Xx][Mm][Ll])[A-Za-z_][A-Za-z0-9_.-]*\\z"));
    return re.match(name).hasMatch();
}

// No two children of parent, and with groups no two children of one child, share a name.
bool namesUnique(const QDomElement &parent, bool groups)
{
    QSet<QString> names;
    qsizetype count = 0;
    for (QDomElement e = parent.firstChildElement(); !e.isNull();
         e = e.nextSiblingElement(), ++count) {
        names.insert(e.tagName());
        if (groups && !namesUnique(e, false))
            return false;
    }
    return names.size() == count;
}

} // namespace

void fuzzOne(const QByteArray &input)
{
    CXmlValueStore store;
    QMap<QPair<QString, QString>, QString> model;
    for (const QString &line : QString::fromUtf8(input).split(u'\n')) {
        const QStringList f = line.split(u'\t');
        if (f.size() != 4)
            continue;
        const QString &group = f[1], &key = f[2], &value = f[3];
        // Checked against a plain map for XML names; other names must only not crash it.
        const bool checked = plainXmlName(group) && plainXmlName(key);
        if (f[0] == QLatin1String("S")) {
            store.SetValue(group, key, value);
            if (checked)
                model.insert({ group, key }, value);
            const QDomElement root = store.document().documentElement();
            FUZZ_CHECK(!root.isNull() && namesUnique(root, true));
        } else {
            const QString got = store.GetValue(group, key, value);
            FUZZ_CHECK(!checked || got == model.value({ group, key }, value));
        }
    }
}
