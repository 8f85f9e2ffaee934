// Time and peak memory of reading bypass and log files, hostile ones among
// them. "make" writes the files; "read" reads one in a fresh process, so
// that its peak resident size is that of one read.
//
// Usage: bench_files make <folder>
//        bench_files read bypass|log <file>

#include "eventlog/LogFile.h"
#include "settings/BypassFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <cstdio>
#include <cstring>

namespace {

// Written in pieces: the files reach 50 MB.
bool write(const QString &path, const QByteArray &head, const QByteArray &piece, qint64 bytes,
           const QByteArray &tail)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(head);
    const QByteArray block = piece.repeated(qMax<qint64>(1, (1 << 20) / piece.size()));
    qint64 written = head.size();
    while (written + block.size() <= bytes)
        written += f.write(block);
    while (written + piece.size() <= bytes)
        written += f.write(piece);
    f.write(tail);
    return f.error() == QFile::NoError;
}

int make(const QString &folder)
{
    const qint64 MB = 1000 * 1000;
    const QByteArray bypassItem = " <Item BeginFreq=\"925\" EndFreq=\"935\"/>\n";
    const QByteArray logItem = " <Item StartTime=\"05.12.2026 07:02:11\" EndTime=\"05.12.2026 "
                               "07:03:40\" PeakLevel=\"-61\" Now=\"0\" SignalType=\"1\" "
                               "Frequency=\"945.2\" Module=\"3\" TresholdLevel=\"-80\"/>\n";
    const QByteArray deep = QByteArray("<a>").repeated(40000) + QByteArray("</a>").repeated(40000);
    QByteArray attributes = "<Log><Item";
    for (int i = 0; i < 300000; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"1\"";
    attributes += "/></Log>";
    const QByteArray big(25 * MB, 'A');
    const bool ok = write(folder + "/deep-40000.xml", deep, " ", 0, "")
        && write(folder + "/bypass-1MB.xml", "<Bypass>\n", bypassItem, 1 * MB, "</Bypass>\n")
        && write(folder + "/bypass-50MB.xml", "<Bypass>\n", bypassItem, 50 * MB, "</Bypass>\n")
        && write(folder + "/attributes-300000.xml", attributes, " ", 0, "")
        && write(folder + "/log-50MB.xml", "<Log>\n", logItem, 50 * MB, "</Log>\n")
        && write(folder + "/log-two-25MB-attributes.xml",
                 "<Log><Item Frequency=\"inf\" Module=\"" + big + "\" Now=\"" + big + "\"/></Log>",
                 " ", 0, "")
        && write(folder + "/log-50MB-empty-items.xml", "<Log>", "<a/>", 50 * MB, "</Log>");
    return ok ? 0 : 1;
}

qint64 peakKb()
{
    QFile f("/proc/self/status");
    return f.open(QIODevice::ReadOnly) ? QRegularExpression("VmHWM:\\s*(\\d+)")
                                             .match(QString::fromLatin1(f.readAll()))
                                             .captured(1)
                                             .toLongLong()
                                       : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "make") == 0)
        return make(QString::fromLocal8Bit(argv[2]));
    if (argc != 4 || std::strcmp(argv[1], "read") != 0) {
        std::fprintf(stderr, "usage: bench_files make <folder> | read bypass|log <file>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[3]);
    QElapsedTimer t;
    t.start();
    QString result;
    if (std::strcmp(argv[2], "bypass") == 0) {
        const BypassFile::Content c = BypassFile::load(path);
        result = QStringLiteral("status %1, %2 entries %3")
                     .arg(int(c.status))
                     .arg(c.begins.size())
                     .arg(c.detail.left(80));
    } else {
        QList<EVENT> events;
        QString error;
        const bool ok = LogFile::load(path, events, &error);
        result = QStringLiteral("%1, %2 events %3")
                     .arg(ok ? "read" : "refused")
                     .arg(events.size())
                     .arg(error.left(80));
    }
    std::printf("%-32s %7.2f s %7lld MB peak  %s\n", qPrintable(path.section('/', -1)),
                t.nsecsElapsed() / 1e9, peakKb() / 1024, qPrintable(result));
    return 0;
}
