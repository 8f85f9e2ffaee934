#pragma once
// Turns SIGINT and SIGTERM into a Qt signal on the GUI thread, so that the
// station closes as it does from its window: positions, geometry and the
// event limit are saved. On Windows a console's Ctrl+C and Ctrl+Break count
// as SIGINT and closing the console, logging off or shutting down as SIGTERM.

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
