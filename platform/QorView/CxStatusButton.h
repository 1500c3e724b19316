#pragma once
// The status chooser: a menu button showing the status text and the status icon.
#include "platform/QorView/CxButtonMenu.h"

class CxStatusButton : public CxButtonMenu {
public:
    // Fits the button's width to its text (and the icon before it).
    void SetSize();
    void SetIconIndexByStatus(int nStatus) { m_nStatus = nStatus; }
    int GetIconStatus() const { return m_nStatus; }

private:
    int m_nStatus = 3;
};
