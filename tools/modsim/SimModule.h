#pragma once
// One radio-monitoring module as the station sees it on the wire, without a
// socket: builds the frames a module sends (measurements, bypass blocks, bulk
// maps) and behaves to the station's 71-byte replies as a module does. It
// reports only what the thresholds, enables and scan range of its settings
// block let through, changes its command sequence byte when a command
// arrives, echoes the upload index, keeps uploaded bypass entries in its map
// and answers a map request with blocks or one bulk frame.

#include "net/SettingsBlock.h"

#include <QByteArray>
#include <QList>
#include <QVector>

class SimModule
{
public:
    // A signal the module's receivers hear now.
    struct Signal
    {
        int type = 0;       // signal catalogue type; 16/17 jammers, 18 scanning receiver
        int level = -102;   // dBm (traffic types: percent - 102)
        double freqMHz = 0; // scanning-receiver hits only
    };
    enum class MapMode { Blocks, Bulk };
    // One bypass range or upload entry carried by a reply (settings bytes 37 .. 41).
    struct OneShot
    {
        quint16 begin = 0;
        quint16 end = 0;
        quint8 kind = 0;
        bool operator==(const OneShot &o) const
        {
            return begin == o.begin && end == o.end && kind == o.kind;
        }
    };
    enum class Reply { Taken, Unknown, Bad };

    static constexpr int NoiseDbm = -95;

    explicit SimModule(quint8 module);

    quint8 module() const { return m_module; }
    void setHeard(const QVector<Signal> &signalList) { m_heard = signalList; }
    const QVector<Signal> &heard() const { return m_heard; }
    // Link level the module reports (nRSSI).
    void setLinkLevel(qint8 level) { m_linkLevel = level; }
    void setMapMode(MapMode mode) { m_mapMode = mode; }
    // 6144 marks, entry i = i MHz.
    void setBypassMap(const QByteArray &map);
    const QByteArray &bypassMap() const { return m_map; }

    // The settings the module works with: the factory block until a reply brings the station's.
    const SettingsBlock::Block &settings() const { return m_settings; }
    quint8 sequence() const { return m_sequence; }

    // The next frame to send (header included): a map block or bulk map when one is due,
    // otherwise a measurement.
    QByteArray nextFrame();
    QByteArray measurementFrame();
    // Fewer than ten runs end the map: the rest read as start 0.
    QByteArray blockFrame(quint8 block, const QVector<QByteArray> &runs) const;
    QByteArray bulkFrame() const;
    // The channels the next measurement reports: (type, level, threshold, state, freq).
    struct Channel
    {
        int type = 0;
        int level = -102;
        int threshold = -102;
        int state = 0;
        double freqMHz = 0;
    };
    QVector<Channel> channels() const;
    // Channels reported as given, whatever the settings say (a test's scripted
    // detection); empty: the module reports what it hears.
    void setFixedChannels(const QVector<Channel> &channels) { m_fixed = channels; }

    // Takes one 71-byte reply. Unknown: the station does not know the module yet
    // (71 zero bytes); Bad: marker or checksum wrong. Neither changes the module.
    Reply takeReply(const QByteArray &reply);

    int blocksSent() const { return m_blocksSent; }
    int bulkFramesSent() const { return m_bulkSent; }
    // Every changed non-zero value of the command byte (42), in order.
    const QList<quint8> &commands() const { return m_commands; }
    // Bypass ranges and upload entries, consecutive repeats folded into one.
    const QList<OneShot> &oneShots() const { return m_oneShots; }

private:
    QVector<QByteArray> mapRuns() const;
    void markRange(const OneShot &shot);

    quint8 m_module;
    qint8 m_linkLevel = 31;
    quint8 m_linkSeq = 0;
    quint8 m_sequence = 0x10;
    quint8 m_lastCommand = 0;
    SettingsBlock::Block m_settings = SettingsBlock::defaults();
    QVector<Signal> m_heard;
    QVector<Channel> m_fixed;
    QByteArray m_map;
    MapMode m_mapMode = MapMode::Blocks;
    QVector<QByteArray> m_runsToSend;
    quint8 m_nextBlock = 0;
    bool m_blockDue = false;
    bool m_bulkDue = false;
    int m_blocksSent = 0;
    int m_bulkSent = 0;
    QList<quint8> m_commands;
    QList<OneShot> m_oneShots;
};
