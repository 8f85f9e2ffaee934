#include "app/EmitterLocalization.h"

#include "net/CSignalTypeStr.h"
#include "net/WireProtocol.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
// Scanning-receiver reports closer than this belong to one signal.
constexpr double kScanWindowMHz = 3.0;
// Frequencies beyond this are no receiver's; they match nothing and stay out of the index.
constexpr double kFrequencyLimitMHz = 1e9;

// Truncated to whole MHz; what does not fit counts as 0.
qint32 wholeMHz(double f)
{
    return std::isfinite(f) && std::fabs(f) < kFrequencyLimitMHz ? qint32(f) : 0;
}

// Frequencies on a whole MHz get even keys, those between two whole MHz odd
// ones, so that "less than 3 MHz from the whole c" is exactly the keys
// 2c - 5 .. 2c + 5.
qint64 frequencyKey(double f)
{
    const double whole = std::floor(f);
    return 2 * qint64(whole) + (f != whole ? 1 : 0);
}

double distance(QPoint a, QPoint b)
{
    const double dx = double(a.x()) - b.x();
    const double dy = double(a.y()) - b.y();
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

// The reports of one signal (a type, or the scanning receiver around a
// whole MHz) by slot: a tree of the greatest level and the number of reports
// under each node, so that a candidate's members are found by jumping to the
// next report that is stronger than its weakest member.
class EmitterLocalization::Members
{
public:
    static constexpr int Leaves = 1024;
    static_assert(Slots <= Leaves, "every slot has a leaf");

    explicit Members(const Candidate &signal)
        : key(signal)
        , m_max(2 * Leaves, std::numeric_limits<qint32>::min())
        , m_count(2 * Leaves, 0)
    {
    }

    void place(int slot, bool present, qint32 level)
    {
        m_max[Leaves + slot] = present ? level : std::numeric_limits<qint32>::min();
        m_count[Leaves + slot] = present ? 1 : 0;
    }
    // After place() calls.
    void buildNodes()
    {
        for (int i = Leaves - 1; i > 0; --i)
            pull(i);
    }
    void set(int slot, bool present, qint32 level)
    {
        place(slot, present, level);
        for (int i = (Leaves + slot) / 2; i > 0; i /= 2)
            pull(i);
    }
    int countFrom(int slot) const
    {
        int sum = 0;
        for (int l = Leaves + slot, r = 2 * Leaves; l < r; l /= 2, r /= 2) {
            if (l & 1)
                sum += m_count[l++];
            if (r & 1)
                sum += m_count[--r];
        }
        return sum;
    }
    // The first slot from `slot` on with a report, or with one stronger than `above`.
    int first(int slot) const { return find(slot, false, 0); }
    int firstAbove(int slot, qint32 above) const { return find(slot, true, above); }

    const Candidate key; // type and whole MHz

private:
    void pull(int i)
    {
        m_max[i] = std::max(m_max[2 * i], m_max[2 * i + 1]);
        m_count[i] = m_count[2 * i] + m_count[2 * i + 1];
    }
    int find(int slot, bool stronger, qint32 above) const
    {
        const auto holds = [&](int i) { return m_count[i] > 0 && (!stronger || m_max[i] > above); };
        // Up from the leaf to the first node on the right that holds one, then down its left edge.
        int i = Leaves + slot;
        while (!holds(i)) {
            while (i & 1) {
                i /= 2;
                if (i <= 1)
                    return -1;
            }
            ++i;
        }
        while (i < Leaves)
            i = holds(2 * i) ? 2 * i : 2 * i + 1;
        return i - Leaves;
    }

    std::vector<qint32> m_max;
    std::vector<qint32> m_count;
};

EmitterLocalization::EmitterLocalization() = default;
EmitterLocalization::~EmitterLocalization() = default;

void EmitterLocalization::setMainWindowMinimized(bool minimized)
{
    if (minimized)
        m_state.flags &= ~NotMinimized;
    else
        m_state.flags |= NotMinimized;
}

bool EmitterLocalization::Update(const QMap<quint8, ModuleRecord> &records, quint8 module,
                                 int correctModules, int scale, bool enabled)
{
    return update(records, module, correctModules, scale, enabled);
}

bool EmitterLocalization::Update(const QMap<quint8, ModuleRecord> &records, int correctModules,
                                 int scale, bool enabled)
{
    return update(records, -1, correctModules, scale, enabled);
}

bool EmitterLocalization::update(const QMap<quint8, ModuleRecord> &records, int module,
                                 int correctModules, int scale, bool enabled)
{
    State &s = m_state;
    if (!enabled) {
        s.flags &= ~Enabled;
        m_unseen = true;
    } else {
        s.flags |= Enabled;
        bool found;
        if (module < 0 || m_unseen) {
            // Whatever passed unseen may have changed any module.
            found = SelectTriangle(records, correctModules);
        } else {
            const auto it = records.constFind(quint8(module));
            syncModule(quint8(module), it != records.constEnd() ? &*it : nullptr);
            found = search(correctModules);
        }
        if (!found) {
            s.flags &= ~Found;
        } else {
            QPoint origins[3], anchors[3];
            for (int k = 0; k < 3; ++k) {
                const auto it = records.constFind(s.chosenModules[k]);
                if (it != records.constEnd()) {
                    origins[k] = it->windowOrigin;
                    anchors[k] = it->windowAnchor;
                }
            }
            ComputeAngles(origins, s.angles);
            s.smallestAngle = *std::min_element(s.angles, s.angles + 3);

            // Each side's point, then each side of the triangle of those points.
            for (int k = 0; k < 3; ++k)
                s.stagePoints[k] =
                    Interpolate(anchors[k], s.chosenLevels[k], anchors[(k + 1) % 3],
                                s.chosenLevels[(k + 1) % 3], scale, s.stageLevels[k]);
            for (int k = 0; k < 3; ++k) {
                const int p = k, q = (k + 1) % 3;
                s.stagePoints[3 + k] =
                    Interpolate(s.stagePoints[p], s.stageLevels[p], s.stagePoints[q],
                                s.stageLevels[q], scale, s.stageLevels[3 + k]);
            }
            const QPoint sum = s.stagePoints[3] + s.stagePoints[4] + s.stagePoints[5];
            s.target = QPoint(sum.x() / 3, sum.y() / 3);
            s.flags |= Found;

            const int quality =
                Quality(*std::max_element(s.chosenLevels, s.chosenLevels + 3), s.smallestAngle);
            s.markerSize = MarkerSize(quality);
            s.markerOpacity = MarkerOpacity(quality);
        }
    }

    if (s.flags != ShowBand && s.flags != ShowScan)
        return false;
    if (s.markerPos.isNull()) {
        s.markerPos = s.target;
        s.smoothedX = s.target.x();
        s.smoothedY = s.target.y();
    } else {
        // Glides a sixteenth of the way on each record.
        s.smoothedX += (s.target.x() - s.smoothedX) / s.smoothingDivisor;
        s.smoothedY += (s.target.y() - s.smoothedY) / s.smoothingDivisor;
        s.markerPos = QPoint(int(s.smoothedX), int(s.smoothedY));
    }
    return true;
}

bool EmitterLocalization::SelectTriangle(const QMap<quint8, ModuleRecord> &records,
                                         int correctModules)
{
    forgetIndex();
    syncAll(records);
    m_unseen = false;
    return search(correctModules);
}

void EmitterLocalization::forgetIndex()
{
    std::fill(std::begin(m_slots), std::end(m_slots), Report());
    m_active.clear();
    m_byType.clear();
    m_byFrequency.clear();
    m_members.clear();
    std::fill(std::begin(m_kept), std::end(m_kept), false);
    m_searched = false;
    m_unseen = true;
}

void EmitterLocalization::syncAll(const QMap<quint8, ModuleRecord> &records)
{
    auto it = records.cbegin();
    for (int m = 0; m <= 255; ++m) {
        const bool here = it != records.cend() && it.key() == m;
        syncModule(quint8(m), here ? &*it : nullptr);
        if (here)
            ++it;
    }
}

bool EmitterLocalization::search(int correctModules)
{
    State &s = m_state;
    s.flags &= ~(BandSignal | ScanSignal);
    if (correctModules < 3)
        return false;

    // Unchanged reports find what they found last time.
    if (!m_searched) {
        m_searched = true;
        Candidate kept[MaxCandidates];
        int keptSlots[MaxCandidates];
        bool wasKept[MaxCandidates];
        std::copy(m_keptCandidates, m_keptCandidates + MaxCandidates, kept);
        std::swap(m_taken, m_takenBefore);
        std::copy(m_keptSlots, m_keptSlots + MaxCandidates, keptSlots);
        std::copy(m_kept, m_kept + MaxCandidates, wasKept);
        std::fill(std::begin(m_kept), std::end(m_kept), false);
        // Every report starts a candidate, in module and channel order; only
        // the first nine with at least two partners after them count. The
        // index tells how many partners a report has without walking the
        // others; only those nine (and the scratch slot) are built, and of
        // those only the ones whose signal changed.
        int accepted = 0;
        for (auto r = m_active.cbegin(); r != m_active.cend() && accepted < MaxCandidates; ++r) {
            if (matchCount(*r) < 2)
                continue;
            Candidate &c = s.candidates[accepted];
            const int k = int(std::find(keptSlots, keptSlots + MaxCandidates, *r) - keptSlots);
            if (k < MaxCandidates && wasKept[k]) {
                c = kept[k];
                m_taken[accepted].swap(m_takenBefore[k]);
            } else {
                m_taken[accepted].clear();
                buildCandidate(*r, c, &m_taken[accepted]);
            }
            if (c.num > 2) {
                m_keptCandidates[accepted] = c;
                m_keptSlots[accepted] = *r;
                m_kept[accepted] = true;
                ++accepted;
            }
        }
        // The slot after the accepted ones holds the last candidate built:
        // that of the last report, which has no module after it. The rest
        // are empty, as from a search on a fresh state.
        int filled = accepted;
        if (!m_active.empty())
            buildCandidate(m_active.back(), s.candidates[filled++]);
        std::fill(s.candidates + filled, s.candidates + CandidateSlots, Candidate());
        s.candidateCount = accepted;
        if (accepted > 0) {
            // The candidate with the strongest member; the first of equals.
            int chosen = 0;
            qint32 strongest = std::numeric_limits<qint32>::min();
            for (int i = 0; i < accepted; ++i)
                for (qint32 level : s.candidates[i].levels)
                    if (level > strongest) {
                        strongest = level;
                        chosen = i;
                    }
            const Candidate &c = s.candidates[chosen];
            std::copy(c.modules, c.modules + 3, s.chosenModules);
            std::copy(c.levels, c.levels + 3, s.chosenLevels);
            s.chosenType = c.type;
        }
        // Only the accepted signals' reports are followed from here on.
        const auto unused = [&](const std::unique_ptr<Members> &m) {
            for (int i = 0; i < accepted; ++i)
                if (m->key.type == s.candidates[i].type
                    && m->key.freqMHz == s.candidates[i].freqMHz)
                    return false;
            return true;
        };
        m_members.erase(std::remove_if(m_members.begin(), m_members.end(), unused),
                        m_members.end());
    }
    if (s.candidateCount == 0)
        return false;
    s.flags |= s.chosenType == CSignalTypeStr::Scan ? ScanSignal : BandSignal;
    return true;
}

void EmitterLocalization::syncModule(quint8 module, const ModuleRecord *record)
{
    for (int n = 0; n < DATA::ChannelCount; ++n) {
        const int slot = module * DATA::ChannelCount + n;
        Report now;
        if (record && record->lastChannels[n].nState != 0) {
            const CHANNEL &c = record->lastChannels[n];
            now = Report{ true, module, quint8(n), c.nLevel, c.nType, c.dFreqMHz };
        }
        Report &was = m_slots[slot];
        if (now.active == was.active
            && (!now.active
                || (now.level == was.level && now.type == was.type && now.freqMHz == was.freqMHz)))
            continue;
        if (was.active)
            unindex(slot);
        invalidate(slot, was, now);
        for (const auto &m : m_members)
            if (belongs(m->key, was) || belongs(m->key, now))
                m->set(slot, belongs(m->key, now), now.level);
        was = now;
        if (now.active)
            index(slot);
        m_searched = false;
    }
}

void EmitterLocalization::invalidate(int slot, const Report &was, const Report &now)
{
    const int module = slot / DATA::ChannelCount;
    for (int i = 0; i < MaxCandidates; ++i) {
        Candidate &c = m_keptCandidates[i];
        const bool left = belongs(c, was), entered = belongs(c, now);
        if (!m_kept[i] || (m_keptSlots[i] != slot && !left && !entered))
            continue;
        if (m_keptSlots[i] == slot) {
            m_kept[i] = false;
            continue;
        }
        if (m_keptSlots[i] / DATA::ChannelCount >= module) // not after it: no partner
            continue;
        // A report the candidate passed over changes nothing but the count,
        // as long as the new one is passed over too: no stronger than the
        // weakest member at its place in the run.
        const std::vector<Taken> &taken = m_taken[i];
        const auto at = std::lower_bound(taken.begin(), taken.end(), slot,
                                         [](const Taken &t, int s) { return t.slot < s; });
        const qint64 weakest =
            at == taken.begin() ? std::numeric_limits<qint64>::min() : std::prev(at)->weakest;
        if ((at != taken.end() && at->slot == slot) || (entered && now.level > weakest))
            m_kept[i] = false;
        else
            c.num += int(entered) - int(left);
    }
}

namespace {

template <typename T> void insertSorted(std::vector<T> &v, const T &value)
{
    v.insert(std::lower_bound(v.begin(), v.end(), value), value);
}

template <typename T> void eraseSorted(std::vector<T> &v, const T &value)
{
    const auto it = std::lower_bound(v.begin(), v.end(), value);
    if (it != v.end() && !(value < *it))
        v.erase(it);
}

bool inFrequencyIndex(qint32 type, double freqMHz)
{
    return type == CSignalTypeStr::Scan && freqMHz > 0 && freqMHz < kFrequencyLimitMHz;
}

} // namespace

void EmitterLocalization::unindex(int slot)
{
    const Report &r = m_slots[slot];
    eraseSorted(m_active, slot);
    eraseSorted(m_byType, Keyed{ r.type, slot });
    if (inFrequencyIndex(r.type, r.freqMHz))
        eraseSorted(m_byFrequency, Keyed{ frequencyKey(r.freqMHz), slot });
}

void EmitterLocalization::index(int slot)
{
    const Report &r = m_slots[slot];
    insertSorted(m_active, slot);
    insertSorted(m_byType, Keyed{ r.type, slot });
    if (inFrequencyIndex(r.type, r.freqMHz))
        insertSorted(m_byFrequency, Keyed{ frequencyKey(r.freqMHz), slot });
}

int EmitterLocalization::countFrom(const std::vector<Keyed> &index, qint64 key, int slot)
{
    const auto from = std::lower_bound(index.begin(), index.end(), Keyed{ key, slot });
    const auto end =
        std::lower_bound(from, index.end(), Keyed{ key, std::numeric_limits<int>::max() });
    return int(end - from);
}

int EmitterLocalization::matchCount(int slot) const
{
    const Report &a = m_slots[slot];
    // Within a key, slots are in module order: the later modules' are its tail.
    const int later = (a.module + 1) * DATA::ChannelCount;
    if (a.type != CSignalTypeStr::Scan)
        return countFrom(m_byType, a.type, later);
    const qint64 c = wholeMHz(a.freqMHz);
    int count = 0;
    for (qint64 key = 2 * c - 5; key <= 2 * c + 5 && count < 2; ++key)
        count += countFrom(m_byFrequency, key, later);
    return count;
}

EmitterLocalization::Members &EmitterLocalization::membersOf(const Candidate &c)
{
    for (const auto &m : m_members)
        if (m->key.type == c.type && m->key.freqMHz == c.freqMHz)
            return *m;
    m_members.push_back(std::make_unique<Members>(c));
    Members &m = *m_members.back();
    for (int slot : m_active)
        if (belongs(c, m_slots[slot]))
            m.place(slot, true, m_slots[slot].level);
    m.buildNodes();
    return m;
}

void EmitterLocalization::buildCandidate(int slot, Candidate &c, std::vector<Taken> *taken)
{
    const Report &a = m_slots[slot];
    c = Candidate();
    c.num = 1;
    c.modules[0] = a.module;
    c.channels[0] = a.channel;
    c.levels[0] = a.level;
    c.type = a.type;
    c.freqMHz = wholeMHz(a.freqMHz);
    const int later = (a.module + 1) * DATA::ChannelCount;
    if (m_active.empty() || m_active.back() < later)
        return;
    const Members &members = membersOf(c);
    c.num += members.countFrom(later);
    bool full = false; // all three places hold a member
    const auto take = [&](int place, int from) {
        const Report &b = m_slots[from];
        c.modules[place] = b.module;
        c.channels[place] = b.channel;
        c.levels[place] = b.level;
        full = full || place == 2;
        if (taken)
            taken->push_back({ from,
                               full ? *std::min_element(c.levels, c.levels + 3)
                                    : std::numeric_limits<qint64>::min() });
    };
    // The first two partners join as they come; after that the weakest
    // member gives way to a stronger one (the first of equals), so only the
    // reports stronger than the weakest member need looking at.
    int from = later;
    for (int place = 1; place < 3; ++place) {
        const int p = members.first(from);
        if (p < 0)
            return;
        take(place, p);
        from = p + 1;
    }
    for (;;) {
        const int place = int(std::min_element(c.levels, c.levels + 3) - c.levels);
        const int p = members.firstAbove(from, c.levels[place]);
        if (p < 0)
            return;
        take(place, p);
        from = p + 1;
    }
}

bool EmitterLocalization::sameSignal(const Candidate &c, const Report &b)
{
    if (c.type != CSignalTypeStr::Scan)
        return true;
    return b.freqMHz > 0 && std::fabs(b.freqMHz - c.freqMHz) < kScanWindowMHz;
}

void EmitterLocalization::ComputeAngles(const QPoint p[3], qint32 angles[3])
{
    const double s0 = distance(p[0], p[1]);
    const double s1 = distance(p[0], p[2]);
    const double s2 = distance(p[1], p[2]);
    const double sides[3][3] = { { s0, s1, s2 }, { s1, s2, s0 }, { s2, s0, s1 } };
    for (int k = 0; k < 3; ++k) {
        const double a = sides[k][0], b = sides[k][1], c = sides[k][2];
        const double degrees = std::acos((b * b + a * a - c * c) / (2 * a * b)) * kDegreesPerRadian;
        // Two windows at one place, or rounding past -1 .. 1 on a flat triangle.
        angles[k] = std::isnan(degrees) ? 0 : qint32(degrees);
    }
}

QPoint EmitterLocalization::Interpolate(QPoint p, int levelP, QPoint q, int levelQ, int scale,
                                        qint32 &level)
{
    const int lp = levelP + Wire::LevelOffset;
    const int lq = levelQ + Wire::LevelOffset;
    double t = scale > 0 ? double(lq - lp) / scale : (lq > lp) - (lq < lp);
    t = std::clamp(t, -1.0, 1.0);
    level = std::max(lp, lq) - Wire::LevelOffset;
    const auto between = [t](int a, int b) {
        return int((double(a) + b + (double(b) - a) * t) / 2);
    };
    return QPoint(between(p.x(), q.x()), between(p.y(), q.y()));
}

int EmitterLocalization::Quality(int strongestLevel, int smallestAngle)
{
    int a = strongestLevel + Wire::LevelOffset;
    a = a < 101 ? 100 - a : 0;
    int b = smallestAngle * 167 / 100;
    b = b < 101 ? 100 - b : 0;
    // Levels below the wire's range would push it past 100.
    return (std::clamp(a, 0, 100) + std::clamp(b, 0, 100)) / 2;
}
