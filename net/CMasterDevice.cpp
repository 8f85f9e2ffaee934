#include "net/CMasterDevice.h"

#include "net/Acknowledgements.h"
#include "net/ModuleKeys.h"

#include <QSettings>
#include <algorithm>

using namespace SettingsBlock;

CMasterDevice::CMasterDevice(QObject *parent)
    : QObject(parent)
    , m_reply(Wire::ReplyLength, '\0')
{
}

ModuleRecord &CMasterDevice::record(quint8 module)
{
    auto it = m_records.find(module);
    if (it != m_records.end())
        return it.value();
    m_records.insert(module, ModuleRecord());
    LoadModuleSettings(module);
    return m_records[module];
}

ModuleRecord *CMasterDevice::find(quint8 module)
{
    auto it = m_records.find(module);
    return it == m_records.end() ? nullptr : &it.value();
}

void CMasterDevice::SetDefaultSettings(quint8 module)
{
    ModuleRecord &r = m_records[module];
    r.settings = defaults();
    r.manualPauseFreq = DefaultManualPauseFreq;
    r.manualPause = false;
    r.autoPause = false;
    r.lpfSelection = DefaultLpfSelection;
}

void CMasterDevice::ClearBypassMap(ModuleRecord &r)
{
    r.bypassMap.fill(0, Wire::BypassMapSize);
}

void CMasterDevice::LoadModuleSettings(quint8 module)
{
    ModuleRecord &r = m_records[module];
    r.scanFrequency = 0;
    r.bypassMapComplete = 0;
    for (CHANNEL &c : r.lastChannels)
        c.nState = 0;
    ClearBypassMap(r);

    // Every key must be there and the block must be whole; otherwise the
    // record falls back to the defaults as one piece.
    QSettings s;
    const QString freqKey = ModuleKeys::manualPauseFreq(module);
    const QString manualKey = ModuleKeys::manualPauseCheck(module);
    const QString autoKey = ModuleKeys::autoPauseCheck(module);
    const QString lpfKey = ModuleKeys::lpfComboBox(module);
    if (s.contains(freqKey) && s.contains(manualKey) && s.contains(autoKey) && s.contains(lpfKey)) {
        const QByteArray block = s.value(ModuleKeys::settings(module)).toByteArray();
        if (block.size() == Size) {
            r.manualPauseFreq = s.value(freqKey).toInt();
            r.manualPause = s.value(manualKey).toBool();
            r.autoPause = s.value(autoKey).toBool();
            r.lpfSelection = s.value(lpfKey).toInt();
            std::copy(block.cbegin(), block.cend(), r.settings.begin());
            // One-shot commands never survive a restart.
            for (int i = BypassBeginHi; i <= IdentOff; ++i)
                r.settings[i] = 0;
            r.settings[LpfSelection] = 0;
            r.settings[PauseFlags] = 0;
            // Nor does an upload: its list went with the run that started it.
            r.settings[UploadIndex] = 0;
            r.settings[UploadCount] = 0;
            return;
        }
    }
    SetDefaultSettings(module);
}

void CMasterDevice::SaveModuleSettings(quint8 module)
{
    QSettings s;
    SaveModuleSettings(module, s);
}

void CMasterDevice::SaveModuleSettings(quint8 module, QSettings &s)
{
    const ModuleRecord &r = record(module);
    s.setValue(ModuleKeys::settings(module),
               QByteArray(reinterpret_cast<const char *>(r.settings.data()), Size));
    s.setValue(ModuleKeys::manualPauseFreq(module), r.manualPauseFreq);
    s.setValue(ModuleKeys::manualPauseCheck(module), r.manualPause);
    s.setValue(ModuleKeys::autoPauseCheck(module), r.autoPause);
    s.setValue(ModuleKeys::lpfComboBox(module), r.lpfSelection);
}

void CMasterDevice::RefreshPauseBytes(ModuleRecord &r)
{
    r.settings[PauseFlags] = 0;
    r.settings[LpfSelection] = 0;
    if (!r.manualPause)
        return;
    r.settings[PauseFlags] |= ManualPauseFlag;
    // A frequency the module cannot take (a hand-edited store) is sent as none
    // rather than cut to 16 bits.
    if (isModuleFrequency(r.manualPauseFreq)) {
        r.settings[PauseFreqHi] = quint8(r.manualPauseFreq >> 8);
        r.settings[PauseFreqLo] = quint8(r.manualPauseFreq);
        r.settings[LpfSelection] = quint8(r.lpfSelection);
    }
}

void CMasterDevice::BuildReply(const DATA &data)
{
    char *out = m_reply.data();
    ModuleRecord *r = find(data.nID);
    if (!r) {
        std::fill(out, out + Wire::ReplyLength, '\0');
        return;
    }
    Block &b = r->settings;
    out[0] = char(Wire::ReplyMarker);

    if (r->receivedSequence != r->acknowledgedSequence && b[UploadCount] == 0)
        Acknowledgements::note();

    // A running bypass upload sends one entry per reply; the module confirms
    // an entry by echoing its index as the sequence byte.
    if (b[UploadCount] != 0) {
        const int i = b[UploadIndex];
        const quint16 begin = i < bypassBeginList.size() ? bypassBeginList.at(i) : 0;
        const quint16 end = i < bypassEndList.size() ? bypassEndList.at(i) : 0;
        b[BypassBeginHi] = quint8(begin >> 8);
        b[BypassBeginLo] = quint8(begin);
        b[BypassEndHi] = quint8(end >> 8);
        b[BypassEndLo] = quint8(end);
        b[BypassKind] = bypassKind;
        if (r->receivedSequence == b[UploadIndex]) {
            ++b[UploadIndex];
            if (b[UploadIndex] == b[UploadCount])
                b[UploadCount] = 0;
        }
    }

    quint8 sum = 0;
    for (int i = 0; i < Wire::ReplySettingsBytes; ++i) {
        out[1 + i] = char(b[i]);
        sum += b[i];
    }
    out[Wire::ReplyChecksumIndex] = char(sum);

    if (b[Command] == CommandEraseManualBypass && r->receivedSequence != r->acknowledgedSequence)
        b[Command] = CommandNone;
    r->acknowledgedSequence = r->receivedSequence;
    for (int i = BypassBeginHi; i <= BypassKind; ++i)
        b[i] = 0;
}

void CMasterDevice::StoreBypassBlock(quint8 module, quint8 block, const quint8 *runs)
{
    ModuleRecord *r = find(module);
    if (!r || r->bypassMapComplete)
        return;
    if (block == 0)
        ClearBypassMap(*r);
    for (int run = 0; run < Wire::BypassRunCount; ++run) {
        const quint8 *p = runs + run * Wire::BypassRunSize;
        const int start = (p[0] << 8) | p[1];
        if (start == 0) {
            r->bypassMapComplete = 1;
            return;
        }
        const quint16 word = quint16((p[2] << 8) | p[3]);
        const quint8 value = quint8(word >> 12);
        const int count = word & 0x0FFF;
        // A run reaching past the end of the map is cut there.
        const int end = std::min(start + count, int(Wire::BypassMapSize));
        for (int i = start; i < end; ++i)
            r->bypassMap[i] = value;
    }
    if (r->expectedBypassBlock == block) {
        ++r->expectedBypassBlock;
        if (++r->bypassBlockToggle > 2)
            r->bypassBlockToggle = 1;
        r->settings[Command] = quint8(CommandSendBypassMap | r->bypassBlockToggle);
    }
}

void CMasterDevice::StoreBypassMap(quint8 module, const quint8 *data, int count)
{
    ModuleRecord *r = find(module);
    if (!r)
        return;
    count = std::min(count, int(Wire::BypassMapSize));
    for (int i = 0; i < count; ++i)
        r->bypassMap[i] = quint8(data[i] ^ Wire::BulkMapXor);
    r->bypassMapComplete = 1;
}

void CMasterDevice::SetModuleEcho(quint8 module, quint8 value)
{
    if (ModuleRecord *r = find(module))
        r->settings[ModuleEcho] = value;
}
