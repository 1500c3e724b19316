#include "framework/CMenu.h"
#include "framework/CBitmap.h"
#include "framework/HandleMap.h"
#include "framework/CWnd.h"
#include "framework/ModuleState.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

// The item text of a bitmap item is the bitmap handle.
LPCWSTR BitmapItem(const CBitmap* pBmp)
{
    return reinterpret_cast<LPCWSTR>(pBmp ? pBmp->m_hObject : nullptr);
}

HBITMAP BitmapOf(const CBitmap* pBmp)
{
    return pBmp ? static_cast<HBITMAP>(pBmp->m_hObject) : nullptr;
}

} // namespace

HMENU __attribute__((optimize("no-delete-null-pointer-checks"))) CMenu::GetSafeHmenu() const
{
    return this ? m_hMenu : nullptr;
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return AfxFromHandle<CMenu>(
        AfxHandleKind::Menu, hMenu, [](CMenu* p, HMENU h) { p->m_hMenu = h; },
        [](CMenu* p) { p->m_hMenu = nullptr; });
}

void CMenu::DeleteTempMap()
{
    AfxDeleteTempMaps();
}

BOOL CMenu::CreateMenu()
{
    if (m_hMenu)
        return FALSE;
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    if (m_hMenu)
        return FALSE;
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEW(nIDResource));
}

BOOL CMenu::LoadMenu(LPCWSTR lpszResourceName)
{
    if (m_hMenu || !lpszResourceName)
        return FALSE;
    return Attach(::LoadMenuW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    if (m_hMenu || !lpMenuTemplate)
        return FALSE;
    return Attach(::LoadMenuIndirectW(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu)
        return FALSE;
    m_hMenu = hMenu;
    AfxMapPermanentHandle(AfxHandleKind::Menu, hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    if (h)
        AfxUnmapPermanentHandle(AfxHandleKind::Menu, h, this);
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return m_hMenu ? ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem) : FALSE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return m_hMenu && pBmp ? ::AppendMenuW(m_hMenu, nFlags | MF_BITMAP, nIDNewItem, BitmapItem(pBmp)) : FALSE;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return m_hMenu ? ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem) : FALSE;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    if (!m_hMenu || !pBmp)
        return FALSE;
    return ::InsertMenuW(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem, BitmapItem(pBmp));
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return m_hMenu ? ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem) : FALSE;
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    if (!m_hMenu || !pBmp)
        return FALSE;
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem, BitmapItem(pBmp));
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return m_hMenu ? ::RemoveMenu(m_hMenu, nPosition, nFlags) : FALSE;
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return m_hMenu ? ::DeleteMenu(m_hMenu, nPosition, nFlags) : FALSE;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return m_hMenu ? static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable)) : 0xFFFFFFFF;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return m_hMenu ? static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck)) : 0xFFFFFFFF;
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return m_hMenu ? ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags) : FALSE;
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked)
{
    if (!m_hMenu)
        return FALSE;
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags, BitmapOf(pBmpUnchecked), BitmapOf(pBmpChecked));
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return m_hMenu ? ::SetMenuDefaultItem(m_hMenu, uItem, fByPos) : FALSE;
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos) const
{
    return m_hMenu ? ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags) : static_cast<UINT>(-1);
}

int CMenu::GetMenuItemCount() const
{
    return m_hMenu ? ::GetMenuItemCount(m_hMenu) : -1;
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return m_hMenu ? ::GetMenuItemID(m_hMenu, nPos) : 0xFFFFFFFF;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return m_hMenu ? ::GetMenuState(m_hMenu, nID, nFlags) : 0xFFFFFFFF;
}

int CMenu::GetMenuString(UINT nIDItem, LPWSTR lpString, int nMaxCount, UINT nFlags) const
{
    if (!m_hMenu || !lpString || nMaxCount <= 0)
        return 0;
    return ::GetMenuStringW(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    rString.Empty();
    if (!m_hMenu)
        return 0;
    // Ask for the length first: item texts have no fixed limit.
    int n = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (n <= 0)
        return 0;
    n = ::GetMenuStringW(m_hMenu, nIDItem, rString.GetBuffer(n + 1), n + 1, nFlags);
    rString.ReleaseBuffer(n);
    return n;
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFOW lpMenuItemInfo, BOOL fByPos) const
{
    return m_hMenu && lpMenuItemInfo ? ::GetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo) : FALSE;
}

BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFOW lpMenuItemInfo, BOOL fByPos)
{
    return m_hMenu && lpMenuItemInfo ? ::SetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo) : FALSE;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return m_hMenu ? FromHandle(::GetSubMenu(m_hMenu, nPos)) : nullptr;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    if (!m_hMenu)
        return FALSE;
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT nFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    if (!m_hMenu)
        return FALSE;
    return ::TrackPopupMenuEx(m_hMenu, nFlags, x, y, pWnd ? pWnd->GetSafeHwnd() : nullptr, lptpm);
}
