#include "ui/Messages.h"

#include "ui/TFrmMessage.h"

#include <QScreen>
#include <QWidget>
#include <memory>

namespace {

enum Picture { Warning = 0, Error = 1, Success = 2, Information = 3, Question = 4 };

void centreOver(QWidget *dialog, QWidget *anchor)
{
    QRect area;
    if (anchor)
        area = anchor->window()->frameGeometry();
    else if (QScreen *screen = dialog->screen())
        area = screen->availableGeometry();
    dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
}

// Shows one dialog modally and returns its result; the dialog is destroyed on
// every path, also when showing it fails.
int runDialog(QWidget *anchor, const QString &text, Picture picture, bool okOnly)
{
    std::unique_ptr<TFrmMessage> dialog(new TFrmMessage(nullptr));
    dialog->setText(text);
    dialog->setPicture(picture);
    if (okOnly)
        dialog->showOkOnly();
    centreOver(dialog.get(), anchor);
    dialog->setWindowModality(Qt::ApplicationModal);
    return dialog->exec();
}

} // namespace

namespace Messages {

void MsgWarning(QWidget *anchor, const QString &text) { runDialog(anchor, text, Warning, true); }
void MsgError(QWidget *anchor, const QString &text) { runDialog(anchor, text, Error, true); }
void MsgSuccess(QWidget *anchor, const QString &text) { runDialog(anchor, text, Success, true); }
void MsgInfo(QWidget *anchor, const QString &text) { runDialog(anchor, text, Information, true); }

bool MsgConfirm(QWidget *anchor, const QString &text)
{
    return runDialog(anchor, text, Question, false) == QDialog::Accepted;
}

void MsgConfirmProc(QWidget *anchor, const QString &text, const std::function<void()> &proc)
{
    if (MsgConfirm(anchor, text) && proc)
        proc();
}

} // namespace Messages
