#pragma once
// Drives a form's named controls as the user would, through their setters;
// a control the form lacks fails the running test.

#include <QAbstractButton>
#include <QStringList>
#include <QTest>
#include <QVariant>

namespace Controls {

// Clicks the named button: unlike setChecked, a click also emits "clicked".
inline void click(QObject &form, const char *name)
{
    auto *button = form.findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    button->click();
}

// Sets a property of the named control: "text", "checked", "value", "currentIndex".
inline void put(QObject &form, const char *name, const char *property, const QVariant &value)
{
    QObject *control = form.findChild<QObject *>(QLatin1String(name));
    QVERIFY2(control && control->setProperty(property, value), name);
}

// A property of each named control, joined by "|"; "?" for a missing control.
inline QString read(const QObject &form, const QList<const char *> &names,
                    const char *property = "text")
{
    QStringList values;
    for (const char *name : names) {
        const QObject *control = form.findChild<QObject *>(QLatin1String(name));
        values << (control ? control->property(property).toString() : QStringLiteral("?"));
    }
    return values.join(u'|');
}

} // namespace Controls
