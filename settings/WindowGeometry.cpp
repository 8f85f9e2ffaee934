#include "settings/WindowGeometry.h"

#include <QtGlobal>

namespace WindowGeometry {

namespace {

// A stored rectangle may hold any int: its centre is computed in 64 bits.
bool onScreen(const QRect &screen, qint64 x, qint64 y)
{
    return x >= screen.left() && x <= screen.right() && y >= screen.top() && y <= screen.bottom();
}

const QRect *screenAt(const QList<QRect> &screens, qint64 x, qint64 y)
{
    for (const QRect &screen : screens)
        if (onScreen(screen, x, y))
            return &screen;
    return nullptr;
}

} // namespace

QRect fit(QPoint pos, QSize size, const QRect &fallback, const QList<QRect> &screens)
{
    if (size.isEmpty())
        size = fallback.size();
    if (screens.isEmpty())
        return fallback;

    const QRect *screen = screenAt(screens, pos.x(), pos.y());
    if (!screen)
        screen = screenAt(screens, pos.x() + qint64(size.width()) / 2,
                          pos.y() + qint64(size.height()) / 2);
    if (!screen) {
        pos = fallback.topLeft();
        screen = screenAt(screens, pos.x(), pos.y());
        if (!screen)
            screen = &screens.first();
    }
    // Bounded first: a position on or left of a screen plus a screen's size stays in range.
    size = size.boundedTo(screen->size());
    QRect placed(pos, size);
    if (placed.right() > screen->right())
        placed.moveRight(screen->right());
    if (placed.bottom() > screen->bottom())
        placed.moveBottom(screen->bottom());
    if (placed.left() < screen->left())
        placed.moveLeft(screen->left());
    if (placed.top() < screen->top())
        placed.moveTop(screen->top());
    return placed;
}

} // namespace WindowGeometry
