#pragma once

#include <QString>
#include <functional>

class QWidget;

// The six message routines. Each call creates its own dialog, centred over
// the anchor window, shows it modally and destroys exactly that dialog, so
// dialogs opened during another one's wait close in reverse order.
namespace Messages {

void MsgWarning(QWidget *anchor, const QString &text);
void MsgError(QWidget *anchor, const QString &text);
void MsgSuccess(QWidget *anchor, const QString &text);
void MsgInfo(QWidget *anchor, const QString &text);
bool MsgConfirm(QWidget *anchor, const QString &text);
void MsgConfirmProc(QWidget *anchor, const QString &text, const std::function<void()> &proc);

} // namespace Messages
