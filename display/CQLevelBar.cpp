#include "display/CQLevelBar.h"

#include <QPainter>

CQLevelBar::CQLevelBar(QWidget *parent)
    : QProgressBar(parent)
{
}

void CQLevelBar::SetLevel(int level, int threshold)
{
    level = qMax(level, LowestLevel);
    threshold = qMax(threshold, LowestLevel);
    m_threshold = threshold;
    setValue(level);
    update();
}

CQLevelBar::Layout CQLevelBar::barLayout(int width, int height, int minimum, int maximum, int value,
                                         int threshold)
{
    Layout out;
    out.frameColour = QColor(FrameColour);
    out.outline = QRectF(0.0, 0.0, width, height).adjusted(0.0, 0.0, -1.0, -1.0);

    // An empty range has no meaningful percentage; show nothing lit.
    const int span = maximum - minimum;
    if (span != 0) {
        out.levelPercent = (value - minimum) * 100 / span;
        out.thresholdPercent = (threshold - minimum) * 100 / span;
    }

    const int step = SegmentWidth + SegmentGap + 1;
    const int n = qMax(0, (width - 4) / step);
    out.litCount = out.levelPercent * n / 100;
    out.firstRed = out.thresholdPercent * n / 100;

    const QColor idle(IdleColour), normal(NormalColour), over(OverColour);
    out.segments.reserve(n);
    int x = SegmentGap + 2;
    for (int i = 0; i < n; ++i, x += step) {
        Segment s;
        s.rect = QRect(x, 3, SegmentWidth, height - 7);
        if (i >= out.litCount)
            s.colour = idle;
        else if (i >= out.firstRed)
            s.colour = over;
        else
            s.colour = normal;
        out.segments.append(s);
    }
    return out;
}

void CQLevelBar::paintEvent(QPaintEvent *)
{
    const Layout l = barLayout(width(), height(), minimum(), maximum(), value(), m_threshold);
    QPainter p(this);
    p.setPen(l.frameColour);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(l.outline, 5, 25, Qt::RelativeSize);
    for (const Segment &s : l.segments) {
        p.setPen(QPen(s.colour, 1));
        p.setBrush(s.colour);
        p.drawRect(s.rect);
    }
}
