#include "net/MyServer.h"

#include "net/PacketDecoder.h"

#include <QMessageBox>

MyServer::MyServer(quint16 port, QWidget *parent, bool demoFeed, const ModuleLink::Limits &limits)
    : QWidget(parent)
    , m_requestedPort(port)
    , m_link(port, demoFeed, limits)
    , device(m_link.device)
{
    connect(&m_link, &ModuleLink::dataUpdated, this, &MyServer::dataUpdated);
    if (!m_link.isListening())
        QMessageBox::critical(
            nullptr, tr("Server Error"),
            tr("Unable to start the server on port %1: %2").arg(port).arg(m_link.errorString()));
}

int MyServer::Decode(const char *body, quint16 length, DATA &record, quint16 kind)
{
    return PacketDecoder::Decode(device, body, length, record, kind);
}

void MyServer::OnTimer()
{
    m_link.OnTimer();
}
