#include "ui/ListBox.h"

#include <QScrollBar>
#include <QVBoxLayout>

ListBox::ListBox(QWidget *parent) : QScrollArea(parent), m_content(new QWidget), m_layout(new QVBoxLayout(m_content))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
    setWidget(m_content);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_content->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
}

void ListBox::addItem(QWidget *row)
{
    insertItem(count(), row);
}

void ListBox::insertItem(int position, QWidget *row)
{
    m_layout->insertWidget(qBound(0, position, count()), row);
}

int ListBox::count() const
{
    return m_layout->count() - 1;  // the trailing stretch is no row
}

QWidget *ListBox::item(int position) const
{
    if (position < 0 || position >= count())
        return nullptr;
    return m_layout->itemAt(position)->widget();
}

int ListBox::indexOf(const QWidget *row) const
{
    return row ? m_layout->indexOf(row) : -1;
}

void ListBox::moveItem(QWidget *row, int position)
{
    const int from = indexOf(row);
    if (from < 0)
        return;
    m_layout->removeWidget(row);
    m_layout->insertWidget(qBound(0, position, count()), row);
}

void ListBox::scrollToTop()
{
    verticalScrollBar()->setValue(0);
}
