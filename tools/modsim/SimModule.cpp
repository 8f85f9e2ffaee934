#include "tools/modsim/SimModule.h"

#include "net/CSignalTypeStr.h"
#include "net/Data.h"
#include "net/ModuleFrame.h"
#include "net/PacketDecoder.h"
#include "net/WireProtocol.h"

#include <algorithm>

namespace {

quint16 be16(const QByteArray &b, int at)
{
    return quint16(quint8(b.at(at)) << 8 | quint8(b.at(at + 1)));
}

// Settings bytes of a reported type: threshold and enable, or -1 for a type no module reports.
int settingsType(int type)
{
    if (type >= 0 && type <= CSignalTypeStr::G4_2600)
        return type;
    switch (type) {
    case CSignalTypeStr::JammerGsm:
        return 13;
    case CSignalTypeStr::JammerGps:
        return 14;
    case CSignalTypeStr::Scan:
        return 15;
    default:
        return -1;
    }
}

constexpr int ScanState = 64;

} // namespace

SimModule::SimModule(quint8 module)
    : m_module(module)
    , m_map(Wire::BypassMapSize, '\0')
{
}

void SimModule::setBypassMap(const QByteArray &map)
{
    m_map = map.left(Wire::BypassMapSize);
    m_map.append(QByteArray(Wire::BypassMapSize - m_map.size(), '\0'));
}

QVector<SimModule::Channel> SimModule::channels() const
{
    using namespace SettingsBlock;
    if (!m_fixed.isEmpty())
        return m_fixed.mid(0, DATA::ChannelCount);
    QVector<Channel> out;
    for (const Signal &s : m_heard) {
        const int st = settingsType(s.type);
        if (st < 0 || m_settings[CSignalTypeStr::enableByte(st)] == 0)
            continue; // the band is not watched
        Channel c;
        c.type = s.type;
        c.level = s.level;
        c.threshold = int(m_settings[CSignalTypeStr::thresholdByte(st)]) - Wire::LevelOffset;
        if (s.type == CSignalTypeStr::Scan) {
            const double low = m_settings[ScanBegin] * double(ScanUnitMHz);
            const double high = m_settings[ScanEnd] * double(ScanUnitMHz);
            if (s.freqMHz < low || s.freqMHz > high)
                continue; // outside the scanned range
            c.freqMHz = s.freqMHz;
            c.state = s.level > c.threshold ? ScanState : 0;
        } else {
            c.state = s.level > c.threshold ? 1 : 0;
        }
        out.append(c);
    }
    // Detections first, loudest first; a module has three channels.
    std::stable_sort(out.begin(), out.end(), [](const Channel &a, const Channel &b) {
        if ((a.state != 0) != (b.state != 0))
            return a.state != 0;
        return a.level > b.level;
    });
    out.resize(std::min<int>(out.size(), DATA::ChannelCount));
    return out;
}

QByteArray SimModule::measurementFrame()
{
    DATA r;
    r.nID = m_module;
    r.nFormat = Wire::MeasurementFormat;
    r.nRSSI = m_linkLevel;
    r.nLinkSeq = m_linkSeq++;
    const QVector<Channel> list = channels();
    for (int n = 0; n < DATA::ChannelCount; ++n) {
        CHANNEL &c = r.channel[n];
        if (n >= list.size()) {
            c.nLevel = c.nThreshold = c.nNoise = -Wire::LevelOffset; // all-zero block
            continue;
        }
        c.nType = list[n].type;
        c.nLevel = list[n].level;
        c.nThreshold = list[n].threshold;
        c.nNoise = NoiseDbm;
        c.nState = list[n].state;
        c.dFreqMHz = list[n].freqMHz;
    }
    return ModuleFrame::shortFrame(ModuleFrame::measurementBody(r, m_sequence));
}

QByteArray SimModule::blockFrame(quint8 block, const QVector<QByteArray> &runs) const
{
    QVector<ModuleFrame::Run> list;
    for (const QByteArray &run : runs) {
        const quint16 word = be16(run, 2);
        list.append({ be16(run, 0), quint8(word >> 12), quint16(word & 0x0FFF) });
    }
    return ModuleFrame::shortFrame(ModuleFrame::bypassBlockBody(m_module, block, list));
}

QByteArray SimModule::bulkFrame() const
{
    return ModuleFrame::frame(Wire::KindBulk, ModuleFrame::bulkBody(m_module, m_map));
}

QVector<QByteArray> SimModule::mapRuns() const
{
    // Runs of equal non-zero marks: start (16 bits), then mark << 12 | count.
    QVector<QByteArray> runs;
    int i = 1; // entry 0 cannot be sent: a start of 0 ends the map
    while (i < m_map.size()) {
        const quint8 mark = quint8(m_map.at(i)) & 0x0F;
        if (mark == 0) {
            ++i;
            continue;
        }
        int n = 1;
        while (i + n < m_map.size() && (quint8(m_map.at(i + n)) & 0x0F) == mark && n < 0xFFF)
            ++n;
        const quint16 word = quint16(mark << 12 | n);
        QByteArray run(4, '\0');
        run[0] = char(i >> 8);
        run[1] = char(i);
        run[2] = char(word >> 8);
        run[3] = char(word);
        runs.append(run);
        i += n;
    }
    runs.append(QByteArray(4, '\0')); // the end of the map
    return runs;
}

QByteArray SimModule::nextFrame()
{
    if (m_bulkDue) {
        m_bulkDue = false;
        ++m_bulkSent;
        return bulkFrame();
    }
    if (m_blockDue && !m_runsToSend.isEmpty()) {
        m_blockDue = false;
        const QVector<QByteArray> runs = m_runsToSend.mid(0, Wire::BypassRunCount);
        m_runsToSend = m_runsToSend.mid(runs.size());
        ++m_blocksSent;
        return blockFrame(m_nextBlock++, runs);
    }
    return measurementFrame();
}

void SimModule::markRange(const OneShot &shot)
{
    const int from = qBound(1, int(shot.begin), Wire::BypassMapSize - 1);
    const int to = qBound(1, int(shot.end), Wire::BypassMapSize - 1);
    for (int i = from; i <= to; ++i)
        m_map[i] = char(quint8(m_map.at(i)) | (shot.kind & 0x0F));
}

SimModule::Reply SimModule::takeReply(const QByteArray &reply)
{
    if (reply.size() != Wire::ReplyLength)
        return Reply::Bad;
    if (reply.count('\0') == Wire::ReplyLength)
        return Reply::Unknown;
    if (quint8(reply.at(0)) != Wire::ReplyMarker
        || quint8(reply.at(Wire::ReplyChecksumIndex))
            != PacketDecoder::checksum(reply.constData() + 1, Wire::ReplySettingsBytes))
        return Reply::Bad;

    using namespace SettingsBlock;
    for (int i = 0; i < Wire::ReplySettingsBytes; ++i)
        m_settings[i] = quint8(reply.at(1 + i));
    const auto at = [this](int i) { return m_settings[i]; };

    const OneShot shot{ quint16(at(BypassBeginHi) << 8 | at(BypassBeginLo)),
                        quint16(at(BypassEndHi) << 8 | at(BypassEndLo)), at(BypassKind) };
    const bool hasShot = shot.begin != 0 || shot.end != 0 || shot.kind != 0;
    if (hasShot && (m_oneShots.isEmpty() || !(m_oneShots.last() == shot)))
        m_oneShots.append(shot);
    if (hasShot)
        markRange(shot);

    const quint8 command = at(Command);
    const bool newCommand = command != 0 && command != m_lastCommand;
    m_lastCommand = command;
    if (newCommand)
        m_commands.append(command);
    if (newCommand && command == CommandEraseManualBypass)
        for (char &mark : m_map)
            mark = char(quint8(mark) & ~ManualBypassKind);

    if (at(UploadCount) != 0 || (at(UploadIndex) != 0 && hasShot)) {
        // An upload runs: confirm the entry by echoing its index.
        m_sequence = at(UploadIndex);
    } else if (hasShot || newCommand) {
        ++m_sequence;
    }

    // A request for the map: a new command 8, or 8 beside a range just deleted.
    if (command == CommandSendBypassMap && (newCommand || hasShot)) {
        if (m_mapMode == MapMode::Bulk) {
            m_bulkDue = true;
        } else {
            m_runsToSend = mapRuns();
            m_nextBlock = 0;
            m_blockDue = true;
        }
    } else if (newCommand
               && (command == (CommandSendBypassMap | 1)
                   || command == (CommandSendBypassMap | 2))) {
        m_blockDue = true;
    }
    return Reply::Taken;
}
