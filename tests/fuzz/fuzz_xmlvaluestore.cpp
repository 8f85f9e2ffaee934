// Drives the in-memory store of remembered values with arbitrary groups, keys
// and values. The store has no file of its own (it starts empty in every
// run), so what it takes in is these three texts.
//
// Input: lines "S<TAB>group<TAB>key<TAB>value" (set) and
// "G<TAB>group<TAB>key<TAB>default" (get), UTF-8.
//
// Checked against a plain map: for names that are XML names, a get returns
// the last value set or the default; names that are not must not crash it.
// After each set, no group and no key of a group appears twice.

#include "FuzzEnvironment.h"

#include "settings/CXmlValueStore.h"

#include <QByteArray>
#include <QDomElement>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace {

// A conservative subset of XML names: ASCII letters, digits, '_', '-', '.',
// not starting with a digit, '-' or '.'. Names outside it are still fed.
bool plainXmlName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
        const bool other = (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
        if (!letter && !(i > 0 && other))
            return false;
    }
    return !name.startsWith(QLatin1String("xml"), Qt::CaseInsensitive);
}

bool namesUnique(const QDomElement &parent)
{
    QSet<QString> names;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (names.contains(e.tagName()))
            return false;
        names.insert(e.tagName());
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzEnvironment::isolate();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    CXmlValueStore store;
    QMap<QPair<QString, QString>, QString> model;
    for (const QString &line : text.split(u'\n')) {
        const QStringList f = line.split(u'\t');
        if (f.size() != 4)
            continue;
        const QString &group = f[1], &key = f[2], &value = f[3];
        const bool checked = plainXmlName(group) && plainXmlName(key);
        if (f[0] == QLatin1String("S")) {
            store.SetValue(group, key, value);
            if (checked)
                model.insert({ group, key }, value);
            const QDomElement root = store.document().documentElement();
            FUZZ_CHECK(!root.isNull());
            FUZZ_CHECK(namesUnique(root));
            for (QDomElement g = root.firstChildElement(); !g.isNull(); g = g.nextSiblingElement())
                FUZZ_CHECK(namesUnique(g));
        } else {
            const QString got = store.GetValue(group, key, value);
            if (checked)
                FUZZ_CHECK(got == model.value({ group, key }, value));
        }
    }
    return 0;
}
