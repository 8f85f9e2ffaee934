#pragma once
// The least a station could do: frame each connection's stream and answer
// every frame with a fixed 71-byte reply, without decoding or showing
// anything. The reference that the station's figures are compared with.

#include "net/FrameAssembler.h"

#include <QObject>

class QTcpServer;

class BareResponder : public QObject
{
    Q_OBJECT

public:
    explicit BareResponder(QObject *parent = nullptr);
    bool listen(quint16 port = 0);
    quint16 serverPort() const;

private:
    void onNewConnection();
    QTcpServer *m_server;
};
