#pragma once
// The station's link to a configuration device behind an FTDI USB bridge: loads
// the D2XX driver library at run time, opens the first bridge answering to one
// of two known descriptions and exchanges 320-byte blocks with it.

#include "usb/UsbBlocks.h"

#include <QLibrary>
#include <QString>

#include <cstdint>

class CFTDI
{
public:
    // The driver's own types and values (documented D2XX interface).
    using Handle = void *;
    using Status = std::uint32_t;
    using Dword = std::uint32_t;
    static constexpr Status Ok = 0;
    static constexpr Status InvalidHandle = 1;
    static constexpr Dword OpenByDescription = 2;
    static constexpr std::uint32_t PurgeRxTx = 3;
    static constexpr int TimeoutMs = 3000;
    static constexpr int PollMs = 20;

    // Names of the entry points, in the order they are resolved.
    static const char *const EntryNames[10];

    // Loads libraryName().
    CFTDI();
    // Loads the given library instead (tests).
    explicit CFTDI(const QString &library);
    CFTDI(const CFTDI &) = delete;
    CFTDI &operator=(const CFTDI &) = delete;
    virtual ~CFTDI();

    // The one link of the station, created on first use.
    static CFTDI &instance();
    // "ftd2xx", or the path in HARRIER_FTD2XX_LIBRARY.
    static QString libraryName();

    void Open();
    void Close();
    // Sends the request and fills the answer; true only for a whole answer.
    // The receive queue is purged before the request and after a failure (a
    // link whose purge fails is closed), so no exchange reads a stale answer.
    // While it waits the event loop keeps running (without user input), so
    // the module link is served; a call made meanwhile fails at once.
    bool Transact(const UsbBlocks::Block &request, UsbBlocks::Block &answer);

    bool isOpen() const { return m_bOpen != 0; }
    bool isLibraryMissing() const { return m_bLibraryMissing != 0; }
    bool isBusy() const { return m_busy; }
    int deviceKind() const { return m_deviceKind; }
    // Entry points resolved before the first missing one.
    int resolvedCount() const;

    // Thin wrappers: the driver's status, or InvalidHandle without the entry point.
    Status Write(const void *buffer, Dword count, Dword *written);
    Status ReadWhenAvailable(void *buffer, Dword count, Dword *read, int timeoutMs = TimeoutMs);
    Status GetStatus(Dword *rxQueue, Dword *txQueue, Dword *events);
    Status OpenEx(const char *description, Dword flags);
    Status ListDevices(void *arg1, void *arg2, Dword flags);
    Status OpenByIndex(int index);
    Status EERead(void *programData);
    Status EEProgram(void *programData);
    Status Purge();

private:
#ifdef _WIN32
#define HARRIER_FT_API __stdcall
#else
#define HARRIER_FT_API
#endif
    using ListDevicesFn = Status(HARRIER_FT_API *)(void *, void *, Dword);
    using OpenFn = Status(HARRIER_FT_API *)(int, Handle *);
    using OpenExFn = Status(HARRIER_FT_API *)(void *, Dword, Handle *);
    using CloseFn = Status(HARRIER_FT_API *)(Handle);
    using WriteFn = Status(HARRIER_FT_API *)(Handle, void *, Dword, Dword *);
    using ReadFn = Status(HARRIER_FT_API *)(Handle, void *, Dword, Dword *);
    using GetStatusFn = Status(HARRIER_FT_API *)(Handle, Dword *, Dword *, Dword *);
    using EEFn = Status(HARRIER_FT_API *)(Handle, void *);
    using PurgeFn = Status(HARRIER_FT_API *)(Handle, std::uint32_t);

    void load(const QString &library);
    // One pause of the poll: the event loop runs meanwhile when there is one.
    static void pause(int ms);

    int m_bOpen = 0;
    int m_bLibraryMissing = 0;
    int m_deviceKind = UsbBlocks::KindNone;
    bool m_busy = false;
    QLibrary m_library;
    Handle m_handle = nullptr;

    ListDevicesFn m_listDevices = nullptr;
    OpenFn m_open = nullptr;
    OpenExFn m_openEx = nullptr;
    CloseFn m_close = nullptr;
    WriteFn m_write = nullptr;
    ReadFn m_read = nullptr;
    GetStatusFn m_getStatus = nullptr;
    EEFn m_eeRead = nullptr;
    EEFn m_eeProgram = nullptr;
    PurgeFn m_purge = nullptr;
};
