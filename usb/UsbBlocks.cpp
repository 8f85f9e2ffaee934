#include "usb/UsbBlocks.h"

#include <QRegularExpression>

#include <cstring>

namespace UsbBlocks {

QByteArray splitHalfBytes(const Block &block)
{
    QByteArray wire(2 * BlockSize, '\0');
    for (int i = 0; i < BlockSize; ++i) {
        wire[2 * i] = char(block[i] >> 4);
        wire[2 * i + 1] = char(block[i] & 0x0F);
    }
    return wire;
}

Block joinHalfBytes(const QByteArray &wire)
{
    Block block{};
    for (int i = 0; i < BlockSize && 2 * i + 1 < wire.size(); ++i)
        block[i] = quint8(quint8(wire[2 * i]) * 16 + (quint8(wire[2 * i + 1]) & 0x0F));
    return block;
}

Block atRequest(const QString &text)
{
    Block block{};
    const QByteArray bytes = text.toLocal8Bit().left(MaxAtText);
    block[0] = AtCommand;
    std::memcpy(block.data() + 1, bytes.constData(), size_t(bytes.size()));
    block[1 + bytes.size()] = AtEnd;
    return block;
}

QString answerText(const Block &answer)
{
    QString text;
    for (quint8 b : answer) {
        if (b == AtEnd)
            break;
        text += QChar(b);
    }
    return text;
}

QString atResult(const QString &command, const Block &answer)
{
    const QString received = answerText(answer);
    QString result = command;
    if (result.size() < received.size())
        result.resize(received.size());
    result.replace(0, received.size(), received);
    return result;
}

bool beginsWith(const Block &answer, const char *prefix)
{
    const size_t n = std::strlen(prefix);
    return std::memcmp(answer.data(), prefix, n) == 0;
}

QString field(const QString &answer, int skip, int take)
{
    int i = 0;
    for (int commas = 0; i < answer.size() && commas < skip; ++i)
        if (answer[i] == QLatin1Char(','))
            ++commas;
    QString result;
    for (int separators = 0; i < answer.size(); ++i) {
        const QChar c = answer[i];
        if (c == QLatin1Char(',') || c == QLatin1Char('[')) {
            if (++separators >= take)
                break;
        }
        result += c;
    }
    return result;
}

QString firmwareText(quint8 version, quint8 build)
{
    return QStringLiteral("%1.%2.%3").arg(version / 10).arg(version % 10).arg(build);
}

bool isValidAddress(const QString &text, bool commasToo)
{
    static const QRegularExpression dots(
        QStringLiteral("^([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})$"));
    static const QRegularExpression mixed(
        QStringLiteral("^([0-9]{1,3})[.,]([0-9]{1,3})[.,]([0-9]{1,3})[.,]([0-9]{1,3})$"));
    const QRegularExpressionMatch m = (commasToo ? mixed : dots).match(text);
    if (!m.hasMatch())
        return false;
    for (int i = 1; i <= 4; ++i)
        if (m.captured(i).toInt() > 255)
            return false;
    return true;
}

} // namespace UsbBlocks
