#pragma once
// The Wi-Fi board's write and read-back sequences of AT commands: what the
// operator's fields may hold, the command each step sends, and what each
// answer yields. No I/O: the configuration dialog runs the exchanges.

#include <QString>

class WifiAtSequence
{
public:
    // Step numbers: the write runs 0-8, the read-back 11-16; 9 and 18 mean over.
    static constexpr int WriteFirst = 0;
    static constexpr int WriteEnd = 9;
    static constexpr int ReadFirst = 11;
    static constexpr int ReadEnd = 18;
    static constexpr int SecurityTypes = 7;

    // The Wi-Fi tab's fields, taken once when a write starts.
    struct Settings
    {
        QString ssid;
        int securityType = 0; // combo index
        QString password;
        QString serverAddress;
        bool moduleAddressOn = false;
        QString moduleAddress;
        int moduleNumberIndex = 0; // combo index, sent as index + 1
    };

    // What a read-back found.
    struct ReadBack
    {
        QString ssid, security, serverAddress, moduleAddress, moduleNumber, firmware;
    };

    enum Field { NoField, SsidField, PasswordField, ServerAddressField, ModuleAddressField };
    enum Problem { NoProblem, MissingSsidOrServer, UnsafeText, BadServerAddress, BadModuleAddress };
    struct Check
    {
        Problem problem = NoProblem;
        Field field = NoField;
        bool operator==(const Check &o) const { return problem == o.problem && field == o.field; }
    };

    // After an answer: go on, the sequence is over, or it ends on a failed probe.
    enum Step { Continue, Finished, ProbeRejected, ProbeFailed };

    // The first thing that keeps the settings from being sent, if any.
    static Check check(const Settings &settings);
    // Text the request block carries intact: no '}' (it ends the block), no
    // control characters, nothing the local 8-bit encoding lacks.
    static bool isSafeText(const QString &text);
    // Letters, digits, hyphens in dot-separated labels; not all numbers.
    static bool isHostName(const QString &text);
    // The password is the rest of the line, so commas in it survive.
    static QString securityAndPassword(const QString &answer);

    void startWrite(const Settings &settings);
    void startRead();
    // A failed step ends the sequence where it is.
    void stop() { m_running = false; }
    bool isRunning() const { return m_running; }
    int state() const { return m_state; }
    // The command of the current step.
    QString command() const;
    // Takes the board's text for the current step and moves on.
    Step reply(const QString &text);
    const ReadBack &readBack() const { return m_readBack; }

private:
    Settings m_settings;
    ReadBack m_readBack;
    int m_state = 0;
    bool m_running = false;
};
