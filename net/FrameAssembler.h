#pragma once
// Cuts the byte stream of one module connection into frames. One assembler per
// connection, so a partial frame of one module never takes another's bytes.
// Each call of feed() is one read notification of the socket.

#include <QByteArray>
#include <QVector>

#include <limits>

class FrameAssembler
{
public:
    struct Event
    {
        enum Type { Frame, UnknownHeader };
        Type type = Frame;
        quint16 kind = 0; // frame kind word of a Frame
        QByteArray body;  // frame body of a Frame
    };

    // A body still incomplete after this many notifications is abandoned.
    static constexpr int MaxWaits = 6;

    // Takes the bytes of one notification and returns, in order, every complete
    // frame and every unknown header word found, at most maxEvents of them.
    // Bytes after a complete frame are kept for the next frame; an incomplete
    // frame waits for more. When the limit cut the pass short, hasMore() is
    // true and feeding an empty array continues where it stopped.
    QVector<Event> feed(const QByteArray &bytes, int maxEvents = std::numeric_limits<int>::max());

    int buffered() const { return m_buffer.size() - m_pos; }
    bool assembling() const { return m_haveHeader; }
    bool hasMore() const { return m_more; }

private:
    quint16 peekWord(int offset) const;
    void compact();

    QByteArray m_buffer;
    int m_pos = 0;
    bool m_haveHeader = false;
    quint16 m_pendingLength = 0;
    quint16 m_kind = 0;
    quint16 m_waitCount = 0;
    bool m_more = false;
};
