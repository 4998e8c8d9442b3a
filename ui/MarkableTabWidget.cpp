#include "ui/MarkableTabWidget.h"

#include <QStyleOptionTab>
#include <QStylePainter>

void MarkableTabBar::setTabMarked(int index, bool marked)
{
    setTabData(index, marked);
    updateGeometry();
    update();
}

bool MarkableTabBar::isTabMarked(int index) const
{
    return tabData(index).toBool();
}

QSize MarkableTabBar::tabSizeHint(int index) const
{
    QSize size = QTabBar::tabSizeHint(index);
    if (isTabMarked(index)) {
        QFont bold = font();
        bold.setBold(true);
        size.rwidth() += QFontMetrics(bold).horizontalAdvance(tabText(index)) -
                         fontMetrics().horizontalAdvance(tabText(index));
    }
    return size;
}

void MarkableTabBar::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        QStyleOptionTab opt;
        initStyleOption(&opt, i);
        p.drawControl(QStyle::CE_TabBarTabShape, opt);
        QFont f = font();
        f.setBold(isTabMarked(i));
        p.setFont(f);
        p.drawControl(QStyle::CE_TabBarTabLabel, opt);
    }
}

MarkableTabWidget::MarkableTabWidget(QWidget *parent) : QTabWidget(parent), m_bar(new MarkableTabBar(this))
{
    setTabBar(m_bar);
}
