#pragma once
// Where a top-level window with a stored geometry opens: one rule for every
// window that remembers its place, so that a damaged store, a screen that is
// gone or a smaller screen never leaves a window unreachable.

#include <QList>
#include <QRect>

namespace WindowGeometry {

// Fits a window's outer rectangle (frame included) to the screens' available
// areas. A rectangle whose corner and centre are on no screen takes the
// fallback's position; an empty size takes the fallback's size. The size is
// bounded by the screen the window opens on, then the rectangle is shifted
// wholly onto it. A rectangle that fits is returned unchanged; with no screen
// known, the fallback. pos and size may hold any int (a damaged store):
// nothing here overflows.
QRect fit(QPoint pos, QSize size, const QRect &fallback, const QList<QRect> &screens);

} // namespace WindowGeometry
