#pragma once
// Puts a top-level window at its stored geometry, fitted to the screens it
// has now by the one rule of WindowGeometry::fit.

#include <QRect>

class QWidget;

namespace WindowPlacement {

// For windows stored as move()/resize(): the frame's corner and the client size.
void placeFrame(QWidget *window, QPoint pos, QSize size, const QRect &fallback);
// For windows stored as geometry(): the client rectangle.
void placeClient(QWidget *window, const QRect &client, const QRect &fallback);

} // namespace WindowPlacement
