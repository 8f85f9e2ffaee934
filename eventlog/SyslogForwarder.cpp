#include "eventlog/SyslogForwarder.h"

#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QCoreApplication>
#include <QSettings>
#include <QSysInfo>

SyslogForwarder::SyslogForwarder(int capacity, QObject *parent)
    : QObject(parent)
    , m_sender(new SyslogSender(capacity))
{
    m_sender->setOrigin({ QSysInfo::machineHostName(), QCoreApplication::applicationPid() });
    // Read on the worker thread, never on the record path.
    setModuleNames([](quint8 module) {
        return QSettings()
            .value(SettingsKeys::moduleName(module), QString::number(module))
            .toString();
    });
    m_thread.setObjectName(QStringLiteral("syslog"));
    m_sender->moveToThread(&m_thread);
    connect(m_sender, &SyslogSender::stateChanged, this, &SyslogForwarder::stateChanged,
            Qt::QueuedConnection);
    m_thread.start();
    m_dropWatch.setInterval(1000);
    connect(&m_dropWatch, &QTimer::timeout, this, &SyslogForwarder::checkDropped);
}

SyslogForwarder::~SyslogForwarder()
{
    QMetaObject::invokeMethod(m_sender, &SyslogSender::shutdown, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_sender;
}

void SyslogForwarder::setModuleNames(SyslogSender::ModuleNames names)
{
    m_sender->setModuleNames(std::move(names));
}

QString SyslogForwarder::transportKey(Transport transport)
{
    switch (transport) {
    case Transport::Tls:
        return QStringLiteral("tls");
    case Transport::Udp:
        return QStringLiteral("udp");
    default:
        return QStringLiteral("tcp");
    }
}

SyslogForwarder::Transport SyslogForwarder::transportFromKey(const QString &key)
{
    if (key == QLatin1String("tls"))
        return Transport::Tls;
    if (key == QLatin1String("udp"))
        return Transport::Udp;
    return Transport::Tcp;
}

SyslogForwarder::Config SyslogForwarder::configFrom(const StationOptions &options)
{
    using namespace SettingsKeys;
    Config c;
    c.enabled = options.value(SyslogEnabled, false).toBool();
    c.host = options.value(SyslogHost).toString().trimmed();
    c.transport = transportFromKey(options.value(SyslogTransport).toString());
    bool ok = false;
    const int port =
        options.value(SyslogPort, c.transport == Transport::Tls ? DefaultTlsPort : DefaultPort)
            .toInt(&ok);
    c.port = ok && port > 0 && port <= 65535 ? quint16(port) : 0;
    c.caFile = options.value(SyslogCaFile).toString();
    return c;
}

void SyslogForwarder::follow(StationOptions &options)
{
    configure(configFrom(options));
    connect(&options, &StationOptions::changed, this, [this, &options](const QString &key) {
        if (key.isEmpty() || key.startsWith(SettingsKeys::SyslogGroup + QLatin1Char('/')))
            configure(configFrom(options));
    });
}

void SyslogForwarder::configure(const Config &config)
{
    m_sender->setAccepting(config.enabled);
    QMetaObject::invokeMethod(m_sender, [this, config] { m_sender->applyConfig(config); });
    if (config.enabled)
        m_dropWatch.start();
    else
        m_dropWatch.stop();
}

void SyslogForwarder::checkDropped()
{
    const quint64 total = dropped();
    if (total == m_droppedReported)
        return;
    m_droppedReported = total;
    emit droppedChanged(total);
}
