#pragma once
// IDeptExpansionOwner: what the department expansion (CDeptExpansion) needs of the main window
// when its worker's result arrives: whether the user is still signed in, and the stored view
// tab to fall back on. The main window (CKorvelBaseDlg) implements it.

class IDeptExpansionOwner {
public:
    virtual bool IsSignedIn() const = 0;
    // Selects the view tab of the stored user-list view.
    virtual void SelectViewTab() = 0;

protected:
    // Never deleted through this interface.
    ~IDeptExpansionOwner() = default;
};
