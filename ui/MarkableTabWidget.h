#pragma once

#include <QTabBar>
#include <QTabWidget>

// A tab bar whose tabs can be marked: a marked tab shows its caption in bold
// (the colour is the bar's per-tab text colour).
class MarkableTabBar : public QTabBar {
    Q_OBJECT
public:
    using QTabBar::QTabBar;

    void setTabMarked(int index, bool marked);
    bool isTabMarked(int index) const;

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;
};

class MarkableTabWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit MarkableTabWidget(QWidget *parent = nullptr);
    MarkableTabBar *markableTabBar() const { return m_bar; }

private:
    MarkableTabBar *m_bar;
};
