#pragma once

#include "link/FeedbackHooks.h"

#include <functional>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

// One command-feedback period: a translucent layer with a turning indicator
// covers the main window for ms (or ms / 2 in the short form), then, in the
// long form, the follow-up command goes out. At the end the layer goes away
// and CommandPending is lowered, whatever happened; the object then deletes
// itself. Create it and forget it.
struct SharedState;
class DeviceLink;

class TLoad : public QObject {
    Q_OBJECT
public:
    TLoad(QWidget *mainWindow, int ms, const QString &command, bool fast, FeedbackHooks hooks);
    // The usual wiring: the follow-up goes out through link, CommandPending
    // of state is lowered, a failed follow-up goes to reportError.
    TLoad(QWidget *mainWindow, int ms, const QString &command, bool fast, SharedState &state,
          DeviceLink &link, std::function<void(const QString &)> reportError);

    QPointer<QWidget> Rect;          // the covering layer
    QPointer<QWidget> LoadAnimation; // the indicator on it
    QTimer *Tim = nullptr;           // drives the two halves
    const QString MQTT_Command;      // sent at the end of the long form; empty for none
    const bool Fast;                 // short form: one half, no follow-up

private slots:
    void TimTimer();

private:
    FeedbackHooks m_hooks;
    int m_tag; // ticks passed; the short form starts at 1
    bool m_ended = false;
};
