#pragma once
// The station's state in the main window's status bar: whether the server
// listens, how many modules are connected, the frames arriving per second and,
// in the full edition, whether the event journal is written. Refreshed once a
// second; a record costs one counter increment.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class EventJournal;
class MyServer;
class QLabel;
class QStatusBar;

class CStationStatus : public QObject
{
    Q_OBJECT

public:
    enum Field { Listening, Modules, Rate, Journal, FieldCount };

    // Puts its fields into `bar` from position `at` on; `journal` may be none.
    CStationStatus(QStatusBar *bar, int at, const MyServer *server, const EventJournal *journal,
                   QObject *parent = nullptr);

    void countRecord() { ++m_records; }
    // The text a field shows; empty for a field the edition does not have.
    QString text(Field field) const;

    static int FramesPerSecond(quint64 frames, qint64 elapsedMs);

public slots:
    void OnTimer();

private:
    const MyServer *m_pServer;
    const EventJournal *m_pJournal;
    QLabel *m_labels[FieldCount] = {};
    QTimer m_timer;
    QElapsedTimer m_sinceRefresh;
    quint64 m_records = 0;
    quint64 m_recordsShown = 0;
};
