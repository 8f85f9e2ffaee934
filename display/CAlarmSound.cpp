#include "display/CAlarmSound.h"

#include "display/ToneWave.h"

#include <QApplication>
#include <QFile>
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
    const QUrl url = QUrl::fromLocalFile(fileName);
    if (m_file.source() != url)
        m_file.setSource(url);
    m_file.play();
}
