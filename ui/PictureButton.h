#pragma once

#include <QString>

class QToolButton;
class QWidget;

// A flat button showing one of the window's named pictures, with the name
// assistive technology reads out.
QToolButton *pictureButton(const QString &objectName, const QString &picture, const QString &accessibleName,
                           QWidget *parent, int iconSize = 32);
