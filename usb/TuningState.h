#pragma once
// The jammer-suppression unit's tuning state, one for the process (it outlives
// a configuration dialog), with the unit's request and answer blocks and the
// smoothing of the spectrum it reports.

#include "usb/UsbBlocks.h"

#include <array>

class TuningState
{
public:
    static constexpr int Bins = 264;
    // Command letter of the tuning request and the command byte's values.
    static constexpr quint8 RequestLetter = 0x1D;
    static constexpr quint8 CommandNone = 0;
    static constexpr quint8 CommandStart = 160;
    static constexpr quint8 CommandSave = 170;
    static constexpr quint8 CommandRestart = 0xCC;
    // Status flag bits of the answer.
    static constexpr quint8 FlagNoJammer = 0x01;
    static constexpr quint8 FlagBadSuppression = 0x02;
    static constexpr quint8 FlagChanged = 0x04;
    static constexpr quint8 FlagChanged2 = 0x08;
    // Grab states.
    static constexpr int Live = 0;
    static constexpr int Grabbed = 1;
    static constexpr int Saved = 2;

    // Controls of the tab that travel in the request and live nowhere else.
    struct Controls
    {
        int averageFactor = 0; // combo index
        int led = 0;           // combo index
        bool alarmSound = false;
        bool offline = false;
    };

    // What the unit reports.
    struct Answer
    {
        std::array<quint8, Bins> levels{};
        quint8 sequence = 0;
        quint8 flags = 0;
        int quality = 0;
        int surplus = 0;
        int lack = 0;
    };

    static TuningState &instance();

    // A configuration dialog starts with a flat base level and nothing shown.
    void resetForDialog();
    UsbBlocks::Block request(const Controls &controls) const;
    static Answer parseAnswer(const UsbBlocks::Block &answer);
    // Takes a poll's answer: the unit's figures and flags, the spectrum (shown
    // figures follow only while live), and the command as done. True once
    // when the sequence byte moves after a save: the unit has saved.
    bool takeAnswer(const UsbBlocks::Block &answer);
    // Rises to a higher level at once, decays by a sixteenth of the way
    // towards a lower one; `copy` also shows the received figures.
    void updateSpectrum(const std::array<quint8, Bins> &levels, bool copy);
    // Step 3 ("Grab Suppression Parameters") by the shown quality: refused
    // below 50 %, taken with a notice below 95 %, else taken.
    enum Grab { GrabRefused, GrabWithNotice, GrabFine };
    Grab grabCheck() const
    {
        return shownQuality < 50 ? GrabRefused : shownQuality < 95 ? GrabWithNotice : GrabFine;
    }

    std::array<double, Bins> current{};
    std::array<double, Bins> base{};
    int suppressionFactor = 0;
    int maxQualityError = 0;
    int maxAddQualityError = 0;
    int shownQuality = 0;
    int shownSurplus = 0;
    int shownLack = 0;
    int receivedQuality = 0;
    int receivedSurplus = 0;
    int receivedLack = 0;
    quint8 flags = 0;
    quint8 command = CommandNone;
    int grabState = Live;
    quint8 saveAcknowledged = 1;
    int lastSequence = 0;
};
