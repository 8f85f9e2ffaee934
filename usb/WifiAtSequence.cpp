#include "usb/WifiAtSequence.h"

#include "net/WireProtocol.h"
#include "usb/UsbBlocks.h"

#include <QStringList>

namespace {

// Keyword of each security type, by combo index.
const char *const kSecurityKeywords[WifiAtSequence::SecurityTypes] = {
    "OPEN", "WEP", "WPA", "WPAAES", "WPA2AES", "WPA2TKIP", "WPA2"
};
const QString kServerPort = QString::number(Wire::DefaultPort);
const QLatin1String kOk("[OK]");

bool allDigits(const QString &s)
{
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !s.isEmpty();
}

// The text of the answer's first line.
QString firstLine(const QString &answer)
{
    int end = 0;
    while (end < answer.size() && answer[end] != QLatin1Char('\r')
           && answer[end] != QLatin1Char('\n'))
        ++end;
    return answer.left(end);
}

} // namespace

bool WifiAtSequence::isSafeText(const QString &text)
{
    for (const QChar c : text)
        if (c == QChar(UsbBlocks::AtEnd) || c.category() == QChar::Other_Control)
            return false;
    return QString::fromLocal8Bit(text.toLocal8Bit()) == text;
}

bool WifiAtSequence::isHostName(const QString &text)
{
    if (text.isEmpty() || text.size() > 253)
        return false;
    const QStringList labels = text.split(QLatin1Char('.'));
    for (const QString &label : labels) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith(QLatin1Char('-'))
            || label.endsWith(QLatin1Char('-')))
            return false;
        for (const QChar c : label) {
            const bool ok = (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-');
            if (!ok)
                return false;
        }
    }
    // All numbers is a mistyped address, not a name.
    return !allDigits(labels.last());
}

WifiAtSequence::Check WifiAtSequence::check(const Settings &s)
{
    if (s.ssid.isEmpty() || s.serverAddress.isEmpty())
        return { MissingSsidOrServer, NoField };
    if (!isSafeText(s.ssid))
        return { UnsafeText, SsidField };
    if (!isSafeText(s.password))
        return { UnsafeText, PasswordField };
    if (!UsbBlocks::isValidAddress(s.serverAddress, false) && !isHostName(s.serverAddress))
        return { BadServerAddress, ServerAddressField };
    if (s.moduleAddressOn && !UsbBlocks::isValidAddress(s.moduleAddress, false))
        return { BadModuleAddress, ModuleAddressField };
    return {};
}

void WifiAtSequence::startWrite(const Settings &settings)
{
    m_settings = settings;
    m_state = WriteFirst;
    m_running = true;
}

void WifiAtSequence::startRead()
{
    m_readBack = ReadBack();
    m_readBack.ssid = m_readBack.security = m_readBack.serverAddress = m_readBack.moduleAddress =
        m_readBack.moduleNumber = QStringLiteral("???");
    m_state = ReadFirst;
    m_running = true;
}

QString WifiAtSequence::command() const
{
    const Settings &s = m_settings;
    switch (m_state) {
    case 0:
    case 11:
        return QStringLiteral("AT");
    case 1:
        return QStringLiteral("AT+MECHO=0");
    case 2:
        return QStringLiteral("AT+WSEC=0,")
            + QLatin1String(kSecurityKeywords[qBound(0, s.securityType, SecurityTypes - 1)])
            + QLatin1Char(',') + s.password;
    case 3:
        return QStringLiteral("AT+WSET=0,") + s.ssid;
    case 4:
        return QStringLiteral("AT+SCON=S,TCN,%1,%2,%2,1").arg(s.serverAddress, kServerPort);
    case 5:
        return s.moduleAddressOn ? QStringLiteral("AT+WNET=1,%1,255.255.255.0").arg(s.moduleAddress)
                                 : QStringLiteral("AT+WNET=0");
    case 6:
        return QStringLiteral("AT+MPROF=S");
    case 7:
        return QStringLiteral("AT+MRESET");
    case 8:
        return QStringLiteral("AN=%1").arg(s.moduleNumberIndex + 1);
    case 12:
        return QStringLiteral("AT+WSET=?");
    case 13:
        return QStringLiteral("AT+WSEC=?");
    case 14:
        return QStringLiteral("AT+SCON=?");
    case 15:
        return QStringLiteral("AT+WNET=?");
    case 16:
        return QStringLiteral("AN?");
    default:
        return QString();
    }
}

QString WifiAtSequence::securityAndPassword(const QString &answer)
{
    QString line = firstLine(answer);
    const int comma = line.indexOf(QLatin1Char(','));
    line = comma < 0 ? QString() : line.mid(comma + 1);
    if (line.endsWith(kOk))
        line.chop(kOk.size());
    return line;
}

WifiAtSequence::Step WifiAtSequence::reply(const QString &text)
{
    ReadBack &r = m_readBack;
    switch (m_state) {
    case 0:
    case 11: {
        // The station's server rejecting the board shows first: it is still
        // connected to a station.
        if (!text.isEmpty() && text.at(0).unicode() == quint8(Wire::UnknownHeaderAnswer)) {
            m_running = false;
            return ProbeRejected;
        }
        if (text.chopped(qMin(2, int(text.size()))) != kOk) {
            m_running = false;
            return ProbeFailed;
        }
        break;
    }
    case 12:
        r.ssid = UsbBlocks::field(text, 1, 1);
        break;
    case 13:
        r.security = securityAndPassword(text);
        break;
    case 14:
        r.serverAddress = UsbBlocks::field(text, 2, 1);
        break;
    case 15:
        r.moduleAddress = UsbBlocks::field(text, 1, 2);
        if (r.moduleAddress == QLatin1String(","))
            r.moduleAddress = QStringLiteral("AUTO");
        else
            r.moduleAddress.chop(1);
        if (r.moduleAddress.isEmpty())
            r.moduleAddress = QStringLiteral("N/A");
        break;
    case 16:
        r.moduleNumber = text.isEmpty() ? QString() : QString::number(text.at(0).unicode());
        r.firmware = QStringLiteral("N/A");
        if (text.size() > 3 && text.at(1) == QLatin1Char('~'))
            r.firmware =
                UsbBlocks::firmwareText(quint8(text.at(2).unicode()), quint8(text.at(3).unicode()));
        m_state = ReadEnd;
        m_running = false;
        return Finished;
    default:
        break;
    }
    ++m_state;
    if (m_state == WriteEnd) {
        m_running = false;
        return Finished;
    }
    return Continue;
}
