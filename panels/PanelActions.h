#pragma once

#include <QString>

// What the panel fields ask of the window when the owner acts on them.
class PanelActions {
public:
    virtual ~PanelActions() = default;

    // Publishes "3;6;Reg;Value;" to the controller in use. Throws PublishError
    // when the command could not be sent.
    virtual void WriteHREG(int reg, int value) = 0;
    // Starts a command-feedback period (the covering layer); fast = short form.
    virtual void startFeedback(int ms, bool fast) = 0;
    // Raised CommandPending for the panel refresh.
    virtual void setCommandPending(bool pending) = 0;
    // Shows an error text in the plain error dialog.
    virtual void showError(const QString &text) = 0;
};
