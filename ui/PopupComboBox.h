#pragma once

#include <QComboBox>

// A combo box that tells when its list opens and when it closes again (after
// the choice, if any, has been made).
class PopupComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;
    void hidePopup() override;

signals:
    void popupOpened();
    void popupClosed();

private:
    bool m_open = false;
};
