#include "net/MyServer.h"

#include "net/DemoScenario.h"
#include "net/PacketDecoder.h"
#include "net/WireProtocol.h"

#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

MyServer::MyServer(quint16 port, QWidget *parent, bool demoFeed)
    : QWidget(parent)
    , m_pTcpServer(new QTcpServer(this))
{
    qRegisterMetaType<DATA>("DATA");
    if (!m_pTcpServer->listen(QHostAddress::AnyIPv4, port)) {
        QMessageBox::critical(nullptr, tr("Server Error"),
                              tr("Unable to start the server:") + m_pTcpServer->errorString());
        m_pTcpServer->close();
        return;
    }
    connect(m_pTcpServer, &QTcpServer::newConnection, this, &MyServer::slotNewConnection);
    connect(&m_timer, &QTimer::timeout, this, &MyServer::OnTimer);
    if (demoFeed)
        m_timer.start(DemoScenario::IntervalMs);
    m_demoStep = 0;
}

bool MyServer::isListening() const
{
    return m_pTcpServer->isListening();
}

quint16 MyServer::serverPort() const
{
    return m_pTcpServer->serverPort();
}

int MyServer::Decode(const char *body, quint16 length, DATA &record, quint16 kind)
{
    return PacketDecoder::Decode(device, body, length, record, kind);
}

void MyServer::slotNewConnection()
{
    while (QTcpSocket *socket = m_pTcpServer->nextPendingConnection()) {
        // The connection's state lives as long as its readyRead connection,
        // which ends when the socket deletes itself.
        auto connection = std::make_shared<Connection>();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::errorOccurred, socket, [socket](QAbstractSocket::SocketError error) {
            if (error != QAbstractSocket::RemoteHostClosedError)
                qWarning("Module connection %s: %s", qPrintable(socket->peerAddress().toString()),
                         qPrintable(socket->errorString()));
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, connection] {
            slotReadClient(socket, *connection);
        });
        // Bytes that arrived with the connection are handled at once.
        if (socket->bytesAvailable() > 0)
            slotReadClient(socket, *connection);
    }
}

void MyServer::slotReadClient(QTcpSocket *socket, Connection &connection)
{
    const QVector<FrameAssembler::Event> events = connection.assembler.feed(socket->readAll());
    // The answers of one notification go out in one write, in frame order.
    QByteArray answers;
    for (const FrameAssembler::Event &event : events) {
        if (event.type == FrameAssembler::Event::UnknownHeader)
            answers.append(Wire::UnknownHeaderAnswer);
        else
            answers.append(handleFrame(connection, event));
    }
    if (!answers.isEmpty() && socket->state() == QAbstractSocket::ConnectedState)
        send(socket, answers);
}

QByteArray MyServer::handleFrame(Connection &connection, const FrameAssembler::Event &frame)
{
    const int result = Decode(frame.body.constData(), quint16(frame.body.size()),
                              connection.record, frame.kind);
    // The record goes out first: a new module's window creates the module's
    // record, so the reply to this very frame already carries its settings.
    if (result == Wire::DecodeMeasurement || result == Wire::DecodeBypass)
        emit dataUpdated(connection.record);
    device.BuildReply(connection.record);
    return device.reply();
}

void MyServer::send(QTcpSocket *socket, const QByteArray &bytes)
{
    if (socket->write(bytes) != bytes.size()) {
        qWarning("Module connection %s: reply not sent: %s",
                 qPrintable(socket->peerAddress().toString()), qPrintable(socket->errorString()));
        socket->abort();
    }
}

void MyServer::OnTimer()
{
    if (++m_demoStep >= DemoScenario::Steps)
        m_demoStep = 0;
    for (int m = 1; m <= DemoScenario::Modules; ++m) {
        DemoScenario::BuildRecord(device, m_demoStep, quint8(m), m_demoRecord);
        emit dataUpdated(m_demoRecord);
    }
}
