#pragma once
// The Ethernet board's set and read commands and its answers: what the
// address field may hold, the request bytes and the answer's fields. No I/O:
// the configuration dialog runs the exchanges.

#include "usb/UsbBlocks.h"

#include <QString>

#include <array>

class EthernetBoard
{
public:
    enum Problem { NoProblem, MissingAddress, BadAddress };
    enum Outcome { DataError, WrongDevice, Sent, Received };

    // What an answer says; the fields are filled for a received reading only.
    struct Answer
    {
        Outcome outcome = DataError;
        std::array<int, 4> serverAddress{};
        int moduleNumber = 0;
        QString firmware; // "major.minor.build", or "N/A" when the board has none
    };

    // Four numbers 0-255 separated by dots or commas.
    static Problem check(const QString &serverAddress);
    // "jIP", the module number (combo index + 1), then the address numbers
    // from byte 4 on (each digit value*10+d kept to 8 bits; '.' or ',' ends one).
    static UsbBlocks::Block setRequest(int moduleNumberIndex, const QString &serverAddress);
    static UsbBlocks::Block readRequest();
    // "IPOK" sent, "IPNO" wrong device, anything else a data error.
    static Answer setAnswer(const UsbBlocks::Block &answer);
    // "IR", module number, four address bytes, firmware version and build;
    // "IPNO" wrong device, anything else a data error.
    static Answer readAnswer(const UsbBlocks::Block &answer);
};
