#pragma once
// The device model: one ModuleRecord per module number, the reply builder and
// the bookkeeping of bypass transfers and uploads.

#include "net/ModuleRecord.h"
#include "net/WireProtocol.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>

class QSettings;

class CMasterDevice : public QObject
{
    Q_OBJECT

public:
    explicit CMasterDevice(QObject *parent = nullptr);

    // Records; a record made on first access holds the module's stored
    // settings, whoever asks first, so nothing takes factory values for them.
    ModuleRecord &record(quint8 module);
    ModuleRecord *find(quint8 module);
    bool hasRecord(quint8 module) const { return m_records.contains(module); }
    QMap<quint8, ModuleRecord> &records() { return m_records; }

    void SetDefaultSettings(quint8 module);
    void LoadModuleSettings(quint8 module);
    void SaveModuleSettings(quint8 module);
    // The same into an open store, for writing many modules in one go.
    void SaveModuleSettings(quint8 module, QSettings &store);
    static void ClearBypassMap(ModuleRecord &record);

    // Refreshes bytes 51 .. 53 and 58 from the record's pause options.
    static void RefreshPauseBytes(ModuleRecord &record);

    // Builds the 71-byte reply for data.nID into reply().
    void BuildReply(const DATA &data);
    const QByteArray &reply() const { return m_reply; }

    void StoreBypassBlock(quint8 module, quint8 block, const quint8 *runs);
    void StoreBypassMap(quint8 module, const quint8 *data, int count);
    void SetModuleEcho(quint8 module, quint8 value);

    // Bypass upload, filled from a bypass file by the settings dialog.
    QList<quint16> bypassBeginList;
    QList<quint16> bypassEndList;
    quint8 bypassKind = 0;

private:
    QMap<quint8, ModuleRecord> m_records;
    QByteArray m_reply;
};
