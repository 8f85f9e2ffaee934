#pragma once
// Service window that prints raw internals: the debug statistics of packet
// decoding, the state of the emitter localization and two settings bytes of
// the module whose record came last. Dragged with the left button, frozen
// with the right one.

#include "display/LocalizationSnapshot.h"
#include "net/SettingsBlock.h"
#include "net/StationGlobals.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <optional>

class CDebugWindow : public QWidget
{
    Q_OBJECT

public:
    struct Line
    {
        int y; // baseline
        QString text;
    };

    explicit CDebugWindow(QWidget *parent = nullptr);

    // The settings block of the module whose record the main window handled
    // last; empty until the first record.
    std::optional<SettingsBlock::Block> settingsCopy;
    // The localization after that record; a repaint takes it unless paused.
    LocalizationSnapshot localization;

    int cycle() const { return m_cycle; }
    // The localization as last taken by a repaint.
    const LocalizationSnapshot &shown() const { return m_shown; }

    // What the window prints, line by line.
    static QList<Line> DebugLines(int cycle, int pause,
                                  const DebugStatEntry (&stats)[StationGlobals::DebugEntries],
                                  const LocalizationSnapshot &localization,
                                  const std::optional<SettingsBlock::Block> &settings);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPoint m_dragOffset;
    int m_cycle = 0;
    LocalizationSnapshot m_shown;
};
