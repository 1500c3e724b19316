#include "controls/CFolderTreeCtrl.h"
#include "platform/xDUI/CResourceManager.h"

// The view library's tree carries no run-time class of its own: the chain names its base.
IMPLEMENT_DYNAMIC(CFolderTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CCoolTreeCtrl)
    ON_WM_CREATE()
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

CFolderTreeCtrl::CFolderTreeCtrl()
{
    m_nMinRowWidth = 80;
    m_crSelectedBk = 0xE0CABF;
    m_crHotBk = 0xA6E2F3;
    m_bFullRowFill = TRUE;
    m_nExtraIndent = 0;
}

CFolderTreeCtrl::~CFolderTreeCtrl() = default;

int CFolderTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CCoolTreeCtrl::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CFolderTreeCtrl::OnDropFiles(HDROP hDropInfo)
{
    CCoolTreeCtrl::OnDropFiles(hDropInfo);
}

void CFolderTreeCtrl::ApplySkinFont()
{
    if (m_font.m_hObject)
        m_font.DeleteObject();
    HFONT hSkinFont = xDuiLib::UIGetResourceManager()->GetDefaultFont();
    if (!hSkinFont)
        return;
    LOGFONTW lf = {};
    if (!::GetObjectW(hSkinFont, sizeof(lf), &lf) || !m_font.CreateFontIndirect(&lf))
        return;
    if (m_hWnd)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
}

void CFolderTreeCtrl::ClearSelectionMarks(HTREEITEM hItem)
{
    if (!hItem) {
        for (HTREEITEM hRoot = GetRootItem(); hRoot; hRoot = GetNextSiblingItem(hRoot))
            ClearSelectionMarks(hRoot);
        return;
    }
    SetItemState(hItem, 0, TVIS_SELECTED);
    for (HTREEITEM hChild = GetChildItem(hItem); hChild; hChild = GetNextSiblingItem(hChild))
        ClearSelectionMarks(hChild);
}
