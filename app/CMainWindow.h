#pragma once
// The station's one top-level window: owns the server, the event log and the
// MDI area of module windows, routes every record, shows the module counts
// and offers the menus.

#include "app/Edition.h"
#include "app/EmitterLocalization.h"
#include "display/CModuleWindow.h"
#include "eventlog/CEventLog.h"
#include "net/MyServer.h"
#include "net/Data.h"
#include "net/WireProtocol.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>

namespace Ui {
class CMainWindow;
}
class CDebugWindow;
class CLogWindow;
class CManualWindow;
class EventJournal;
class SyslogForwarder;
class CQMdiArea;
class CShapedCircle;
class CStationStatus;
class QLabel;

class CMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The station listens on port 2323 with the demonstration feed if its
    // edition has one; tests pass port 0 and drive the feed themselves.
    explicit CMainWindow(quint16 port = Wire::DefaultPort, bool demoFeed = true,
                         const Edition &edition = Edition::demo(), QWidget *parent = nullptr);
    ~CMainWindow() override;

    MyServer *server() const { return m_pServer.get(); }
    CEventLog &eventLog() { return m_eventLog; }
    const Edition &edition() const { return m_edition; }
    // The event journal of the full edition; none in the demonstration.
    EventJournal *journal() const { return m_journal.get(); }
    // The forwarder to the site's syslog collector of the full edition.
    SyslogForwarder *syslog() const { return m_syslog.get(); }
    CQMdiArea *mdiArea() const;
    CModuleWindow *moduleWindow(quint8 module) const;
    QList<CLogWindow *> logWindows() const { return m_logWindows; }
    CManualWindow *manualWindow() const { return m_pManualWindow.get(); }
    QString statusText(int index) const;
    CShapedCircle *marker() const { return m_pMarker.get(); }
    CDebugWindow *debugWindow() const { return m_pDebugWindow.get(); }
    // Shown by the marker and the debug window.
    const EmitterLocalization &localization() const { return m_localization; }
    CStationStatus *stationStatus() const { return m_pStationStatus; }
    int timerInterval() const { return m_timer.interval(); }

    // Sensitivity scale for an "Options/SensCombo" index.
    static int SensitivityScale(int combo);
    // Progress through the three-digit sequence that shows the debug window;
    // returns the new state, and sets `show` when the debug window is due.
    static int NextKeyState(int state, int key, bool &show);

public slots:
    void OnViewEventLogAction();
    void OnViewRenameAction();
    void OnSettingsLocalizationAction();
    void OnViewRearrangeModulesAction();
    void OnSettingsOptionsAction();
    void OnSettingsDefaultAction();
    void OnHelpManualAction();
    void OnHelpAboutAction();
    void OnDisplayData(DATA data);
    void OnConnectionStatus(int status);
    void OnTimer();
    // The journal cannot be written: the station goes on in memory.
    void OnJournalFailed(const QString &reason);
    void OnJournalRecovered();
    void OnJournalFileSetAside(const QString &setAside);
    void OnViewConfiguration();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Message boxes opened from the event loop, after the record or call at hand.
    void inform(const QString &title, const QString &text);
    void warn(const QString &title, const QString &text);
    void OnCloseModule(CModuleWindow *window);
    CModuleWindow *createModuleWindow(quint8 module);
    void refreshCounts();
    // Sets every text of the window again in the current language.
    void retranslate();
    void updateMarker(quint8 module);
    // Puts the marker window where the localization state says.
    void applyMarker();
    void openJournal();
    void startSyslog();
    void restoreWindowGeometry();
    void saveWindowGeometry();

    std::unique_ptr<Ui::CMainWindow> m_ui;
    QLabel *m_pFreeLabel = nullptr;
    QLabel *m_pTotalLabel = nullptr;
    QLabel *m_pCorrectLabel = nullptr;
    QLabel *m_pConnectionLabel = nullptr;
    CStationStatus *m_pStationStatus = nullptr;
    QTimer m_timer;
    Edition m_edition;
    CEventLog m_eventLog;
    std::unique_ptr<EventJournal> m_journal;
    bool m_journalWarned = false;
    std::unique_ptr<SyslogForwarder> m_syslog;
    // Modules whose windows closed on silence, announced back by their next record.
    std::array<bool, 256> m_lostModules{};
    std::unique_ptr<MyServer> m_pServer;
    std::unique_ptr<CManualWindow> m_pManualWindow;
    // Open module windows by module number.
    std::array<QPointer<CModuleWindow>, 256> m_moduleWindows;
    EmitterLocalization m_localization;
    std::unique_ptr<CShapedCircle> m_pMarker;
    static constexpr qint64 MarkerIntervalMs = 40;
    QTimer m_markerTimer;
    QElapsedTimer m_markerApplied;
    std::unique_ptr<CDebugWindow> m_pDebugWindow;
    QList<CLogWindow *> m_logWindows;
    int m_keyState = 0;
    // The last connection status shown; -1 before the first.
    int m_connectionStatus = -1;
};
