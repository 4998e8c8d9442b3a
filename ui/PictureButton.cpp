#include "ui/PictureButton.h"

#include "ui/PictureList.h"

#include <QToolButton>

QToolButton *pictureButton(const QString &objectName, const QString &picture, const QString &accessibleName,
                           QWidget *parent, int iconSize)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setIcon(PictureList::namedIcon(picture));
    b->setIconSize(QSize(iconSize, iconSize));
    b->setAutoRaise(true);
    b->setToolTip(accessibleName);
    b->setAccessibleName(accessibleName);
    return b;
}
