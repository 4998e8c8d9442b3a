#pragma once

#include <QTimer>
#include <QWidget>

// A spinning arc, drawn in the middle of its area. It takes no mouse input.
class BusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget *parent = nullptr);

    void setRunning(bool running);
    bool isRunning() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    int m_angle = 0;
};
