#include "app/CQMdiArea.h"

#include "display/CModuleWindow.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QImage>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QSettings>

#include <algorithm>
#include <numeric>

CQMdiArea::CQMdiArea(QWidget *parent)
    : QMdiArea(parent)
{
    // Windows placed beyond the visible part stay reachable.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(&StationOptions::instance(), &StationOptions::changed, this,
            [this](const QString &key) {
        if (key.isEmpty() || key == SettingsKeys::BackgroundImage
            || key == SettingsKeys::BackgroundImageFile)
            loadBackground();
    });
    loadBackground();
    // Every key: a title with a '/' in its module's name is stored in a group.
    QSettings settings;
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys) {
        const QVariant value = settings.value(key);
        if (value.typeId() == QMetaType::QPoint)
            m_storedPlaces.insert(key, value.toPoint());
    }
    m_activation.setSingleShot(true);
    connect(&m_activation, &QTimer::timeout, this, &CQMdiArea::activateNewest);
}

void CQMdiArea::loadBackground()
{
    // Decoded once per change of the options, never per paint.
    const StationOptions &options = StationOptions::instance();
    QImage image;
    if (options.backgroundImage() && !image.load(options.backgroundImageFile()))
        image = QImage();
    m_background = image;
    viewport()->update();
}

QMdiSubWindow *CQMdiArea::AddSubWindow(QWidget *widget, Qt::WindowFlags flags,
                                       const QSize &frameSize)
{
    // A widget built inside a sub-window of this area (NewSubWindow) keeps it,
    // so its style is worked out once, not again on moving in. Its size is
    // fixed first, so the area neither measures nor resizes it again.
    auto *sub = qobject_cast<QMdiSubWindow *>(widget->parentWidget());
    if (sub && sub->parentWidget() == viewport()) {
        if (frameSize.isValid())
            sub->setFixedSize(frameSize);
        sub->setWidget(widget);
        addSubWindow(sub);
    } else {
        sub = addSubWindow(widget, flags);
        if (frameSize.isValid())
            sub->setFixedSize(frameSize);
    }
    shareSystemMenuIcons(sub);
    // The window fills its whole rectangle with the colour its rounded
    // background already has around it, so Qt knows it is opaque and does
    // not repaint the windows stacked beneath it whenever one of its texts
    // changes (a full network stacks them many deep). Set once it has its
    // parent and style.
    widget->setAutoFillBackground(true);
    const QPoint stored = m_storedPlaces.value(widget->windowTitle());
    if (stored.isNull()) {
        // The base class would cascade a full network into a deep stack, which
        // nobody can read and which repaints slowly.
        QList<QRect> others;
        const QList<QMdiSubWindow *> subs = subWindowList(QMdiArea::CreationOrder);
        for (const QMdiSubWindow *other : subs) {
            if (other != sub)
                others.append(other->geometry());
        }
        sub->move(FirstFreeCell(sub->size(), width(), others));
        return sub;
    }
    if (QMdiSubWindow *occupant = SubWindowAt(stored))
        MoveToFreePlace(occupant);
    sub->move(stored);
    return sub;
}

void CQMdiArea::showAdded(QWidget *widget)
{
    auto *sub = qobject_cast<QMdiSubWindow *>(widget->parentWidget());
    if (!sub) {
        widget->show();
        return;
    }
    // A sub-window activates itself as it is shown, deactivating and
    // repainting the one before: for each window of a burst, and the dearer
    // the more windows stand. A disabled one does not; it is enabled again
    // before anything is painted.
    sub->setEnabled(false);
    widget->show();
    sub->setEnabled(true);
    m_newest = sub;
    m_activation.start();
}

void CQMdiArea::activateNewest()
{
    if (m_newest && m_newest->isVisible())
        setActiveSubWindow(m_newest);
}

QMdiSubWindow *CQMdiArea::NewSubWindow(Qt::WindowFlags flags)
{
    return new QMdiSubWindow(viewport(), flags);
}

void CQMdiArea::shareSystemMenuIcons(QMdiSubWindow *sub)
{
    // Each sub-window loads its own copies of the same system-menu icons;
    // one shared set saves some 20 KB a window, 5 MB for a full network.
    const QMenu *menu = sub->systemMenu();
    if (!menu)
        return;
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        if (action->icon().isNull())
            continue;
        const auto shared = m_menuIcons.constFind(action->text());
        if (shared == m_menuIcons.constEnd())
            m_menuIcons.insert(action->text(), action->icon());
        else
            action->setIcon(*shared);
    }
}

QList<QPoint> CQMdiArea::positions() const
{
    QList<QPoint> out;
    const QList<QMdiSubWindow *> subs = subWindowList(QMdiArea::CreationOrder);
    for (const QMdiSubWindow *sub : subs)
        out.append(sub->pos());
    return out;
}

QPoint CQMdiArea::FreePlace(const QPoint &start, const QSize &size, int areaWidth,
                            const QList<QPoint> &occupied)
{
    // A window without extent would never leave its spot.
    const int w = qMax(1, size.width());
    const int h = qMax(1, size.height());
    const int limit = areaWidth - w;
    QPoint p = start;
    do {
        p.rx() += w;
        if (p.x() > limit) {
            p.ry() += h;
            p.rx() = 0;
        }
    } while (occupied.contains(p));
    return p;
}

void CQMdiArea::MoveToFreePlace(QMdiSubWindow *occupant)
{
    if (!occupant)
        return;
    occupant->move(FreePlace(occupant->pos(), occupant->size(), width(), positions()));
}

QMdiSubWindow *CQMdiArea::SubWindowAt(const QPoint &point) const
{
    const QList<QMdiSubWindow *> subs = subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *sub : subs) {
        if (sub->pos() == point)
            return sub;
    }
    return nullptr;
}

void CQMdiArea::SavePositions() const
{
    QSettings settings;
    const QList<QMdiSubWindow *> subs = subWindowList(QMdiArea::CreationOrder);
    for (const QMdiSubWindow *sub : subs) {
        if (sub->widget())
            settings.setValue(sub->widget()->windowTitle(), sub->pos());
    }
}

QPoint CQMdiArea::FirstFreeCell(const QSize &size, int areaWidth, const QList<QRect> &occupied)
{
    const int w = qMax(1, size.width());
    const int h = qMax(1, size.height());
    // As many columns as RearrangeModules fills, at least one. A rectangle
    // blocks at most four cells, so the scan ends.
    const int columns = qMax(1, areaWidth / w);
    for (int cell = 0;; ++cell) {
        const QRect r(QPoint((cell % columns) * w, (cell / columns) * h), QSize(w, h));
        if (std::none_of(occupied.begin(), occupied.end(),
                         [&r](const QRect &o) { return o.intersects(r); }))
            return r.topLeft();
    }
}

QList<int> CQMdiArea::TitleOrder(const QStringList &titles)
{
    QList<int> order(titles.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&titles](int a, int b) { return titles.at(a) < titles.at(b); });
    return order;
}

QList<QPoint> CQMdiArea::GridPositions(const QList<QSize> &sizes, int areaWidth)
{
    QList<QPoint> out;
    int x = 0;
    int y = 0;
    for (const QSize &s : sizes) {
        out.append(QPoint(x, y));
        x += s.width();
        if (x + s.width() > areaWidth) {
            x = 0;
            y += s.height();
        }
    }
    return out;
}

void CQMdiArea::RearrangeModules()
{
    const QList<QMdiSubWindow *> subs = subWindowList(QMdiArea::CreationOrder);
    QStringList titles;
    for (const QMdiSubWindow *sub : subs)
        titles.append(sub->widget() ? sub->widget()->windowTitle() : QString());
    const QList<int> order = TitleOrder(titles);

    QList<QSize> sizes;
    for (int i : order)
        sizes.append(subs.at(i)->size());
    const QList<QPoint> grid = GridPositions(sizes, width());
    for (int k = 0; k < order.size(); ++k)
        subs.at(order.at(k))->move(grid.at(k));
}

int CQMdiArea::SubWindowCount() const
{
    return subWindowList().size();
}

int CQMdiArea::CorrectModuleCount() const
{
    int count = 0;
    const QList<QMdiSubWindow *> subs = subWindowList();
    for (const QMdiSubWindow *sub : subs) {
        const auto *module = qobject_cast<const CModuleWindow *>(sub->widget());
        if (module && module->IsCorrect())
            ++count;
    }
    return count;
}

void CQMdiArea::paintEvent(QPaintEvent *event)
{
    QMdiArea::paintEvent(event);
    if (m_background.isNull())
        return;
    QPainter p(viewport());
    p.drawImage(0, 0, m_background);
}
