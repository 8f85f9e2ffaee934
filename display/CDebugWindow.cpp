#include "display/CDebugWindow.h"

#include "settings/SettingsKeys.h"
#include "settings/WindowPlacement.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSettings>

namespace {

const QPoint kDefaultPos(200, 200);
const QSize kSize(300, 400);
constexpr int kLineStep = 10;
// Light enough for the blue text to read through the half-transparent window.
const QColor kBackground(235, 235, 245);

} // namespace

CDebugWindow::CDebugWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
{
    setWindowOpacity(0.5);
    // Lines stand 10 pixels apart: a font that fits between them.
    QFont small = font();
    small.setPixelSize(9);
    setFont(small);
    StationGlobals::debugPause = 0;
    WindowPlacement::placeFrame(
        this, QSettings().value(SettingsKeys::DebugWindowPos, kDefaultPos).toPoint(), kSize,
        QRect(kDefaultPos, kSize));
}

QList<CDebugWindow::Line> CDebugWindow::DebugLines(
    int cycle, int pause, const DebugStatEntry (&stats)[StationGlobals::DebugEntries],
    const LocalizationSnapshot &localization, const std::optional<SettingsBlock::Block> &settings)
{
    QList<Line> lines;
    int y = 0;
    const auto add = [&lines, &y](int step, const QString &text) {
        y += step;
        if (!text.isEmpty())
            lines.append(Line{ y, text });
    };
    const auto three = [](const auto &v) {
        return QStringLiteral("%1 %2 %3").arg(int(v[0])).arg(int(v[1])).arg(int(v[2]));
    };

    add(kLineStep, tr("DEBUG INFORMATION"));
    add(kLineStep, tr("Cycle=%1 Pause=%2").arg(cycle).arg(pause));
    add(kLineStep, QString());
    int active = 0;
    for (int i = 0; i < StationGlobals::DebugEntries; ++i) {
        const DebugStatEntry &e = stats[i];
        if (!e.active)
            continue;
        ++active;
        add(kLineStep,
            tr("nID=%1 nCyc=%2 nRSSI=%3 cntDis=%4 cntTim=%5")
                .arg(i)
                .arg(e.nCyc)
                .arg(int(e.nRSSI))
                .arg(e.cntDis)
                .arg(e.cntTim));
    }
    add(kLineStep, tr("active=%1").arg(active));

    add(kLineStep, QString());
    for (const LocalizationSnapshot::Candidate &c : localization.candidates) {
        add(kLineStep, tr("num=%1 nBand=%2 nFreq=%3").arg(c.num).arg(c.type).arg(c.freqMHz));
        add(kLineStep, tr("nSlaveID=%1").arg(three(c.modules)));
        add(kLineStep, tr("nIndGroup=%1").arg(three(c.channels)));
        add(kLineStep, tr("nLevelDBM=%1").arg(three(c.levels)));
        add(kLineStep, QString());
    }
    add(kLineStep,
        tr("num_fd_data=%1 nBand=%2")
            .arg(localization.candidateCount)
            .arg(localization.chosenType));
    add(kLineStep, tr("nActiveID=%1").arg(three(localization.chosenModules)));
    add(kLineStep, tr("nLevelDBM=%1").arg(three(localization.chosenLevels)));
    // Nothing to show before the first record.
    if (settings)
        add(2 * kLineStep,
            tr("[41][42]=%1 %2")
                .arg(int(qint8((*settings)[SettingsBlock::BypassKind])))
                .arg(int(qint8((*settings)[SettingsBlock::Command]))));
    return lines;
}

void CDebugWindow::paintEvent(QPaintEvent *)
{
    // A paused window keeps showing what it took last.
    if (StationGlobals::debugPause == 0) {
        ++m_cycle;
        m_shown = localization;
    }
    const QList<Line> lines = DebugLines(m_cycle, StationGlobals::debugPause,
                                         StationGlobals::debugStats, m_shown, settingsCopy);
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    p.setPen(Qt::blue);
    for (const Line &line : lines)
        p.drawText(0, line.y, line.text);
}

void CDebugWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
    }
    if (event->buttons() & Qt::RightButton)
        StationGlobals::debugPause ^= 1;
}

void CDebugWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    move(event->globalPosition().toPoint() - m_dragOffset);
    event->accept();
    QSettings().setValue(SettingsKeys::DebugWindowPos, pos());
}
