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

} // namespace

void placeFrame(QWidget *window, QPoint pos, QSize size, const QRect &fallback)
{
    const QMargins frame = frameOf(window);
    const QSize grow(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QRect outer =
        WindowGeometry::fit(QRect(pos, size.isEmpty() ? size : size + grow),
                            QRect(fallback.topLeft(), fallback.size() + grow), availableScreens());
    window->move(outer.topLeft());
    window->resize(outer.size() - grow);
}

void placeClient(QWidget *window, const QRect &client, const QRect &fallback)
{
    const QMargins frame = frameOf(window);
    // An empty rectangle is no stored place at all.
    const QRect outer =
        WindowGeometry::fit((client.isValid() ? client : fallback).marginsAdded(frame),
                            fallback.marginsAdded(frame), availableScreens());
    window->setGeometry(outer.marginsRemoved(frame));
}

} // namespace WindowPlacement
