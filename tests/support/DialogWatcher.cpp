#include "support/DialogWatcher.h"

#include "ui/TFrmMessage.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

DialogWatcher::DialogWatcher()
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &DialogWatcher::poll);
    m_timer.start();
}

void DialogWatcher::poll()
{
    auto *dialog = qobject_cast<TFrmMessage *>(QApplication::activeModalWidget());
    if (!dialog || dialog->property("watched").toBool())
        return;
    dialog->setProperty("watched", true);
    m_texts.append(dialog->LabelMessage->text());
    if (onDialog)
        onDialog(m_texts.last());
    const Answer answer = m_answers.isEmpty() ? Answer::Ok : m_answers.takeFirst();
    switch (answer) {
    case Answer::Ok:
        dialog->ButtonOk->click();
        break;
    case Answer::Cancel:
        dialog->ButtonCancel->click();
        break;
    case Answer::Escape:
        QTest::keyClick(dialog, Qt::Key_Escape);
        break;
    case Answer::Enter:
        QTest::keyClick(dialog, Qt::Key_Return);
        break;
    }
}

bool DialogWatcher::waitForCount(int n, int ms)
{
    return QTest::qWaitFor([&] { return m_texts.size() >= n; }, ms);
}
