#include "display/CShapedCircle.h"

#include "net/CSignalTypeStr.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>

#ifdef HARRIER_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <xcb/xcb.h>
#endif

CShapedCircle::CShapedCircle(QWidget *parent)
    : QWidget(parent,
              Qt::SplashScreen | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput
                  | Qt::WindowDoesNotAcceptFocus)
    , m_ring(!CanBeTranslucent())
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CShapedCircle::setRing(bool ring)
{
    m_ring = ring;
    setMask(shape(width(), height(), m_ring));
}

QRegion CShapedCircle::shape(int width, int height, bool ring)
{
    const Geometry g = circleGeometry(width, height);
    QRegion disc(g.maskSquare, QRegion::Ellipse);
    if (!ring)
        return disc;
    // A band a tenth of the side wide, at least 4 pixels, and the name's strip.
    const int band = qMax(4, g.maskSquare.width() / 10);
    const QRect hole = g.maskSquare.adjusted(band, band, -band, -band);
    const int textHeight = qMax(4, int(16 * g.scale));
    const QRect name(g.textOrigin.x(), g.textOrigin.y() - textHeight, width - g.textOrigin.x(),
                     textHeight + textHeight / 3);
    return disc.subtracted(QRegion(hole, QRegion::Ellipse)).united(name.intersected(g.maskSquare));
}

bool CShapedCircle::CanBeTranslucent()
{
#ifdef HARRIER_HAVE_XCB
    // X11 blends windows only under a compositing manager, which owns the
    // _NET_WM_CM_S<screen> selection.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection())
            return false;
        xcb_connection_t *c = x11->connection();
        const QByteArray name = "_NET_WM_CM_S0";
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, quint16(name.size()), name.constData()), nullptr);
        if (!atom)
            return false;
        xcb_get_selection_owner_reply_t *owner =
            xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
        const bool composited = owner && owner->owner != XCB_NONE;
        free(owner);
        free(atom);
        return composited;
    }
#endif
    return true;
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
    setMask(shape(width(), height(), m_ring));
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
