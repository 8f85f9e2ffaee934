#pragma once
// The station's server object: a thin shell over the module link that the
// main window creates without a parent and never shows. It reports a failed
// listen in the "Server Error" box and passes the link's records on.

#include "net/ModuleLink.h"

#include <QWidget>

class MyServer : public QWidget
{
    Q_OBJECT

public:
    // Port 0 picks a free port (tests); the station uses Wire::DefaultPort.
    explicit MyServer(quint16 port, QWidget *parent = nullptr, bool demoFeed = true,
                      const ModuleLink::Limits &limits = ModuleLink::Limits());

    bool isListening() const { return m_link.isListening(); }
    quint16 serverPort() const { return m_link.serverPort(); }
    // The port asked for, also when listening failed.
    quint16 requestedPort() const { return m_requestedPort; }
    QString errorString() const { return m_link.errorString(); }
    int connectionCount() const { return m_link.connectionCount(); }
    ModuleLink &link() { return m_link; }

    int Decode(const char *body, quint16 length, DATA &record, quint16 kind);

signals:
    void dataUpdated(DATA data);
    // Declared for the main window; the server itself never emits it.
    void connectionStatus(int status);

public slots:
    // One step of the demonstration feed.
    void OnTimer();

private:
    quint16 m_requestedPort;
    ModuleLink m_link;

public:
    // The device model; module windows, dialogs and log windows write its records.
    CMasterDevice &device;
};
