#pragma once

#include <QWidget>

// The answer heartbeat at the left end of the status strip: a filled ellipse.
class StatusCircle : public QWidget {
    Q_OBJECT
public:
    explicit StatusCircle(QWidget *parent = nullptr);

    QRgb fill() const { return m_fill; }
    void setFill(QRgb argb);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRgb m_fill = 0xFFEAEBEAu;
};
