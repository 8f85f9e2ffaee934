#include "display/CShapedCircle.h"

#include "net/CSignalTypeStr.h"

#include <QPainter>
#include <QRegion>
#include <QResizeEvent>

CShapedCircle::CShapedCircle(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
{
}

void CShapedCircle::setSignalType(int nType)
{
    m_signalType = nType;
}

void CShapedCircle::setBackgroundColour(const QColor &colour)
{
    // Restyling is costly and the marker is updated with every record.
    if (colour == m_background)
        return;
    m_background = colour;
    setStyleSheet(QStringLiteral("CShapedCircle { background-color: %1; }").arg(colour.name()));
}

CShapedCircle::Geometry CShapedCircle::circleGeometry(int width, int height)
{
    const int side = qMin(width, height);
    Geometry g;
    g.maskSquare = QRect(width / 2 - side / 2, height / 2 - side / 2, side, side);
    g.textOrigin = QPoint(width / 3, height / 2);
    g.scale = side / 100.0;
    return g;
}

void CShapedCircle::resizeEvent(QResizeEvent *event)
{
    setMask(QRegion(circleGeometry(width(), height()).maskSquare, QRegion::Ellipse));
    QWidget::resizeEvent(event);
}

void CShapedCircle::paintEvent(QPaintEvent *)
{
    const Geometry g = circleGeometry(width(), height());
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(g.textOrigin);
    p.scale(g.scale, g.scale);
    p.setPen(Qt::blue);
    p.drawText(0, 0, CSignalTypeStr::name(m_signalType));
}
