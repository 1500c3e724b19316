#pragma once
// The base of every object that receives commands or messages (windows, the application) and of
// the framework's reference-counted objects. The count starts at 1 for the creator; when the
// last reference is released, OnFinalRelease runs, which deletes the object.
#include "framework/CObject.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Reference counting. The Internal pair is for the object's own holders, the External pair
    // for COM clients; both work on the one count. The result is the new count.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    // Called once the count reaches 0; deletes the object. Override to release other things first.
    virtual void OnFinalRelease();

    // Kept for classes written for an automation-enabled base; the count works without it.
    void EnableAutomation() {}
    BOOL IsAutomationEnabled() const { return FALSE; }

    // The message map: the one entry that BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP expands into.
    // Returns TRUE when an entry took the message, with its result in *pResult. The root answers
    // FALSE, so every map ends by asking its base class.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    LONG m_dwRef = 1;
};
