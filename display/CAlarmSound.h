#pragma once
// The audible alarm shared by all module windows: a generated speaker-like tone
// or a sound file, both played asynchronously so the GUI thread never waits.

#include <QObject>
#include <QSoundEffect>
#include <QTemporaryDir>

class CAlarmSound : public QObject
{
    Q_OBJECT

public:
    static constexpr int ToneFrequencyHz = 1100;
    static constexpr int ToneDurationMs = 100;

    // The one instance, created on first use and owned by the application object.
    static CAlarmSound *instance();

    explicit CAlarmSound(QObject *parent = nullptr);

    // Both do nothing while their sound is still playing, so alarms never queue up.
    void beep();
    // A name beginning with ':' is a sound built into the program.
    void playFile(const QString &fileName);

    // Where the tone was written; empty if it could not be written.
    QString toneFile() const { return m_toneFile; }
    bool isBeeping() const { return m_tone.isPlaying(); }
    bool isPlayingFile() const { return m_file.isPlaying(); }

private:
    QString localCopy(const QString &resource);

    QTemporaryDir m_dir;
    QString m_toneFile;
    QSoundEffect m_tone;
    QSoundEffect m_file;
};
