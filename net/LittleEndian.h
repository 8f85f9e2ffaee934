#pragma once
// Appending little-endian numbers to a byte array, for the file formats the
// station writes (pcapng captures, WAV sounds); the module wire is big-endian.

#include <QByteArray>
#include <QtEndian>

namespace LittleEndian {

inline void put16(QByteArray &out, quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    out.append(raw, 2);
}

inline void put32(QByteArray &out, quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    out.append(raw, 4);
}

} // namespace LittleEndian
