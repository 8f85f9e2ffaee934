#include "usb/CFTDI.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

const char *const CFTDI::EntryNames[10] = {
    "FT_ListDevices", "FT_Open",      "FT_OpenEx",  "FT_Close",      "FT_Write",
    "FT_Read",        "FT_GetStatus", "FT_EE_Read", "FT_EE_Program", "FT_Purge",
};

CFTDI::CFTDI()
{
    load(libraryName());
}

CFTDI::CFTDI(const QString &library)
{
    load(library);
}

CFTDI::~CFTDI()
{
    Close();
    // The driver stays loaded for the life of the process, as it does on Windows.
}

CFTDI &CFTDI::instance()
{
    static CFTDI link;
    return link;
}

QString CFTDI::libraryName()
{
    const QString overridden = qEnvironmentVariable("HARRIER_FTD2XX_LIBRARY");
    return overridden.isEmpty() ? QStringLiteral("ftd2xx") : overridden;
}

void CFTDI::load(const QString &library)
{
    m_library.setFileName(library);
    if (!m_library.load()) {
        m_bLibraryMissing = 1;
        return;
    }
    // Resolved in this order; the ones after a missing name stay null.
    void **targets[] = {
        reinterpret_cast<void **>(&m_listDevices), reinterpret_cast<void **>(&m_open),
        reinterpret_cast<void **>(&m_openEx),      reinterpret_cast<void **>(&m_close),
        reinterpret_cast<void **>(&m_write),       reinterpret_cast<void **>(&m_read),
        reinterpret_cast<void **>(&m_getStatus),   reinterpret_cast<void **>(&m_eeRead),
        reinterpret_cast<void **>(&m_eeProgram),   reinterpret_cast<void **>(&m_purge),
    };
    for (int i = 0; i < 10; ++i) {
        QFunctionPointer entry = m_library.resolve(EntryNames[i]);
        if (!entry)
            break;
        *targets[i] = reinterpret_cast<void *>(entry);
    }
}

int CFTDI::resolvedCount() const
{
    const void *entries[] = {
        reinterpret_cast<const void *>(m_listDevices), reinterpret_cast<const void *>(m_open),
        reinterpret_cast<const void *>(m_openEx),      reinterpret_cast<const void *>(m_close),
        reinterpret_cast<const void *>(m_write),       reinterpret_cast<const void *>(m_read),
        reinterpret_cast<const void *>(m_getStatus),   reinterpret_cast<const void *>(m_eeRead),
        reinterpret_cast<const void *>(m_eeProgram),   reinterpret_cast<const void *>(m_purge),
    };
    int n = 0;
    while (n < 10 && entries[n])
        ++n;
    return n;
}

void CFTDI::Open()
{
    Close();
    m_bOpen = 0;
    // Without every entry point a handle could be opened that no block can
    // travel through and that could not be closed again.
    if (m_bLibraryMissing || resolvedCount() < 10)
        return;
    if (OpenEx(UsbBlocks::Ft1248Description, OpenByDescription) == Ok) {
        m_bOpen = 1;
        m_deviceKind = UsbBlocks::KindFt1248;
    } else if (OpenEx(UsbBlocks::FifoDescription, OpenByDescription) == Ok) {
        m_bOpen = 1;
        m_deviceKind = UsbBlocks::KindFifo;
    }
}

void CFTDI::Close()
{
    if (!m_bOpen)
        return;
    if (m_close)
        m_close(m_handle);
    m_handle = nullptr;
    m_bOpen = 0;
}

bool CFTDI::Transact(const UsbBlocks::Block &request, UsbBlocks::Block &answer)
{
    // A second exchange cannot share the bridge with one still waiting.
    if (m_busy || !m_bOpen)
        return false;
    // An answer that came too late for its exchange must not pass for the
    // answer to this one.
    if (Purge() != Ok) {
        Close();
        return false;
    }
    m_busy = true;
    bool ok = false;
    Dword written = 0;
    Dword read = 0;
    if (m_deviceKind == UsbBlocks::KindFt1248) {
        UsbBlocks::Block in{};
        // A request the driver did not take gets no answer: no need to wait for one.
        if (Write(request.data(), UsbBlocks::BlockSize, &written) == Ok)
            ReadWhenAvailable(in.data(), UsbBlocks::BlockSize, &read);
        if (read == UsbBlocks::BlockSize) {
            answer = in;
            ok = true;
        }
    } else if (m_deviceKind == UsbBlocks::KindFifo) {
        const QByteArray out = UsbBlocks::splitHalfBytes(request);
        QByteArray in(2 * UsbBlocks::BlockSize, '\0');
        if (Write(out.constData(), Dword(out.size()), &written) == Ok)
            ReadWhenAvailable(in.data(), Dword(in.size()), &read);
        if (read == Dword(in.size())) {
            answer = UsbBlocks::joinHalfBytes(in);
            ok = true;
        }
    }
    m_busy = false;
    // What a failed exchange left behind (a short answer, the start of a late
    // one) goes; a link that cannot be cleared is not used again unopened.
    if (!ok && Purge() != Ok)
        Close();
    return ok;
}

void CFTDI::pause(int ms)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        QThread::msleep(ulong(ms));
        return;
    }
    // Module frames keep being answered and windows keep painting; user input
    // waits, so no button can start a second exchange or close the dialog.
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

CFTDI::Status CFTDI::Write(const void *buffer, Dword count, Dword *written)
{
    if (!m_write)
        return InvalidHandle;
    return m_write(m_handle, const_cast<void *>(buffer), count, written);
}

CFTDI::Status CFTDI::ReadWhenAvailable(void *buffer, Dword count, Dword *read, int timeoutMs)
{
    *read = 0;
    if (!m_getStatus || !m_read)
        return InvalidHandle;
    Status status = Ok;
    for (int i = 0; i < timeoutMs / PollMs; ++i) {
        Dword rx = 0, tx = 0, events = 0;
        status = m_getStatus(m_handle, &rx, &tx, &events);
        if (status == Ok && rx >= count)
            return m_read(m_handle, buffer, count, read);
        pause(PollMs);
    }
    return status;
}

CFTDI::Status CFTDI::GetStatus(Dword *rxQueue, Dword *txQueue, Dword *events)
{
    if (!m_getStatus)
        return InvalidHandle;
    return m_getStatus(m_handle, rxQueue, txQueue, events);
}

CFTDI::Status CFTDI::OpenEx(const char *description, Dword flags)
{
    if (!m_openEx)
        return InvalidHandle;
    return m_openEx(const_cast<char *>(description), flags, &m_handle);
}

CFTDI::Status CFTDI::ListDevices(void *arg1, void *arg2, Dword flags)
{
    if (!m_listDevices)
        return InvalidHandle;
    return m_listDevices(arg1, arg2, flags);
}

CFTDI::Status CFTDI::OpenByIndex(int index)
{
    if (!m_open)
        return InvalidHandle;
    return m_open(index, &m_handle);
}

CFTDI::Status CFTDI::EERead(void *programData)
{
    if (!m_eeRead)
        return InvalidHandle;
    return m_eeRead(m_handle, programData);
}

CFTDI::Status CFTDI::EEProgram(void *programData)
{
    if (!m_eeProgram)
        return InvalidHandle;
    return m_eeProgram(m_handle, programData);
}

CFTDI::Status CFTDI::Purge()
{
    if (!m_purge)
        return InvalidHandle;
    return m_purge(m_handle, PurgeRxTx);
}
