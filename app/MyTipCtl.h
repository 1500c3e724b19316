#pragma once
// The program's one notification popup: the toolkit's popup with its clicks and state
// changes handed straight to the notification manager instead of posted to a window.
#include "controls/popup/CTkPopupControl.h"

class CTipMgr;

class MyTipCtl : public CTkPopupControl {
public:
    MyTipCtl() = default;
    ~MyTipCtl() override = default;

    // The manager that hears the popup's notifications (not owned); null swallows them.
    void SetOwner(CTipMgr* pOwner) { m_pOwner = pOwner; }
    CTipMgr* GetOwner() const { return m_pOwner; }

    // Code 1 (an item was clicked, lParam the item) or 2 (the state changed, lParam the
    // popup) goes to the owner's OnTipClick; no window message is sent.
    LRESULT Notify(WPARAM wParam, LPARAM lParam) override;

private:
    CTipMgr* m_pOwner = nullptr;
};
