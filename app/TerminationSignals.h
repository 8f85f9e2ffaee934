#pragma once
// Turns SIGINT and SIGTERM into a Qt signal on the GUI thread, so that the
// station closes as it does from its window: positions, geometry and the
// event limit are saved. Does nothing on platforms without POSIX signals.

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    QSocketNotifier *m_notifier = nullptr;
};
