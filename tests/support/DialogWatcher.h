#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

// Answers the program's message dialogs while a test runs: every dialog that
// comes up is recorded (its text) and closed with the next scripted answer
// (OK when nothing is scripted).
class DialogWatcher : public QObject {
    Q_OBJECT
public:
    enum class Answer { Ok, Cancel, Escape, Enter };

    DialogWatcher();

    void script(std::initializer_list<Answer> answers) { m_answers = answers; }
    const QStringList &texts() const { return m_texts; }
    void clear() { m_texts.clear(); }
    // Waits until n dialogs have been seen in all (true) or the time is up.
    bool waitForCount(int n, int ms = 5000);

    // Runs when a dialog is seen, before it is answered.
    std::function<void(const QString &text)> onDialog;

private:
    void poll();
    QTimer m_timer;
    QList<Answer> m_answers;
    QStringList m_texts;
};
