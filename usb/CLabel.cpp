#include "usb/CLabel.h"

#include "usb/SpectrumGraph.h"
#include "usb/TuningState.h"

#include <QPainter>

CLabel::CLabel(QWidget *parent)
    : QLabel(parent)
{
}

void CLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    const TuningState &state = TuningState::instance();
    const SpectrumGraph graph =
        SpectrumGraph::compute(state.current, state.base, state.suppressionFactor);
    QPainter painter(this);
    painter.setPen(Qt::blue);
    painter.drawLines(graph.bars);
    painter.setPen(Qt::yellow);
    painter.drawLines(graph.base.lines);
    painter.drawPoints(graph.base.points.constData(), int(graph.base.points.size()));
    painter.setPen(Qt::red);
    painter.drawLines(graph.threshold.lines);
    painter.drawPoints(graph.threshold.points.constData(), int(graph.threshold.points.size()));
    painter.setPen(Qt::black);
    painter.drawLines(graph.separators);
}
