#include "app/CStationStatus.h"

#include "eventlog/EventJournal.h"
#include "net/MyServer.h"

#include <QLabel>
#include <QStatusBar>

CStationStatus::CStationStatus(QStatusBar *bar, int at, const MyServer *server,
                               const EventJournal *journal, QObject *parent)
    : QObject(parent)
    , m_pServer(server)
    , m_pJournal(journal)
{
    for (int field = 0; field < FieldCount; ++field) {
        if (field == Journal && !m_pJournal)
            continue;
        m_labels[field] = new QLabel(bar);
        bar->insertPermanentWidget(at++, m_labels[field]);
    }
    m_sinceRefresh.start();
    OnTimer();
    connect(&m_timer, &QTimer::timeout, this, &CStationStatus::OnTimer);
    m_timer.start(1000);
}

QString CStationStatus::text(Field field) const
{
    return field >= 0 && field < FieldCount && m_labels[field] ? m_labels[field]->text()
                                                               : QString();
}

int CStationStatus::FramesPerSecond(quint64 frames, qint64 elapsedMs)
{
    return elapsedMs > 0 ? int((frames * 1000 + quint64(elapsedMs) / 2) / quint64(elapsedMs)) : 0;
}

void CStationStatus::OnTimer()
{
    // Also run on a language change: the rate then covers less than a second.
    const auto show = [this](Field field, const QString &text) {
        if (m_labels[field] && m_labels[field]->text() != text)
            m_labels[field]->setText(text);
    };
    if (m_pServer->isListening())
        show(Listening, tr("Listening on port %1").arg(m_pServer->serverPort()));
    else
        show(Listening,
             tr("Not listening on port %1: %2")
                 .arg(m_pServer->requestedPort())
                 .arg(m_pServer->errorString()));
    show(Modules, tr("Modules connected: %1").arg(m_pServer->connectionCount()));
    show(Rate,
         tr("%1 frames/s")
             .arg(FramesPerSecond(m_records - m_recordsShown, m_sinceRefresh.restart())));
    m_recordsShown = m_records;
    if (m_pJournal)
        show(Journal,
             m_pJournal->isWorking() ? tr("Journal: writing") : tr("Journal: in memory only"));
}
