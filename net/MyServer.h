#pragma once
// The station's end of the module link: listens for module connections, cuts
// each connection's stream into frames, decodes them, emits the records and
// answers every complete frame with the module's 71-byte reply. Also runs the
// demonstration feed for modules 1 to 6.

#include "net/CMasterDevice.h"
#include "net/Data.h"
#include "net/FrameAssembler.h"

#include <QTimer>
#include <QWidget>

class QTcpServer;
class QTcpSocket;

class MyServer : public QWidget
{
    Q_OBJECT

public:
    // Port 0 picks a free port (tests); the station uses Wire::DefaultPort.
    explicit MyServer(quint16 port, QWidget *parent = nullptr, bool demoFeed = true);

    bool isListening() const;
    quint16 serverPort() const;

    int Decode(const char *body, quint16 length, DATA &record, quint16 kind);

    // The device model; module windows, dialogs and log windows write its records.
    CMasterDevice device;

signals:
    void dataUpdated(DATA data);
    void connectionStatus(int status);

public slots:
    void slotNewConnection();
    void OnTimer();

private:
    // Framing state and last record of one connection.
    struct Connection
    {
        FrameAssembler assembler;
        DATA record;
    };

    void slotReadClient(QTcpSocket *socket, Connection &connection);
    QByteArray handleFrame(Connection &connection, const FrameAssembler::Event &frame);
    void send(QTcpSocket *socket, const QByteArray &bytes);

    QTcpServer *m_pTcpServer = nullptr;
    int m_demoStep = 0;
    DATA m_demoRecord;
    QTimer m_timer;
};
