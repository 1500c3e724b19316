#pragma once
// A menu: a menu bar or a pop-up. The menu is destroyed with its wrapper unless it was detached
// first; wrappers from FromHandle and GetSubMenu are temporary and never destroy theirs.
// Menu resources come from the current resource module.
// https://learn.microsoft.com/windows/win32/menurc/menus
#include "framework/CObject.h"
#include "framework/CString.h"
#include "framework/Platform.h"

class CBitmap;
class CWnd;

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // Attributes
    HMENU m_hMenu = nullptr;
    // Safe to call through a null pointer (answers null).
    HMENU GetSafeHmenu() const;
    operator HMENU() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU hMenu);
    // Frees every temporary wrapper of the calling thread (of all kinds, as AfxDeleteTempMaps).
    static void DeleteTempMap();

    // Creation. Each answers FALSE when this wrapper already holds a menu or creation fails.
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCWSTR lpszResourceName);
    BOOL LoadMenuIndirect(const void* lpMenuTemplate);
    BOOL DestroyMenu();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    // Items. nFlags carries MF_BYCOMMAND or MF_BYPOSITION where an item is named.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    // Removes the item; a sub-menu stays alive (RemoveMenu) or is destroyed with it (DeleteMenu).
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    // Each answers the previous state (MF_ENABLED/MF_GRAYED/MF_DISABLED, MF_CHECKED/MF_UNCHECKED),
    // or 0xFFFFFFFF when the item does not exist.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked);
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE) const;

    // Queries. GetMenuItemCount answers -1 without a menu.
    int GetMenuItemCount() const;
    // The command id of the item at nPos: 0xFFFFFFFF for a sub-menu or a bad position, 0 for a separator.
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPWSTR lpString, int nMaxCount, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFOW lpMenuItemInfo, BOOL fByPos = FALSE) const;
    BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFOW lpMenuItemInfo, BOOL fByPos = FALSE);
    // The pop-up at position nPos (a temporary wrapper), nullptr when that item has none.
    CMenu* GetSubMenu(int nPos) const;

    // Shows the pop-up at (x, y) in screen coordinates and tracks it; pWnd receives WM_COMMAND
    // for the chosen item. With TPM_RETURNCMD the chosen command id is answered instead (0 when
    // the menu was dismissed) and no WM_COMMAND is sent.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
    BOOL TrackPopupMenuEx(UINT nFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm);
};
