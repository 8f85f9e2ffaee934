#pragma once
// The main window's MDI area: one sub-window per module window, placed where
// it stood last time or else in the first free cell of the grid it rearranges
// into (title-sorted) on request, with an optional background image; scroll
// bars appear when windows lie outside it.

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QMdiArea>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTimer>

class QMdiSubWindow;

class CQMdiArea : public QMdiArea
{
    Q_OBJECT

public:
    explicit CQMdiArea(QWidget *parent = nullptr);

    // Adds the widget, fixes its sub-window at frameSize when that is valid, and
    // moves it to the place remembered under its window title (as the store
    // held it when the area was made), or else to the first free cell of the
    // rearranging grid.
    QMdiSubWindow *AddSubWindow(QWidget *widget, Qt::WindowFlags flags = Qt::WindowFlags(),
                                const QSize &frameSize = QSize());
    // Shows a widget that AddSubWindow added without activating it; the newest
    // shown is activated when the event loop turns, once for a whole burst.
    void showAdded(QWidget *widget);
    // An empty sub-window of this area, for a widget to be built in before
    // AddSubWindow takes it.
    QMdiSubWindow *NewSubWindow(Qt::WindowFlags flags);
    // Moves the sub-window right (then row by row down) to the first spot no sub-window holds.
    void MoveToFreePlace(QMdiSubWindow *occupant);
    // The first sub-window, in creation order, standing exactly at the point.
    QMdiSubWindow *SubWindowAt(const QPoint &point) const;
    // Remembers every sub-window's position under its widget's window title.
    void SavePositions() const;
    // Grid of the sub-windows sorted by window title, left to right, top to bottom.
    void RearrangeModules();
    int SubWindowCount() const;
    // Module windows whose last record was correct.
    int CorrectModuleCount() const;

    // The spot MoveToFreePlace picks for a window of the given size standing at start.
    static QPoint FreePlace(const QPoint &start, const QSize &size, int areaWidth,
                            const QList<QPoint> &occupied);
    // The first cell, left to right and top to bottom, of the grid RearrangeModules
    // lays out for windows of the given size that overlaps none of the rectangles.
    static QPoint FirstFreeCell(const QSize &size, int areaWidth, const QList<QRect> &occupied);
    // Indices of the titles in rearranging order (code unit order, stable).
    static QList<int> TitleOrder(const QStringList &titles);
    // Grid positions for windows of these sizes, in that order.
    static QList<QPoint> GridPositions(const QList<QSize> &sizes, int areaWidth);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QPoint> positions() const;
    void loadBackground();
    void shareSystemMenuIcons(QMdiSubWindow *sub);
    void activateNewest();

    QImage m_background;
    // Read once: adding a window on a record's path never touches the store.
    QHash<QString, QPoint> m_storedPlaces; // by window title
    QHash<QString, QIcon> m_menuIcons; // by action text
    QPointer<QMdiSubWindow> m_newest;
    QTimer m_activation;
};
