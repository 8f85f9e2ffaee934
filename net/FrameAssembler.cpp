#include "net/FrameAssembler.h"

#include "net/WireProtocol.h"

quint16 FrameAssembler::peekWord(int offset) const
{
    const auto *p = reinterpret_cast<const uchar *>(m_buffer.constData() + m_pos + offset);
    return quint16((p[0] << 8) | p[1]);
}

void FrameAssembler::compact()
{
    if (m_pos == m_buffer.size()) {
        m_buffer.clear();
        m_pos = 0;
    } else if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
}

QVector<FrameAssembler::Event> FrameAssembler::feed(const QByteArray &bytes, int maxEvents)
{
    QVector<Event> events;
    m_buffer.append(bytes);
    m_more = false;

    for (;;) {
        if (events.size() >= maxEvents) {
            // Not a notification that found too little: the wait count stays.
            m_more = buffered() > 0;
            break;
        }
        if (!m_haveHeader) {
            if (buffered() < 2)
                break;
            const quint16 word = peekWord(0);
            if (word == Wire::ShortImplied) {
                m_pos += 2;
                m_kind = Wire::KindShort;
                m_pendingLength = Wire::ShortBodyLength;
            } else if (word == Wire::KindShort || word == Wire::KindBulk) {
                // The kind word is taken only together with its length word.
                if (buffered() < 4)
                    break;
                m_kind = word;
                m_pendingLength = peekWord(2);
                m_pos += 4;
            } else {
                // Unknown header: the rest of this notification is dropped.
                m_pos = m_buffer.size();
                events.append(Event{ Event::UnknownHeader, word, QByteArray() });
                break;
            }
            m_haveHeader = true;
        }

        if (buffered() < m_pendingLength) {
            // The partial body stays buffered; once abandoned it is read as a
            // new header, as the module would have to resynchronise anyway.
            if (++m_waitCount > MaxWaits) {
                m_haveHeader = false;
                m_pendingLength = 0;
                m_waitCount = 0;
            }
            break;
        }

        m_waitCount = 0;
        events.append(Event{ Event::Frame, m_kind, m_buffer.mid(m_pos, m_pendingLength) });
        m_pos += m_pendingLength;
        m_haveHeader = false;
        m_pendingLength = 0;
    }

    compact();
    return events;
}
