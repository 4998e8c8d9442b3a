#pragma once

#include "app/SharedState.h"
#include "link/AnswerFields.h"
#include "link/DispatchHooks.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Routes the answers of the controller in use into the register caches, the
// schematic number and the flags of the shared state, and hands clock,
// schedule and parameter answers to the hooks. Runs on the UI thread.
class AnswerDispatcher {
public:
    explicit AnswerDispatcher(SharedState &state) : m_state(state) {}

    DispatchHooks &hooks() { return m_hooks; }

    // One message as the broker delivered it. True when it was an answer that
    // turns the status circle green (circleGreen has then been called).
    bool MQTTPublishReceived(const QString &topic, const QByteArray &payload);

private:
    bool holdingAnswer(const FieldViews &fields);
    bool scheduleAnswer(const FieldViews &fields, const QString &text);
    bool analogAnswer(const FieldViews &fields);
    void updateInstallerRows(const FieldViews &fields);
    // Slots first .. first + count - 1 of a cache from fields 4 onward;
    // stops at the end of a short answer.
    template <typename Cache>
    static void storeSlots(Cache &cache, int first, int count, const FieldViews &fields);
    bool circleGreen();

    SharedState &m_state;
    DispatchHooks m_hooks;
};
