#include "ui/TFrmMessage.h"

#include "ui/PictureList.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TFrmMessage::TFrmMessage(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmMessage"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(designWidth, designHeight);

    RectangleMessage = new QFrame(this);
    RectangleMessage->setObjectName(QStringLiteral("RectangleMessage"));
    RectangleMessage->setGeometry(0, 0, designWidth, designHeight);
    RectangleMessage->setStyleSheet(QStringLiteral(
        "#RectangleMessage { background: #F0F0F0; border: 1px solid #A0A0A0; border-radius: 8px; }"));
    RectangleMessage->installEventFilter(this);

    // 443 x 88, centred in the space above the 40 kept free for the buttons.
    Layout1 = new QWidget(RectangleMessage);
    Layout1->setObjectName(QStringLiteral("Layout1"));
    Layout1->setGeometry((designWidth - 443) / 2, (designHeight - 40 - 88) / 2, 443, 88);
    auto *row = new QHBoxLayout(Layout1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);

    GlyphMessage = new QLabel(Layout1);
    GlyphMessage->setObjectName(QStringLiteral("GlyphMessage"));
    GlyphMessage->setFixedSize(81, 88);
    GlyphMessage->setAlignment(Qt::AlignCenter);
    row->addWidget(GlyphMessage);

    ScrollBox1 = new QScrollArea(Layout1);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    // 20 kept free below the text.
    auto *textColumn = new QVBoxLayout;
    textColumn->setContentsMargins(0, 0, 0, 20);
    textColumn->addWidget(ScrollBox1);
    row->addLayout(textColumn, 1);

    LabelMessage = new QLabel;
    LabelMessage->setObjectName(QStringLiteral("LabelMessage"));
    LabelMessage->setTextFormat(Qt::PlainText);  // texts from users and peers are never markup
    LabelMessage->setWordWrap(true);
    LabelMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ScrollBox1->setWidget(LabelMessage);

    ButtonOk = new QPushButton(QStringLiteral("ОК"), RectangleMessage);
    ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    ButtonOk->setGeometry(114, 138, 110, 35);
    ButtonOk->setDefault(true);
    ButtonOk->setAutoDefault(true);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);

    ButtonCancel = new QPushButton(QStringLiteral("Откажи"), RectangleMessage);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setGeometry(290, 138, 110, 35);
    ButtonCancel->setAutoDefault(false);
    ButtonCancel->setStyleSheet(QStringLiteral(
        "#ButtonCancel { color: white; background: #C0392B; border: none; border-radius: 4px; }"
        "#ButtonCancel:hover { background: #D04A3B; }"));
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    for (QPushButton *b : {ButtonOk, ButtonCancel})
        b->setAccessibleName(b->text());
}

void TFrmMessage::setText(const QString &text)
{
    LabelMessage->setText(text);
    setAccessibleDescription(text);
}

void TFrmMessage::setPicture(int index)
{
    GlyphMessage->setPixmap(PictureList::messages().pixmap(index, GlyphMessage->size()));
}

void TFrmMessage::showOkOnly()
{
    ButtonCancel->hide();
    ButtonOk->move((width() - ButtonOk->width()) / 2, ButtonOk->y());
}

void TFrmMessage::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFrmMessage::FormShow()
{
    // A long text wraps and scrolls inside ScrollBox1; the dialog keeps its size.
    setFixedSize(designWidth, designHeight);
    LabelMessage->adjustSize();
}

bool TFrmMessage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == RectangleMessage && m_mover.handle(this, event))
        return true;
    return QDialog::eventFilter(watched, event);
}
