#pragma once
// Segmented level bar with a threshold: segments below the level are lit,
// blue under the threshold and red from it on. Draws everything itself.

#include <QColor>
#include <QProgressBar>
#include <QRect>
#include <QRectF>
#include <QVector>

class CQLevelBar : public QProgressBar
{
    Q_OBJECT

public:
    // Levels below this are raised to it by SetLevel.
    static constexpr int LowestLevel = -95;

    static constexpr QRgb FrameColour = 0xff1b1b1b;  // outline
    static constexpr QRgb IdleColour = 0xffa7a7a7;   // above the level
    static constexpr QRgb NormalColour = 0xff1b1be3; // lit, below the threshold
    static constexpr QRgb OverColour = 0xffe31b1b;   // lit, at or above the threshold

    struct Segment
    {
        QRect rect;
        QColor colour;
    };
    struct Layout
    {
        QRectF outline;
        QColor frameColour;
        int levelPercent = 0;
        int thresholdPercent = 0;
        int litCount = 0;
        int firstRed = 0;
        QVector<Segment> segments;
    };

    explicit CQLevelBar(QWidget *parent = nullptr);

    // Clamps both to LowestLevel, keeps the threshold, hands the level to the
    // progress bar (which ignores a value outside its range) and schedules a repaint.
    void SetLevel(int level, int threshold);
    int threshold() const { return m_threshold; }

    // Geometry and colours of the bar with the constructor's colours and sizes.
    static Layout barLayout(int width, int height, int minimum, int maximum, int value,
                            int threshold);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int SegmentWidth = 1;
    static constexpr int SegmentGap = 1;

    int m_threshold = 0;
};
