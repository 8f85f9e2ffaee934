#pragma once
// A floating window that shows the event log store, or a loaded log file, as a
// sortable table through its filter; saves, loads and exports log files and
// puts a logged frequency into module bypass settings.

#include "eventlog/Event.h"
#include "eventlog/LogFilter.h"

#include <QDockWidget>
#include <QList>
#include <QTimer>

#include <memory>

class CEventLog;
class CLogFilterDialog;
class CMasterDevice;
class EventTableModel;
class QMenu;

namespace Ui {
class CLogWindowClass;
}
class CLogWindow : public QDockWidget
{
    Q_OBJECT

public:
    CLogWindow(int number, CMasterDevice *device, QWidget *parent);
    ~CLogWindow() override;

    void SetEventLog(CEventLog *log);
    // Applies the window's filter to a working list in place.
    void ApplyFilter(QList<EVENT> &list);

    // The file operations behind the Save, Load and Export buttons, without
    // their dialogs; failures are reported to the operator and give false.
    // A load runs the event loop until the file is read (or cancelled).
    bool saveTo(const QString &path);
    bool loadFrom(const QString &path);
    // The page as HTML, or by the file's suffix CSV (".csv") or JSON Lines
    // (".jsonl"), of the rows as shown.
    bool exportTo(const QString &path);
    // The export file for a name typed with a filter chosen: a name whose
    // suffix names no export format gets the filter's, so that what is written
    // is what was chosen ("log.txt" with "CSV file (*.csv)" is "log.txt.csv").
    static QString ExportFileName(const QString &typed, const QString &selectedFilter);

    int number() const { return m_number; }
    // Moves and sizes the window as stored, fitted to the screens; the main
    // window calls it again once the window floats, as floating places it anew.
    void PlaceAsStored();
    // Texts at least as wide as any a column shows, in the current language.
    static QStringList WidestTexts(int column);
    // A width that shows the column's header and its widest texts whole.
    int FittingWidth(int column) const;
    bool isFileMode() const { return m_fileMode != 0; }
    LOGFILTER &filter() { return m_filter; }
    const EventTableModel *tableModel() const { return m_pModel; }

public slots:
    void OnMaxEventsEditReturnPressed();
    void OnRefreshButton();
    void OnRefreshCheck(bool on);
    void OnRefreshTimer();
    void OnLoadButton();
    void OnSaveButton();
    void OnExportButton();
    void OnClearButton();
    void OnFilterButton();
    void OnTreeContextMenu(const QPoint &pos);
    void OnBypassThisFreq();
    void OnBypassThisFreqForAll();
    void OnSendThisFreqToExt();

protected:
    void changeEvent(QEvent *event) override;

    // The filter dialog and the context menu, run modally; tests drive them instead.
    virtual bool execFilterDialog(CLogFilterDialog &dialog);
    virtual void execMenu(QMenu &menu, const QPoint &globalPos);

private:
    void refresh();
    void setLiveControlsEnabled(bool on);
    // An "Error" box: text with %1 the file and %2 the reason.
    void reportFileError(const QString &text, const QString &path, const QString &error);
    QString logFolder() const;
    void rememberLogFolder(const QString &fileName);
    int currentRow() const;
    int rowFrequency(int row) const;
    int rowModule(int row) const;
    // Writes a one-shot manual bypass of the current row's frequency into its
    // module's block; false without a current row or a device model.
    bool writeBypass(quint8 &module);

    CEventLog *m_pEventLog = nullptr;
    QList<EVENT> m_loadedEvents;
    QList<EVENT> m_spareList; // the previous refresh's list, reused for its memory
    CMasterDevice *m_pDevice;
    LOGFILTER m_filter;
    int m_number;
    int m_fileMode = 0;
    bool m_loading = false;
    QString m_fileName;
    QTimer *m_pRefreshTimer;
    EventTableModel *m_pModel;
    std::unique_ptr<Ui::CLogWindowClass> m_ui;
};
