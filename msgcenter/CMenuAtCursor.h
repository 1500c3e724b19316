#pragma once
// A context menu of the message centre's lists: the first popup of a menu resource, shown at
// the cursor, its commands sent to the owner.
#include "framework/Platform.h"

class CWnd;

class CMenuAtCursor {
public:
    // False when the menu resource or its popup cannot be loaded (nothing is shown).
    static bool Track(UINT nIDMenu, CWnd* pOwner);
};
