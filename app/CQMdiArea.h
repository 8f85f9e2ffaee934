#pragma once
// The main window's MDI area: one sub-window per module window, placed where
// it stood last time, rearranged into a title-sorted grid on request, with an
// optional background image; scroll bars appear when windows lie outside it.

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QMdiArea>
#include <QPoint>
#include <QSize>
#include <QStringList>

class QMdiSubWindow;

class CQMdiArea : public QMdiArea
{
    Q_OBJECT

public:
    explicit CQMdiArea(QWidget *parent = nullptr);

    // Adds the widget and moves it to the place remembered under its window title.
    QMdiSubWindow *AddSubWindow(QWidget *widget, Qt::WindowFlags flags = Qt::WindowFlags());
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

    QImage m_background;
    QHash<QString, QIcon> m_menuIcons; // by action text
};
