#pragma once
// Every station option of the "Options" group the station writes at first
// start: its key, the value written then (and by "Default"), and the value it
// stands for while the store lacks it.

#include <QList>
#include <QString>
#include <QVariant>

class OptionTable
{
public:
    struct Option
    {
        QString key;
        QVariant firstStart;
        QVariant missing;
    };

    // The 26 options in the order they are written.
    static const QList<Option> &all();
    // The missing value of an option of the table; an invalid QVariant for other keys.
    static QVariant missing(const QString &key);
};
