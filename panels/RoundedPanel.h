#pragma once

#include <QColor>
#include <QWidget>

// A filled rectangle with rounded corners and no border, on which a panel
// field draws its content.
class RoundedPanel : public QWidget {
    Q_OBJECT
public:
    explicit RoundedPanel(QWidget *parent = nullptr, QColor fill = QColor(0xFF, 0xFF, 0xFF, 0xAA),
                          qreal radius = 3);

    QColor fill() const { return m_fill; }
    qreal radius() const { return m_radius; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
    qreal m_radius;
};
