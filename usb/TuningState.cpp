#include "usb/TuningState.h"

namespace {

// Request bytes.
constexpr int BaseLevelByte = 1;
constexpr int CommandByte = 265;
constexpr int FactorByte = 266;
constexpr int QualityByte = 267;
constexpr int SurplusByte = 268;
constexpr int LackByte = 270;
constexpr int MaxQualityErrorByte = 272;
constexpr int MaxAddErrorByte = 273;
constexpr int AverageByte = 275;
constexpr int LedAlarmByte = 277;
constexpr int SoundByte = 278;
constexpr int LedDiagnosticByte = 279;
constexpr int OfflineByte = 280;
constexpr int AverageOffset = 4;
// Answer bytes.
constexpr int AnswerSequenceByte = 265;
constexpr int AnswerFlagsByte = 266;
constexpr int AnswerQualityByte = 267;
constexpr int AnswerSurplusByte = 268;
constexpr int AnswerLackByte = 270;

void put16(UsbBlocks::Block &b, int at, int value)
{
    b[at] = quint8((value >> 8) & 0xFF);
    b[at + 1] = quint8(value & 0xFF);
}

int get16(const UsbBlocks::Block &b, int at)
{
    return b[at] * 256 + b[at + 1];
}

} // namespace

TuningState &TuningState::instance()
{
    static TuningState state;
    return state;
}

void TuningState::resetForDialog()
{
    base.fill(90.0);
    shownQuality = shownSurplus = shownLack = 0;
    command = CommandNone;
    saveAcknowledged = 1;
    grabState = Live;
}

UsbBlocks::Block TuningState::request(const Controls &controls) const
{
    UsbBlocks::Block b{};
    b[0] = RequestLetter;
    for (int i = 0; i < Bins; ++i)
        b[BaseLevelByte + i] = quint8(int(base[i]) & 0xFF);
    b[CommandByte] = command;
    b[FactorByte] = quint8(suppressionFactor & 0xFF);
    b[QualityByte] = quint8(shownQuality & 0xFF);
    put16(b, SurplusByte, shownSurplus);
    put16(b, LackByte, -shownLack);
    b[MaxQualityErrorByte] = quint8(maxQualityError & 0xFF);
    put16(b, MaxAddErrorByte, maxAddQualityError);
    b[AverageByte] = quint8(controls.averageFactor + AverageOffset);
    b[LedAlarmByte] = (controls.led == 2 || controls.led == 3) ? 1 : 0;
    b[SoundByte] = controls.alarmSound ? 1 : 0;
    b[LedDiagnosticByte] = (controls.led == 1 || controls.led == 3) ? 1 : 0;
    b[OfflineByte] = controls.offline ? 1 : 0;
    return b;
}

TuningState::Answer TuningState::parseAnswer(const UsbBlocks::Block &answer)
{
    Answer a;
    for (int i = 0; i < Bins; ++i)
        a.levels[i] = answer[i];
    a.sequence = answer[AnswerSequenceByte];
    a.flags = answer[AnswerFlagsByte];
    a.quality = answer[AnswerQualityByte];
    a.surplus = get16(answer, AnswerSurplusByte);
    a.lack = get16(answer, AnswerLackByte);
    return a;
}

bool TuningState::takeAnswer(const UsbBlocks::Block &block)
{
    const Answer answer = parseAnswer(block);
    flags = answer.flags;
    receivedQuality = answer.quality;
    receivedSurplus = answer.surplus;
    receivedLack = answer.lack;
    command = CommandNone;
    updateSpectrum(answer.levels, grabState == Live);
    const bool saved = saveAcknowledged == 0 && answer.sequence != lastSequence;
    lastSequence = answer.sequence;
    if (saved) {
        saveAcknowledged = 1;
        grabState = Saved;
    }
    return saved;
}

void TuningState::updateSpectrum(const std::array<quint8, Bins> &levels, bool copy)
{
    for (int i = 0; i < Bins; ++i) {
        const double level = levels[i];
        if (level > current[i])
            current[i] = level;
        else
            current[i] -= (current[i] - level) / 16.0;
    }
    if (copy) {
        shownQuality = receivedQuality;
        shownSurplus = receivedSurplus;
        shownLack = receivedLack;
    }
}
