#pragma once

#include <QScrollArea>

class QVBoxLayout;

// A vertical list of rows (plain widgets with a fixed height) in a scroll
// area. Rows keep their position while hidden, so positions count every row.
class ListBox : public QScrollArea {
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

    void addItem(QWidget *row);            // appends; the list takes ownership
    void insertItem(int position, QWidget *row);
    int count() const;
    QWidget *item(int position) const;     // nullptr outside 0..count()-1
    int indexOf(const QWidget *row) const; // -1 when not a row of this list
    void moveItem(QWidget *row, int position);  // position is clamped to the list
    void scrollToTop();
    QWidget *content() const { return m_content; }

private:
    QWidget *m_content;
    QVBoxLayout *m_layout;
};
