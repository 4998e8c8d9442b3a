#pragma once

#include "ui/WindowMover.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;

// The program's one kind of message window: borderless, 510 x 200, a picture
// telling the kind of message, the text (scrolling when long) and OK, or OK
// and Cancel. The whole surface is its drag handle.
class TFrmMessage : public QDialog {
    Q_OBJECT
public:
    explicit TFrmMessage(QWidget *parent = nullptr);

    void setText(const QString &text);
    void setPicture(int index);  // 0 warning, 1 error, 2 success, 3 information, 4 question
    void showOkOnly();           // hides Cancel and centres OK

    QFrame *RectangleMessage;
    QWidget *Layout1;
    QLabel *GlyphMessage;
    QScrollArea *ScrollBox1;
    QLabel *LabelMessage;
    QPushButton *ButtonOk;
    QPushButton *ButtonCancel;

    static constexpr int designWidth = 510;
    static constexpr int designHeight = 200;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    WindowMover m_mover;
};
