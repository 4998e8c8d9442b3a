#include "accounts/TProfileField.h"

#include "ui/BusyIndicator.h"
#include "ui/ListBox.h"
#include "ui/PictureList.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

TProfileField::TProfileField(ListBox *list, bool admin) : Admin(admin)
{
    listBoxItemUser = new QWidget;
    listBoxItemUser->setFixedHeight(45);
    auto *outer = new QHBoxLayout(listBoxItemUser);
    outer->setContentsMargins(1, 5, 1, 0);

    border = new QFrame(listBoxItemUser);
    border->setObjectName(QStringLiteral("border"));
    border->setStyleSheet(QStringLiteral("#border { border: 1px solid #808080; background: transparent; }"));
    outer->addWidget(border);
    auto *row = new QHBoxLayout(border);
    row->setContentsMargins(3, 1, 3, 1);
    row->setSpacing(2);

    UserPic = new QLabel(border);
    UserPic->setFixedWidth(24);
    UserPic->setPixmap(PictureList::rowSymbols().pixmap(admin ? 3 : 4, QSize(24, 24)));
    row->addWidget(UserPic);

    Name = new QLabel(border);
    Name->setTextFormat(Qt::PlainText);
    Name->setFixedWidth(300);
    QFont f = Name->font();
    f.setPointSize(18);
    f.setBold(admin);
    Name->setFont(f);
    row->addWidget(Name);
    row->addStretch(1);

    LoadingAnimation = new BusyIndicator(border);
    LoadingAnimation->setFixedSize(39, 39);
    LoadingAnimation->hide();
    row->addWidget(LoadingAnimation);

    btnDelete = new QToolButton(border);
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnDelete->setFixedSize(39, 39);
    btnDelete->setIcon(PictureList::rowSymbols().icon(2));
    btnDelete->setAutoRaise(true);
    btnDelete->setVisible(!admin);
    btnDelete->setAccessibleName(QStringLiteral("Избриши"));
    connect(btnDelete, &QToolButton::clicked, this, [this] {
        if (onDelete)
            onDelete(this);
    });
    row->addWidget(btnDelete);

    list->addItem(listBoxItemUser);
}

TProfileField::~TProfileField()
{
    delete listBoxItemUser;
}

void TProfileField::setName(const QString &name)
{
    Name->setText(name);
}

QString TProfileField::name() const
{
    return Name->text();
}

void TProfileField::setDeleteVisible(bool visible)
{
    btnDelete->setVisible(visible && !Admin);
}

bool TProfileField::isDeleteVisible() const
{
    return !btnDelete->isHidden();
}
