#pragma once
// Estimates where an emitter heard by three modules sits among their windows
// and where the round marker goes, how large and how opaque it is. Pure
// arithmetic on the module records; the main window applies the result.

#include "net/ModuleRecord.h"

#include <QMap>
#include <QPoint>

#include <memory>
#include <vector>

class EmitterLocalization
{
public:
    // State flags.
    static constexpr quint32 Found = 0x01;        // a triangle was found and computed
    static constexpr quint32 NotMinimized = 0x02; // the main window is not minimized
    static constexpr quint32 BandSignal = 0x04;
    static constexpr quint32 ScanSignal = 0x08; // the scanning receiver (type 18)
    static constexpr quint32 Enabled = 0x10;
    // The marker shows for exactly these flag values.
    static constexpr quint32 ShowBand = Found | NotMinimized | BandSignal | Enabled;
    static constexpr quint32 ShowScan = Found | NotMinimized | ScanSignal | Enabled;

    static constexpr int CandidateSlots = 10; // the last one is scratch
    static constexpr int MaxCandidates = 9;
    static constexpr int StartSize = 50;

    // One signal heard by several modules; the three strongest are kept.
    struct Candidate
    {
        qint32 num = 0; // reports of it (a module may hear it on two channels)
        quint8 modules[3] = {};
        quint8 channels[3] = {};
        qint32 levels[3] = {}; // dBm
        qint32 type = 0;
        qint32 freqMHz = 0; // whole MHz
    };

    struct State
    {
        quint32 flags = 0;
        Candidate candidates[CandidateSlots];
        qint32 candidateCount = 0;
        quint8 chosenModules[3] = {};
        qint32 chosenLevels[3] = {}; // dBm
        qint32 chosenType = 0;
        qint32 angles[3] = {}; // degrees
        qint32 smallestAngle = 0;
        QPoint stagePoints[6];
        qint32 stageLevels[6] = {}; // dBm
        QPoint target;              // global coordinates
        QPoint markerPos;           // global coordinates; (0, 0): never placed
        double smoothedX = 0;
        double smoothedY = 0;
        double smoothingDivisor = 16.0;
        qint32 markerSize = StartSize;
        double markerOpacity = 1.0;
    };

    EmitterLocalization();
    ~EmitterLocalization();

    const State &state() const { return m_state; }
    void reset()
    {
        m_state = State();
        forgetIndex();
    }
    // Follows the main window's minimized state.
    void setMainWindowMinimized(bool minimized);

    // Runs after every record of `module`, when no other module's channels
    // changed since the last call; returns whether the marker shows (at
    // state().markerPos, of state().markerSize). `enabled` is "Options/Localization".
    bool Update(const QMap<quint8, ModuleRecord> &records, quint8 module, int correctModules,
                int scale, bool enabled);
    // The same after any change: every module is indexed and searched anew.
    bool Update(const QMap<quint8, ModuleRecord> &records, int correctModules, int scale,
                bool enabled);

    // Finds the candidates over every module anew and chooses one; sets the band or scan flag.
    bool SelectTriangle(const QMap<quint8, ModuleRecord> &records, int correctModules);

    // Angles in whole degrees at p[0], p[2] and p[1]; a flat or degenerate corner gives 0.
    static void ComputeAngles(const QPoint p[3], qint32 angles[3]);
    // The point between p and q pulled towards the stronger one by the level
    // difference over `scale` dB; `level` becomes the stronger level.
    static QPoint Interpolate(QPoint p, int levelP, QPoint q, int levelQ, int scale, qint32 &level);
    // 0 (strong signal, well-shaped triangle) .. 100.
    static int Quality(int strongestLevel, int smallestAngle);
    static int MarkerSize(int quality) { return quality * 500 / 100 + StartSize; }
    static double MarkerOpacity(int quality) { return 0.85 - quality * 0.7999999999999999 / 100; }

private:
    static constexpr int Slots = 256 * DATA::ChannelCount;
    // One channel of one module; a slot's number orders by module, then channel.
    struct Report
    {
        bool active = false;
        quint8 module = 0;
        quint8 channel = 0;
        qint32 level = 0;
        qint32 type = 0;
        double freqMHz = 0;
    };
    // A slot with the key it is sorted by.
    struct Keyed
    {
        qint64 key;
        int slot;
        bool operator<(const Keyed &o) const
        {
            return key < o.key || (key == o.key && slot < o.slot);
        }
    };
    class Members;
    // A report placed in a candidate, with the weakest member's level after
    // it (below every level while the three places are not yet full).
    struct Taken
    {
        int slot;
        qint64 weakest;
    };

    bool update(const QMap<quint8, ModuleRecord> &records, int module, int correctModules,
                int scale, bool enabled);
    void forgetIndex();
    void syncAll(const QMap<quint8, ModuleRecord> &records);
    // Brings the module's slots, the indexes and the kept candidates up to its record.
    void syncModule(quint8 module, const ModuleRecord *record);
    void unindex(int slot);
    void index(int slot);
    // Drops the kept candidates whose members the slot's change may alter;
    // for the others it only changes the count.
    void invalidate(int slot, const Report &was, const Report &now);
    bool search(int correctModules);
    // Reports of the key in the index from the given slot on.
    static int countFrom(const std::vector<Keyed> &index, qint64 key, int slot);
    int matchCount(int slot) const;
    Members &membersOf(const Candidate &c);
    void buildCandidate(int slot, Candidate &c, std::vector<Taken> *taken = nullptr);
    static bool sameSignal(const Candidate &c, const Report &b);
    static bool belongs(const Candidate &c, const Report &b)
    {
        return b.active && b.type == c.type && sameSignal(c, b);
    }

    State m_state;
    // Kept from record to record: a record changes only its module's slots,
    // so the index is mended rather than rebuilt and sorted.
    Report m_slots[Slots];
    std::vector<int> m_active;        // active slots, ascending
    std::vector<Keyed> m_byType;      // active slots by type
    std::vector<Keyed> m_byFrequency; // scanning-receiver slots by frequency key
    // The reports of each accepted candidate's signal, mended with the slots.
    std::vector<std::unique_ptr<Members>> m_members;
    // The accepted candidates of the last search by their slot, with the
    // reports each took in turn; a change to their own report, to one they
    // took, or one they would now take, drops one.
    Candidate m_keptCandidates[MaxCandidates];
    std::vector<Taken> m_taken[MaxCandidates];
    std::vector<Taken> m_takenBefore[MaxCandidates]; // the last search's, while searching
    int m_keptSlots[MaxCandidates] = {};
    bool m_kept[MaxCandidates] = {};
    // The candidates and choice in m_state were found over the present index.
    bool m_searched = false;
    // Records passed unseen while the localization was off.
    bool m_unseen = true;
};
