#pragma once
// The tuning tab's spectrum graph: a label that paints itself as usual and
// then the unit's spectrum, the base-station level and the threshold line
// from the process-wide tuning state.

#include <QLabel>

class CLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
