#pragma once
// Service window that prints raw internals: the debug statistics of packet
// decoding, the state of the emitter localization and two settings bytes of
// the module whose record came last. Dragged with the left button, frozen
// with the right one.

#include "app/EmitterLocalization.h"
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

    int cycle() const { return m_cycle; }
    // The localization state as last taken by a repaint.
    const EmitterLocalization::State &snapshot() const { return m_snapshot; }

    // What the window prints, line by line.
    static QList<Line> DebugLines(int cycle, int pause,
                                  const DebugStatEntry (&stats)[StationGlobals::DebugEntries],
                                  const EmitterLocalization::State &localization,
                                  const std::optional<SettingsBlock::Block> &settings);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPoint m_dragOffset;
    int m_cycle = 0;
    EmitterLocalization::State m_snapshot;
};
