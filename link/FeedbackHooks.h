#pragma once

#include <QString>

#include <functional>

// What a command-feedback period needs from the rest of the program.
struct FeedbackHooks {
    // Publishes a command on the "/Out" topic of the controller in use;
    // throws PublishError when it cannot.
    std::function<void(const QString &payload)> publish;
    // Lowers the shared CommandPending flag.
    std::function<void()> clearPending;
    // Shows a failure (the follow-up command could not be sent).
    std::function<void(const QString &message)> reportError;
};
