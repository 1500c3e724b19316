#include "controls/CAttachListCtrl.h"
#include "framework/ModuleState.h"
#include "platform/QorResource/ResourceIds.h"
#include <shellapi.h>
#include <shlwapi.h>

// The view library's flat list carries no run-time class of its own: the chain names its base.
IMPLEMENT_DYNAMIC(CAttachListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CAttachListCtrl, CFlatListCtrl)
    ON_WM_DROPFILES()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// A group-icon resource from whichever module holds it: the resource module, then the program.
HICON LoadGroupIcon(UINT nId, int size)
{
    HICON hIcon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nId), IMAGE_ICON,
                                                  size, size, 0));
    if (!hIcon && AfxGetInstanceHandle() != AfxGetResourceHandle())
        hIcon = static_cast<HICON>(::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(nId), IMAGE_ICON,
                                                size, size, 0));
    return hIcon;
}

bool EndsWithBackslash(const CString& text)
{
    return !text.IsEmpty() && text[text.GetLength() - 1] == L'\\';
}

} // namespace

CAttachListCtrl::CAttachListCtrl() = default;

CAttachListCtrl::~CAttachListCtrl()
{
    m_arrAttach.RemoveAll();
    m_iconInfo.Destroy();
}

CString CAttachListCtrl::GetFileNameFromPath(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

CString CAttachListCtrl::GetFileExtension(const CString& path)
{
    const int dot = path.ReverseFind(L'.');
    return dot < 0 ? CString() : path.Mid(dot);
}

CString CAttachListCtrl::GetFolderNameFromPath(const CString& path)
{
    if (!EndsWithBackslash(path))
        return CString();
    const CString folder = path.Left(path.GetLength() - 1);
    return GetFileNameFromPath(folder) + L"\\";
}

void CAttachListCtrl::RegisterAttachStateIcons()
{
    const struct { LPCWSTR type; UINT icon; } states[] = {
        {L".Folder", IDI_ATTACH_FOLDER}, {L".Downed", IDI_ATTACH_DOWNED}, {L".Forwarded", IDI_ATTACH_FORWARDED}};
    CImageList* pNormal = m_iconInfo.GetNormalImageList();
    CImageList* pSmall = m_iconInfo.GetSmallImageList();
    for (const auto& state : states) {
        m_iconInfo.AddIconTypeToList(state.type);
        HICON hLarge = LoadGroupIcon(state.icon, 32);
        HICON hSmall = LoadGroupIcon(state.icon, 16);
        // A missing icon still takes its place, so that the indexes stay 0, 1 and 2.
        HICON hStock = ::LoadIconW(nullptr, IDI_APPLICATION);
        pNormal->Add(hLarge ? hLarge : hStock);
        pSmall->Add(hSmall ? hSmall : hStock);
        if (hLarge)
            ::DestroyIcon(hLarge);
        if (hSmall)
            ::DestroyIcon(hSmall);
    }
    for (CImageList* pList : {pNormal, pSmall}) {
        ::ImageList_SetOverlayImage(pList->GetSafeHandle(), kDownedImage, 1);
        ::ImageList_SetOverlayImage(pList->GetSafeHandle(), kForwardedImage, 2);
    }
    m_iconInfo.SetBaseIndex(kFirstTypeImage);
    if (m_hWnd) {
        SetImageList(pNormal, LVSIL_NORMAL);
        SetImageList(pSmall, LVSIL_SMALL);
    }
}

int CAttachListCtrl::ImageForText(const CString& text)
{
    if (EndsWithBackslash(text))
        return kFolderImage;
    return m_iconInfo.AddTypeIcon(GetFileExtension(text));
}

int CAttachListCtrl::AddAttachment(LPCWSTR strText, LPCWSTR strName, LPCWSTR strThird)
{
    const int row = GetItemCount();
    _ATTACH_ITEM item;
    item.strFileName = strText;
    item.strLocalPath = strName;
    item.strMsgID = strThird;
    const int image = ImageForText(item.strFileName);
    m_arrAttach.Add(item);
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, row, item.strFileName, 0, 0, image, 0);
}

int CAttachListCtrl::AddAttachmentEx(LPCWSTR strText, LPCWSTR strName, LPCWSTR strMsgID, LPCWSTR strSrcMsgID,
                                     LPCWSTR strExtra)
{
    if (!strText || !*strText)
        return -1;
    const int row = GetItemCount();
    _ATTACH_ITEM item;
    item.strFileName = strText;
    item.strLocalPath = strName;
    item.strMsgID = strMsgID;
    item.strSrcMsgID = strSrcMsgID;
    item.strExtra = strExtra;
    const int image = ImageForText(item.strFileName);
    m_arrAttach.Add(item);
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, row, item.strFileName, 0, 0, image, 0);
}

int CAttachListCtrl::AddPath(LPCWSTR strName, LPCWSTR strText)
{
    const CString name(strName), givenText(strText);
    if (name.IsEmpty() && givenText.IsEmpty())
        return -1;
    for (INT_PTR i = 0; i < m_arrAttach.GetSize(); ++i) {
        if (m_arrAttach[i].strLocalPath.CompareNoCase(name) == 0)
            return -1;
    }
    _ATTACH_ITEM item;
    item.strLocalPath = name;
    item.strFileName = givenText;
    int image;
    if (givenText.IsEmpty()) {
        if (EndsWithBackslash(name)) {
            item.strFileName = GetFolderNameFromPath(name);
            image = kFolderImage;
        } else {
            item.strFileName = GetFileNameFromPath(name);
            image = m_iconInfo.AddTypeIcon(GetFileExtension(item.strFileName));
        }
    } else {
        image = ImageForText(givenText);
    }
    m_arrAttach.Add(item);
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, GetItemCount(), item.strFileName, 0, 0, image, 0);
}

BOOL CAttachListCtrl::RemoveAll()
{
    SetRedraw(FALSE);
    const BOOL bDeleted = DeleteAllItems();
    SetRedraw(TRUE);
    if (!bDeleted)
        return FALSE;
    m_arrAttach.RemoveAll();
    return TRUE;
}

BOOL CAttachListCtrl::RemoveAttachment(int nRow)
{
    if (nRow < 0 || nRow >= GetItemCount())
        return FALSE;
    SetRedraw(FALSE);
    const BOOL bDeleted = DeleteItem(nRow);
    SetRedraw(TRUE);
    if (!bDeleted)
        return FALSE;
    if (nRow < m_arrAttach.GetSize())
        m_arrAttach.RemoveAt(nRow);
    return TRUE;
}

void CAttachListCtrl::CopyAttachments(CArray<_ATTACH_ITEM, const _ATTACH_ITEM&>& target) const
{
    target.RemoveAll();
    for (INT_PTR i = 0; i < m_arrAttach.GetSize(); ++i)
        target.Add(m_arrAttach[i]);
}

int CAttachListCtrl::AppendRecord(const _ATTACH_ITEM& item)
{
    return static_cast<int>(m_arrAttach.Add(item));
}

void CAttachListCtrl::SetAttachLocalPath(int nRow, const CString& strLocalPath)
{
    if (nRow >= 0 && nRow < m_arrAttach.GetSize())
        m_arrAttach[nRow].strLocalPath = strLocalPath;
}

void CAttachListCtrl::MarkRecord(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_arrAttach.GetSize())
        m_arrAttach[nIndex].dwWords[_ATTACH_ITEM::kMarkWord] = 1;
}

BOOL CAttachListCtrl::GetUnmarkedNames(CString& strNames) const
{
    BOOL bAny = FALSE;
    for (INT_PTR i = 0; i < m_arrAttach.GetSize(); ++i) {
        if (m_arrAttach[i].dwWords[_ATTACH_ITEM::kMarkWord] == 0) {
            strNames += m_arrAttach[i].strFileName + L";";
            bAny = TRUE;
        }
    }
    strNames.TrimRight(L';');
    return bAny;
}

BOOL CAttachListCtrl::SetRowOverlay(int nRow, int nOverlay)
{
    if (nRow < 0 || nRow >= GetItemCount() || (nOverlay != 1 && nOverlay != 2))
        return FALSE;
    return SetItemState(nRow, INDEXTOOVERLAYMASK(nOverlay), LVIS_OVERLAYMASK);
}

void CAttachListCtrl::OnDropFiles(HDROP hDropInfo)
{
    const UINT count = ::DragQueryFileW(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(hDropInfo, i, nullptr, 0);
        if (length == 0)
            continue;
        CString path;
        ::DragQueryFileW(hDropInfo, i, path.GetBuffer(static_cast<int>(length) + 1), length + 1);
        path.ReleaseBuffer();
        if (::PathIsDirectoryW(path) && !EndsWithBackslash(path))
            path += L"\\";
        AddPath(path, L"");
    }
    ::DragFinish(hDropInfo);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_ATTACH_FILES_DROPPED, 0, 0);
}

BOOL CAttachListCtrl::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, 0xFFFFFF);
    return TRUE;
}
