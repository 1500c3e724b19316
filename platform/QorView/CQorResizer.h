#pragma once
// Keeps child controls anchored to the edges of their parent when it is resized.
#include "framework/Platform.h"
#include <vector>

class CWnd;

class CQorResizer {
public:
    // Anchor flags: which edges of the parent the control's edges follow.
    enum : UINT { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };

    // Remembers the parent's current client size as the reference for later layouts.
    void SetParent(HWND hParent);
    BOOL AddControl(HWND hChild, UINT nAnchors);
    BOOL AddControl(UINT nID, UINT nAnchors);
    void DeleteAll();
    int GetCount() const { return static_cast<int>(m_items.size()); }
    // Moves every control for the parent's new client size.
    void Resize(int cx, int cy);

private:
    struct Item {
        HWND hWnd;
        UINT anchors;
        RECT rc; // at the reference size
    };
    HWND m_hParent = nullptr;
    SIZE m_szRef = {0, 0};
    std::vector<Item> m_items;
};
