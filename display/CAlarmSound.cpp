#include "display/CAlarmSound.h"

#include "display/ToneWave.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

CAlarmSound *CAlarmSound::instance()
{
    static QPointer<CAlarmSound> shared;
    if (!shared)
        shared = new CAlarmSound(QCoreApplication::instance());
    return shared;
}

CAlarmSound::CAlarmSound(QObject *parent)
    : QObject(parent)
    , m_tone(this)
    , m_file(this)
{
    if (!m_dir.isValid()) {
        qWarning("Alarm tone: cannot create a temporary folder: %s",
                 qPrintable(m_dir.errorString()));
        return;
    }
    const QString path = m_dir.filePath(QStringLiteral("alarm-tone.wav"));
    QFile f(path);
    const QByteArray wav = ToneWave::wav(ToneFrequencyHz, ToneDurationMs);
    if (!f.open(QIODevice::WriteOnly) || f.write(wav) != wav.size() || !f.flush()) {
        qWarning("Alarm tone: cannot write %s: %s", qPrintable(path), qPrintable(f.errorString()));
        return;
    }
    f.close();
    m_toneFile = path;
    m_tone.setSource(QUrl::fromLocalFile(path));
}

void CAlarmSound::beep()
{
    if (m_toneFile.isEmpty()) {
        // No tone file: the platform's own beep is better than silence.
        QApplication::beep();
        return;
    }
    if (m_tone.isPlaying())
        return;
    m_tone.play();
}

void CAlarmSound::playFile(const QString &fileName)
{
    if (m_file.isPlaying())
        return;
    const QString local = fileName.startsWith(QLatin1Char(':')) ? localCopy(fileName) : fileName;
    if (local.isEmpty())
        return;
    const QUrl url = QUrl::fromLocalFile(local);
    if (m_file.source() != url)
        m_file.setSource(url);
    m_file.play();
}

QString CAlarmSound::localCopy(const QString &resource)
{
    // The player reads files only: a sound built into the program is copied out once.
    if (!m_dir.isValid())
        return QString();
    const QString path =
        m_dir.filePath(QStringLiteral("resource-") + QFileInfo(resource).fileName());
    if (QFileInfo::exists(path))
        return path;
    if (!QFile::copy(resource, path)) {
        qWarning("Alarm sound: cannot copy %s to %s", qPrintable(resource), qPrintable(path));
        return QString();
    }
    return path;
}
