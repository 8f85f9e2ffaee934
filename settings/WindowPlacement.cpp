#include "settings/WindowPlacement.h"

#include "settings/WindowGeometry.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

namespace WindowPlacement {

namespace {

QList<QRect> availableScreens()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

// Before its first show a window has no frame yet: allow for a title bar.
QMargins frameOf(const QWidget *window)
{
    if (window->isVisible())
        return QMargins(window->geometry().left() - window->frameGeometry().left(),
                        window->geometry().top() - window->frameGeometry().top(),
                        window->frameGeometry().right() - window->geometry().right(),
                        window->frameGeometry().bottom() - window->geometry().bottom());
    return QMargins(0, 32, 0, 0);
}

// A stored place may hold any int; beyond these bounds it is on no screen
// anyway, and within them adding a frame cannot overflow.
constexpr int Far = 1 << 24;

QPoint bounded(QPoint p)
{
    return QPoint(qBound(-Far, p.x(), Far), qBound(-Far, p.y(), Far));
}

QSize bounded(QSize s)
{
    return s.boundedTo(QSize(Far, Far));
}

} // namespace

void placeFrame(QWidget *window, QPoint pos, QSize size, const QRect &fallback)
{
    const QMargins frame = frameOf(window);
    const QSize grow(frame.left() + frame.right(), frame.top() + frame.bottom());
    size = bounded(size);
    const QRect outer =
        WindowGeometry::fit(bounded(pos), size.isEmpty() ? size : size + grow,
                            QRect(fallback.topLeft(), fallback.size() + grow), availableScreens());
    window->move(outer.topLeft());
    window->resize(outer.size() - grow);
}

void placeClient(QWidget *window, const QRect &client, const QRect &fallback)
{
    const QMargins frame = frameOf(window);
    // An empty rectangle is no stored place at all. Its size is taken in 64
    // bits: a damaged one may span more than an int.
    const QRect stored = client.isValid() ? client : fallback;
    const QSize size(int(qMin<qint64>(qint64(stored.right()) - stored.left() + 1, Far)),
                     int(qMin<qint64>(qint64(stored.bottom()) - stored.top() + 1, Far)));
    const QPoint pos = bounded(stored.topLeft());
    const QRect outer = WindowGeometry::fit(
        pos - QPoint(frame.left(), frame.top()),
        size + QSize(frame.left() + frame.right(), frame.top() + frame.bottom()),
        fallback.marginsAdded(frame), availableScreens());
    window->setGeometry(outer.marginsRemoved(frame));
}

} // namespace WindowPlacement
