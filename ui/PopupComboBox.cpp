#include "ui/PopupComboBox.h"

void PopupComboBox::showPopup()
{
    m_open = true;
    emit popupOpened();
    QComboBox::showPopup();
}

void PopupComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (m_open) {
        m_open = false;
        emit popupClosed();
    }
}
