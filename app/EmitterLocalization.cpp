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

void EmitterLocalization::setMainWindowMinimized(bool minimized)
{
    if (minimized)
        m_state.flags &= ~NotMinimized;
    else
        m_state.flags |= NotMinimized;
}

bool EmitterLocalization::Update(const QMap<quint8, ModuleRecord> &records, int correctModules,
                                 int scale, bool enabled)
{
    State &s = m_state;
    if (!enabled) {
        s.flags &= ~Enabled;
    } else {
        s.flags |= Enabled;
        if (!SelectTriangle(records, correctModules)) {
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
    State &s = m_state;
    // Records change outside the record path too (a module closed, settings
    // loaded), so every module's channels are compared: a few compares each,
    // against indexing and sorting them all anew.
    bool changed = false;
    auto it = records.cbegin();
    for (int m = 0; m <= 255; ++m) {
        const bool here = it != records.cend() && it.key() == m;
        changed |= syncModule(quint8(m), here ? &*it : nullptr);
        if (here)
            ++it;
    }
    if (changed)
        m_searched = false;

    s.flags &= ~(BandSignal | ScanSignal);
    if (correctModules < 3)
        return false;

    // Unchanged reports find what they found last time.
    if (!m_searched) {
        m_searched = true;
        // Every report starts a candidate, in module and channel order; only
        // the first nine with at least two partners after them count. The
        // index tells how many partners a report has without walking the
        // others, so only those nine (and the scratch slot) are built member
        // by member.
        int accepted = 0;
        for (auto r = m_active.cbegin(); r != m_active.cend() && accepted < MaxCandidates; ++r) {
            if (matchCount(*r) < 2)
                continue;
            buildCandidate(*r, s.candidates[accepted]);
            if (s.candidates[accepted].num > 2)
                ++accepted;
        }
        // The slot after the accepted ones holds the last candidate built:
        // that of the last report, which has no module after it.
        if (!m_active.empty())
            buildCandidate(m_active.back(), s.candidates[accepted]);
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
    }
    if (s.candidateCount == 0)
        return false;
    s.flags |= s.chosenType == CSignalTypeStr::Scan ? ScanSignal : BandSignal;
    return true;
}

bool EmitterLocalization::syncModule(quint8 module, const ModuleRecord *record)
{
    bool changed = false;
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
        was = now;
        if (now.active)
            index(slot);
        changed = true;
    }
    return changed;
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

void EmitterLocalization::buildCandidate(int slot, Candidate &c) const
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
    auto p = std::lower_bound(m_byType.begin(), m_byType.end(), Keyed{ a.type, later });
    for (; p != m_byType.end() && p->key == a.type; ++p) {
        const Report &b = m_slots[p->slot];
        if (sameSignal(c, b))
            addMember(c, b);
    }
}

bool EmitterLocalization::sameSignal(const Candidate &c, const Report &b)
{
    if (c.type != CSignalTypeStr::Scan)
        return true;
    return b.freqMHz > 0 && std::fabs(b.freqMHz - c.freqMHz) < kScanWindowMHz;
}

void EmitterLocalization::addMember(Candidate &c, const Report &b)
{
    ++c.num;
    int place = c.num - 1;
    if (place > 2) {
        // The weakest member gives way to a stronger newcomer; the first of equals.
        place = int(std::min_element(c.levels, c.levels + 3) - c.levels);
        if (b.level <= c.levels[place])
            return;
    }
    c.modules[place] = b.module;
    c.channels[place] = b.channel;
    c.levels[place] = b.level;
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
