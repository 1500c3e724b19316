#include "controls/CWqListCtrl.h"
#include "controls/CColumnWidthList.h"
#include "controls/CListRowSorter.h"
#include "controls/CWqListAttribItem.h"
#include "framework/CBitmap.h"
#include "framework/CWindowDC.h"
#include "framework/ModuleState.h"
#include <vector>

IMPLEMENT_DYNAMIC(CWqListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CWqListCtrl, CListCtrl)
    ON_NOTIFY(HDN_ITEMCLICKW, 0, &CWqListCtrl::OnColumnClick)
    ON_NOTIFY(HDN_ITEMCLICKA, 0, &CWqListCtrl::OnColumnClick)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CWqListCtrl::OnCustomDraw)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, &CWqListCtrl::OnDeleteItemNotify)
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

CString g_profilePath;

// The rows of a list view as the quicksort sees them.
class ListViewRows : public IListRowAccess {
public:
    ListViewRows(CListCtrl& list, int columns) : m_list(list), m_columns(columns) {}
    int GetRowCount() const override { return m_list.GetItemCount(); }
    CString GetRowText(int nRow, int nColumn) const override { return m_list.GetItemText(nRow, nColumn); }
    int GetRowImage(int nRow, int nColumn) const override
    {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = nRow;
        item.iSubItem = nColumn;
        m_list.GetItem(&item);
        return item.iImage;
    }
    void ExchangeRows(int a, int b) override
    {
        for (int column = 0; column < m_columns; ++column) {
            const CString textA = m_list.GetItemText(a, column);
            const CString textB = m_list.GetItemText(b, column);
            const int imageA = GetRowImage(a, column);
            const int imageB = GetRowImage(b, column);
            SetCell(a, column, textB, imageB);
            SetCell(b, column, textA, imageA);
        }
        const DWORD_PTR dataA = m_list.GetItemData(a);
        m_list.SetItemData(a, m_list.GetItemData(b));
        m_list.SetItemData(b, dataA);
    }

private:
    void SetCell(int nRow, int nColumn, const CString& text, int nImage)
    {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = nRow;
        item.iSubItem = nColumn;
        item.pszText = const_cast<LPWSTR>(text.GetString());
        item.iImage = nImage;
        m_list.SetItem(&item);
    }

    CListCtrl& m_list;
    int m_columns;
};

// Resources come from the resource module, then from the program itself.
HBITMAP LoadBitmapResource(UINT nId)
{
    HBITMAP hBitmap = ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nId));
    if (!hBitmap)
        hBitmap = ::LoadBitmapW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(nId));
    return hBitmap;
}

} // namespace

CWqListCtrl::CWqListCtrl() = default;

CWqListCtrl::~CWqListCtrl()
{
    for (POSITION pos = m_listHeaderBitmaps.GetHeadPosition(); pos;)
        delete static_cast<CBitmap*>(m_listHeaderBitmaps.GetNext(pos));
    m_listHeaderBitmaps.RemoveAll();
    for (POSITION pos = m_listAttribs.GetHeadPosition(); pos;)
        delete static_cast<CWqListAttribItem*>(m_listAttribs.GetNext(pos));
    m_listAttribs.RemoveAll();
}

void CWqListCtrl::SetProfilePath(LPCWSTR lpszPath)
{
    g_profilePath = lpszPath ? lpszPath : L"";
}

CString CWqListCtrl::GetProfilePath()
{
    if (!g_profilePath.IsEmpty())
        return g_profilePath;
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString text(path);
    const int dot = text.ReverseFind(L'.');
    if (dot > text.ReverseFind(L'\\'))
        text.Truncate(dot);
    return text + L".ini";
}

CString CWqListCtrl::ReadProfileString(LPCWSTR lpszSection, LPCWSTR lpszKey) const
{
    wchar_t buffer[1024] = {};
    ::GetPrivateProfileStringW(lpszSection, lpszKey, L"", buffer, 1024, GetProfilePath());
    return buffer;
}

void CWqListCtrl::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszValue) const
{
    ::WritePrivateProfileStringW(lpszSection, lpszKey, lpszValue, GetProfilePath());
}

// ---------------------------------------------------------------------------------------------
// Set-up

void CWqListCtrl::SetColumnSettingKey(LPCWSTR lpszSection, LPCWSTR lpszKey)
{
    m_strSection = lpszSection;
    m_strKey = lpszKey;
    m_bSaveWidths = TRUE;
}

void CWqListCtrl::AddExtendedStyle(DWORD dwBits)
{
    SetExtendedStyle(GetExtendedStyle() | dwBits);
}

void CWqListCtrl::SetFullRowSelect(BOOL bOn)
{
    const DWORD style = GetExtendedStyle();
    SetExtendedStyle(bOn ? (style | LVS_EX_FULLROWSELECT) : (style & ~LVS_EX_FULLROWSELECT));
}

void CWqListCtrl::SetHeaderBkColor(COLORREF color)
{
    m_header.SetBkColor(color);
}

BOOL CWqListCtrl::InitHeader()
{
    if (m_header.m_hWnd)
        return TRUE;
    HWND hHeader = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, LVM_GETHEADER, 0, 0));
    if (!hHeader)
        return FALSE;
    if (!m_header.SubclassWindow(hHeader))
        return FALSE;
    if (m_bNormalHeaderFont)
        m_header.SetHeaderFont(FALSE);
    SetColumnSettingKey(L"Settings", L"Control");
    return TRUE;
}

void CWqListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    InitHeader();
}

int CWqListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A list created in report view has its header now; other views make it later, when the
    // first column arrives, and InsertColumns subclasses it then.
    if (!InitHeader() && (GetStyle() & LVS_TYPEMASK) == LVS_REPORT)
        return -1;
    return 0;
}

void CWqListCtrl::OnDestroy()
{
    if (m_bSaveWidths)
        SaveColumnWidths();
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row)
        FreeItemData(row);
    CListCtrl::OnDestroy();
}

// ---------------------------------------------------------------------------------------------
// Columns

BOOL CWqListCtrl::InsertColumns(const CUIntArray& widths, const CStringArray& titles, const CUIntArray& bitmaps,
                                BOOL bRestore)
{
    for (INT_PTR i = 0; i < titles.GetSize(); ++i) {
        const int width = i < widths.GetSize() ? static_cast<int>(widths[i]) : 100;
        InsertColumn(static_cast<int>(i), titles[i], LVCFMT_LEFT, width, static_cast<int>(i));
    }
    InitHeader();
    for (INT_PTR i = 0; i < titles.GetSize(); ++i) {
        if (i < bitmaps.GetSize() && bitmaps[i] > 0)
            SetHeaderBitmap(static_cast<int>(i), bitmaps[i], HDF_STRING);
    }
    if (bRestore && m_bSaveWidths)
        RestoreColumnWidths();
    return TRUE;
}

BOOL CWqListCtrl::InsertColumnsFromResources(int nCount, const UINT* pWidths, const UINT* pStringIds, BOOL bRestore)
{
    CUIntArray widths, bitmaps;
    CStringArray titles;
    for (int i = 0; i < nCount && pWidths && pStringIds; ++i) {
        CString title;
        title.LoadString(pStringIds[i]);
        titles.Add(title);
        widths.Add(pWidths[i]);
    }
    return InsertColumns(widths, titles, bitmaps, bRestore);
}

void CWqListCtrl::AddColumnDef(LPCWSTR lpszTitle, UINT nWidth, UINT nBitmapId, LPCWSTR lpszKey)
{
    m_arrColumnTitles.Add(lpszTitle ? lpszTitle : L"");
    m_arrColumnWidths.Add(nWidth);
    m_arrHeaderBitmapIds.Add(nBitmapId);
    m_arrColumnKeys.Add(lpszKey ? lpszKey : L"");
}

void CWqListCtrl::CreateColumns()
{
    if (m_nImageBitmapId) {
        HBITMAP hBitmap = LoadBitmapResource(m_nImageBitmapId);
        if (hBitmap) {
            CBitmap bitmap;
            bitmap.Attach(hBitmap);
            m_imageList.DeleteImageList();
            if (m_imageList.Create(m_nImageWidth, m_nImageHeight, ILC_COLOR24 | ILC_MASK, 0, 1)) {
                m_imageList.Add(&bitmap, m_crImageMask);
                SetImageList(&m_imageList, LVSIL_SMALL);
            }
        }
    }
    InsertColumns(m_arrColumnWidths, m_arrColumnTitles, m_arrHeaderBitmapIds, FALSE);
}

BOOL CWqListCtrl::SetHeaderBitmap(int nColumn, UINT nBitmapId, int nFormatClear)
{
    if (!m_header.m_hWnd)
        return FALSE;
    HBITMAP hBitmap = LoadBitmapResource(nBitmapId);
    if (!hBitmap)
        return FALSE;
    CBitmap* pBitmap = new CBitmap;
    pBitmap->Attach(hBitmap);
    m_listHeaderBitmaps.AddTail(pBitmap);

    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    m_header.GetItem(nColumn, &item);
    item.mask = HDI_FORMAT | HDI_BITMAP;
    item.fmt = (item.fmt | HDF_BITMAP) & ~nFormatClear;
    item.hbm = hBitmap;
    return m_header.SetItem(nColumn, &item);
}

void CWqListCtrl::SaveColumnWidths()
{
    if (!m_header.m_hWnd)
        return;
    std::vector<int> widths;
    const int count = m_header.GetItemCount();
    for (int i = 0; i < count; ++i)
        widths.push_back(GetColumnWidth(i));
    WriteProfileString(m_strSection, m_strKey, CColumnWidthList::Format(widths));
}

void CWqListCtrl::RestoreColumnWidths()
{
    const int count = m_header.m_hWnd ? m_header.GetItemCount() : 0;
    for (int i = 0; i < count; ++i)
        RestoreColumnWidth(i);
}

void CWqListCtrl::RestoreColumnWidth(int nColumn)
{
    const int width = CColumnWidthList::GetWidth(ReadProfileString(m_strSection, m_strKey), nColumn);
    if (width == 0)
        return;
    if (width < 7)
        AutoSizeColumn(nColumn);
    else
        SetColumnWidth(nColumn, width);
}

void CWqListCtrl::AutoSizeColumn(int nColumn)
{
    SetRedraw(FALSE);
    SetColumnWidth(nColumn, LVSCW_AUTOSIZE);
    const int content = GetColumnWidth(nColumn);
    SetColumnWidth(nColumn, LVSCW_AUTOSIZE_USEHEADER);
    const int withTitle = GetColumnWidth(nColumn);
    int width = content > withTitle ? content : withTitle;
    if (width < 7)
        width = 7;
    if (width > 700)
        width = 700;
    SetColumnWidth(nColumn, width);
    SetRedraw(TRUE);
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Rows

void CWqListCtrl::FreeItemData(int nRow)
{
    wchar_t* pText = reinterpret_cast<wchar_t*>(GetItemData(nRow));
    if (pText) {
        // Cleared first, so that the deletion notification that may follow finds nothing.
        SetItemData(nRow, 0);
        delete[] pText;
    }
}

BOOL CWqListCtrl::SetItemDataString(int nRow, LPCWSTR lpszText)
{
    if (nRow < 0 || nRow >= GetItemCount())
        return FALSE;
    const size_t length = lpszText ? wcslen(lpszText) : 0;
    wchar_t* pCopy = new wchar_t[length + 1];
    if (length)
        wmemcpy(pCopy, lpszText, length);
    pCopy[length] = 0;
    wchar_t* pOld = reinterpret_cast<wchar_t*>(GetItemData(nRow));
    if (!SetItemData(nRow, reinterpret_cast<DWORD_PTR>(pCopy))) {
        delete[] pCopy;
        return FALSE;
    }
    delete[] pOld;
    return TRUE;
}

CString CWqListCtrl::GetItemDataText(int nRow) const
{
    if (nRow < 0 || nRow >= GetItemCount())
        return CString();
    const wchar_t* pText = reinterpret_cast<const wchar_t*>(GetItemData(nRow));
    return pText ? CString(pText) : CString();
}

BOOL CWqListCtrl::DeleteItem(int nRow)
{
    if (nRow >= 0 && nRow < GetItemCount())
        FreeItemData(nRow);
    return CListCtrl::DeleteItem(nRow);
}

BOOL CWqListCtrl::DeleteAllItems()
{
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row)
        FreeItemData(row);
    return CListCtrl::DeleteAllItems();
}

BOOL CWqListCtrl::OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Rows deleted past DeleteItem (by a plain LVM_DELETEITEM) still give their text back.
    NMLISTVIEW* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (pInfo && pInfo->lParam)
        delete[] reinterpret_cast<wchar_t*>(pInfo->lParam);
    *pResult = 0;
    return FALSE;
}

int CWqListCtrl::AppendItem(LPCWSTR lpszText)
{
    return InsertItem(GetItemCount(), lpszText);
}

CString CWqListCtrl::GetItemTextByKey(int nRow, LPCWSTR lpszKey) const
{
    for (INT_PTR i = 0; i < m_arrColumnKeys.GetSize(); ++i) {
        if (m_arrColumnKeys[i] == lpszKey)
            return GetItemText(nRow, static_cast<int>(i));
    }
    return CString();
}

void CWqListCtrl::SelectAndShow(int nRow)
{
    if (nRow < 0 || nRow >= GetItemCount())
        return;
    SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(nRow, FALSE);
}

int CWqListCtrl::GetSelectedItem() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

void CWqListCtrl::ClearSelection()
{
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

void CWqListCtrl::AddRowBkColor(int nRow, COLORREF color)
{
    m_listAttribs.AddTail(new CWqListAttribItem(CWqListAttribItem::kRowBkColor, nRow, color));
    m_bRowColors = TRUE;
}

void CWqListCtrl::AddRowTextColor(int nRow, COLORREF color)
{
    m_listAttribs.AddTail(new CWqListAttribItem(CWqListAttribItem::kRowTextColor, nRow, color));
}

COLORREF CWqListCtrl::GetRowColor(int nKind, int nRow, COLORREF crDefault) const
{
    for (POSITION pos = m_listAttribs.GetHeadPosition(); pos;) {
        const CWqListAttribItem* pItem = static_cast<const CWqListAttribItem*>(m_listAttribs.GetNext(pos));
        if (pItem->Matches(nKind, nRow))
            return pItem->GetColor();
    }
    return crDefault;
}

// ---------------------------------------------------------------------------------------------
// Sorting

BOOL CWqListCtrl::SortItemsByText(int nColumn, BOOL bAscending, int nLow, int nHigh)
{
    const int columns = m_header.m_hWnd ? m_header.GetItemCount() : 0;
    if (nColumn < 0 || nColumn >= columns)
        return FALSE;
    ListViewRows rows(*this, columns);
    return CListRowSorter::SortByText(rows, nColumn, bAscending, nLow, nHigh);
}

BOOL CWqListCtrl::SortItemsByImage(int nColumn, BOOL bAscending, int nLow, int nHigh)
{
    const int columns = m_header.m_hWnd ? m_header.GetItemCount() : 0;
    if (nColumn < 0 || nColumn >= columns)
        return FALSE;
    ListViewRows rows(*this, columns);
    return CListRowSorter::SortByImage(rows, nColumn, bAscending, nLow, nHigh);
}

void CWqListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMHEADERW* pHeader = reinterpret_cast<const NMHEADERW*>(pNMHDR);
    if (!pHeader || pHeader->iButton != 0 || !m_bSortingEnabled)
        return;
    const int column = pHeader->iItem;
    m_bAscending = column == m_nSortColumn ? !m_bAscending : TRUE;
    m_nSortColumn = column;

    if (m_bOwnerSorted) {
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_LIST_SORT_COLUMN, static_cast<WPARAM>(column), m_bAscending ? 0 : 1);
    } else {
        wchar_t title[257] = {};
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = title;
        item.cchTextMax = 256;
        m_header.GetItem(column, &item);
        if (title[0])
            SortItemsByText(column, m_bAscending, 0, -1);
        else
            SortItemsByImage(column, m_bAscending, 0, -1);
    }
    m_header.SetSortArrow(column, m_bAscending);
}

// ---------------------------------------------------------------------------------------------
// Painting

void CWqListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        pDraw->clrText = GetRowColor(CWqListAttribItem::kRowTextColor, static_cast<int>(pDraw->nmcd.dwItemSpec), 0);
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        pDraw->clrTextBk =
            GetRowColor(CWqListAttribItem::kRowBkColor, static_cast<int>(pDraw->nmcd.dwItemSpec), 0xFFFFFF);
        *pResult = CDRF_DODEFAULT;
        break;
    default:
        break;
    }
}

BOOL CWqListCtrl::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, 0xFFFFFF);
    if (m_bRowColors) {
        const int top = GetTopIndex();
        const int count = GetItemCount();
        for (int i = 0; i <= GetCountPerPage() && top + i < count; ++i) {
            const int row = top + i;
            CRect rc, next;
            if (!GetItemRect(row, &rc, LVIR_BOUNDS))
                continue;
            int bottom = rc.bottom;
            if (row + 1 < count && GetItemRect(row + 1, &next, LVIR_BOUNDS))
                bottom = next.top;
            CRect band(client.left, rc.top, client.right, bottom);
            pDC->FillSolidRect(&band, GetRowColor(CWqListAttribItem::kRowBkColor, row, 0xFFFFFF));
        }
    }
    return FALSE;
}

void CWqListCtrl::OnNcPaint()
{
    Default();
    CWindowDC dc(this);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    CRect frame(client.left - 1, client.top - 1, client.right + 1, client.bottom + 1);
    CBrush brush(m_crFrame);
    dc.FrameRect(&frame, &brush);
}
