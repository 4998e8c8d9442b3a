#pragma once

#include "panels/RoundedPanel.h"

#include <QPointer>

class QLabel;

// The panel of a sensor tile. It keeps its parts where they belong when the
// tile area changes its width: the caption across the top, the picture left
// of the middle, the value labels right of it (upper and lower half on a
// two-value tile).
class SensorTilePanel : public RoundedPanel {
    Q_OBJECT
public:
    static constexpr int defaultWidth = 250;
    static constexpr int defaultHeight = 150;

    explicit SensorTilePanel(QWidget *parent = nullptr);

    void setParts(QWidget *caption, QWidget *picture, QWidget *upperValue, QWidget *lowerValue);
    void placeParts();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPointer<QWidget> m_caption;
    QPointer<QWidget> m_picture;
    QPointer<QWidget> m_upperValue;
    QPointer<QWidget> m_lowerValue;
};
