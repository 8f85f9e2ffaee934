#include "usb/EthernetBoard.h"

#include <cstring>

namespace {

constexpr char kSet[] = "jIP";
constexpr char kRead[] = "jIR";
constexpr int kNumberByte = 3;
constexpr int kAddressByte = 4;
// Answer to a read.
constexpr int kReadNumberByte = 2;
constexpr int kReadAddressByte = 3;
constexpr int kFirmwareByte = 7;
constexpr int kBuildByte = 8;
constexpr quint8 kNoFirmware = '}';

} // namespace

EthernetBoard::Problem EthernetBoard::check(const QString &serverAddress)
{
    if (serverAddress.isEmpty())
        return MissingAddress;
    return UsbBlocks::isValidAddress(serverAddress, true) ? NoProblem : BadAddress;
}

UsbBlocks::Block EthernetBoard::setRequest(int moduleNumberIndex, const QString &serverAddress)
{
    using UsbBlocks::BlockSize;
    UsbBlocks::Block block{};
    std::memcpy(block.data(), kSet, 3);
    block[kNumberByte] = quint8(moduleNumberIndex + 1);
    int at = kAddressByte;
    quint8 value = 0;
    for (const QChar c : serverAddress) {
        if (at >= BlockSize)
            break;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            value = quint8(value * 10 + (c.unicode() - '0'));
        } else if (c == QLatin1Char('.') || c == QLatin1Char(',')) {
            block[at++] = value;
            value = 0;
        }
    }
    if (at < BlockSize)
        block[at] = value;
    return block;
}

UsbBlocks::Block EthernetBoard::readRequest()
{
    UsbBlocks::Block block{};
    std::memcpy(block.data(), kRead, 3);
    return block;
}

EthernetBoard::Answer EthernetBoard::setAnswer(const UsbBlocks::Block &answer)
{
    Answer a;
    if (UsbBlocks::beginsWith(answer, "IPOK"))
        a.outcome = Sent;
    else if (UsbBlocks::beginsWith(answer, "IPNO"))
        a.outcome = WrongDevice;
    return a;
}

EthernetBoard::Answer EthernetBoard::readAnswer(const UsbBlocks::Block &answer)
{
    Answer a;
    if (UsbBlocks::beginsWith(answer, "IPNO")) {
        a.outcome = WrongDevice;
    } else if (answer[0] == 'I' && answer[1] == 'R') {
        a.outcome = Received;
        for (int i = 0; i < 4; ++i)
            a.serverAddress[i] = answer[kReadAddressByte + i];
        a.moduleNumber = answer[kReadNumberByte];
        a.firmware = answer[kFirmwareByte] == kNoFirmware
            ? QStringLiteral("N/A")
            : UsbBlocks::firmwareText(answer[kFirmwareByte], answer[kBuildByte]);
    }
    return a;
}
