#pragma once

#include <QObject>
#include <QString>
#include <functional>

class BusyIndicator;
class ListBox;
class QFrame;
class QLabel;
class QToolButton;
class QWidget;

// One row of the account's users list: the user picture, the name and, for
// further users, a delete button.
class TProfileField : public QObject {
    Q_OBJECT
public:
    TProfileField(ListBox *list, bool admin);
    ~TProfileField() override;  // removes the row from its list

    bool Admin = false;

    void setName(const QString &name);
    QString name() const;
    void setDeleteVisible(bool visible);
    bool isDeleteVisible() const;
    QWidget *row() const { return listBoxItemUser; }

    // Runs when the delete button is clicked (the users view decides what
    // deleting means).
    std::function<void(TProfileField *)> onDelete;

private:
    QWidget *listBoxItemUser = nullptr;
    QFrame *border = nullptr;
    QToolButton *btnDelete = nullptr;
    BusyIndicator *LoadingAnimation = nullptr;
    QLabel *Name = nullptr;
    QLabel *UserPic = nullptr;
};
