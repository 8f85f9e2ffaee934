#pragma once
// Round, frameless, always-on-top window that shows the name of one signal
// type: the marker of the emitter localization. Clicks go through it to what
// lies below; where windows cannot be translucent it is a ring, so that the
// module windows under it stay readable.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>

class CShapedCircle : public QWidget
{
    Q_OBJECT

public:
    struct Geometry
    {
        QRect maskSquare;   // the circle's bounding square, centred in the window
        QPoint textOrigin;  // baseline start of the signal name before scaling
        double scale = 1.0; // both axes
    };

    explicit CShapedCircle(QWidget *parent = nullptr);

    // The signal type whose display name is drawn; chosen by the localization.
    void setSignalType(int nType);
    int signalType() const { return m_signalType; }
    // The fill of the circle; over the application's style sheet.
    void setBackgroundColour(const QColor &colour);
    QColor backgroundColour() const { return m_background; }

    static Geometry circleGeometry(int width, int height);
    // The window's shape: the disc, or a ring around the signal name.
    static QRegion shape(int width, int height, bool ring);
    // False where the window system would ignore the window's opacity.
    static bool CanBeTranslucent();
    void setRing(bool ring);
    bool isRing() const { return m_ring; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_signalType = 0;
    QColor m_background;
    bool m_ring = false;
};
