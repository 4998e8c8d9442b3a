#pragma once

#include <QWidget>

class PictureList;

// Shows one numbered picture of a picture list, fitted into its contents
// rectangle. A number the list has no picture for shows nothing.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(const PictureList &pictures, QWidget *parent = nullptr);

    void setPicture(int number);
    int picture() const { return m_number; } // the number last asked for
    bool isShowingPicture() const { return m_showing; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const PictureList &m_pictures;
    int m_number = -1;
    bool m_showing = false;
};
