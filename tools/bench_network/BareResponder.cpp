#include "BareResponder.h"

#include "net/WireProtocol.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

BareResponder::BareResponder(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &BareResponder::onNewConnection);
}

bool BareResponder::listen(quint16 port)
{
    m_server->setListenBacklogSize(1024);
    return m_server->listen(QHostAddress::AnyIPv4, port);
}

quint16 BareResponder::serverPort() const
{
    return m_server->serverPort();
}

void BareResponder::onNewConnection()
{
    static const QByteArray reply(Wire::ReplyLength, char(Wire::ReplyMarker));
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        auto assembler = std::make_shared<FrameAssembler>();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [socket, assembler] {
            QByteArray answers;
            for (const FrameAssembler::Event &e : assembler->feed(socket->readAll()))
                answers.append(e.type == FrameAssembler::Event::Frame
                                   ? reply
                                   : QByteArray(1, Wire::UnknownHeaderAnswer));
            if (!answers.isEmpty())
                socket->write(answers);
        });
    }
}
