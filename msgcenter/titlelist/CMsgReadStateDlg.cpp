#include "msgcenter/titlelist/CMsgReadStateDlg.h"
#include "framework/CBrush.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/CUIntArray.h"
#include "msgcenter/MsgDb.h"
#include "msgcenter/titlelist/CTitleListQuery.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include <utility>
#include <vector>

BEGIN_MESSAGE_MAP(CMsgReadStateDlg, CQorDlg)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_NOTIFY(LVN_GETDISPINFOW, IDC_READSTATE_LIST, &CMsgReadStateDlg::OnGetDispInfo)
END_MESSAGE_MAP()

CMsgReadStateDlg::CMsgReadStateDlg(CWnd* pParent) : CQorDlg(IDD_MSG_READSTATE, pParent) {}

CMsgReadStateDlg::~CMsgReadStateDlg() = default;

void CMsgReadStateDlg::DoDataExchange(CDataExchange* pDX)
{
    CQorDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_READSTATE_LIST, m_list);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
}

BOOL CMsgReadStateDlg::OnInitDialog()
{
    CQorDlg::OnInitDialog();
    _Init(this);

    CQorViewMgr::Instance()->SinkWindowScrollbar(m_list.GetSafeHwnd());
    m_list.DeleteAllItems();
    while (m_list.DeleteColumn(0)) {
    }
    CUIntArray widths, bitmaps;
    CStringArray titles;
    const UINT kWidths[] = {80, 100, 135};
    const UINT kTitles[] = {0, IDS_RECEIPT_RECEIVER, IDS_RECEIPT_TIME};
    for (int i = 0; i < 3; ++i) {
        widths.Add(kWidths[i]);
        titles.Add(kTitles[i] ? CQorViewBaseFun::LoadStringW(kTitles[i]) : CString());
        bitmaps.Add(i == 0 ? IDB_HEADER_READSTATE : 0);
    }
    m_imageList.Create(IDB_MSG_ROW_ICONS, 18, 4, RGB(0xEC, 0xE9, 0xD8));
    m_list.SetImageList(&m_imageList, LVSIL_SMALL);
    m_list.InsertColumns(widths, titles, bitmaps, FALSE);
    m_list.SetListColor(0xEEDADE);
    LoadReceipts();

    m_btnClose.SetSkin(L"xButtonLogin");
    EnableTitleIcon(false);
    EnableTitleText(true);
    SetCanResize(false);
    return TRUE;
}

void CMsgReadStateDlg::LoadReceipts()
{
    CString sql;
    // The id goes in quoted: an id is ours, but a quote in it must not end the text early.
    sql.Format(L"SELECT Col_RecvName, Col_OpenDate FROM qor_Msg_Recv WHERE Col_MSGID = '%s'",
               CTitleListQuery::Quote(m_strMsgID).GetString());
    CYqRecordset rs;
    if (!rs.Open(sql, CQorViewMgr::Instance()->m_pConnect))
        return;
    std::vector<std::pair<CString, CString>> receipts; // receiver, open date
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        CString name, date;
        rs.GetValue(0, name);
        rs.GetValue(1, date);
        receipts.emplace_back(name, date);
    }
    rs.Close();
    const CString read = CQorViewBaseFun::LoadStringW(IDS_RECEIPT_READ);
    const CString unread = CQorViewBaseFun::LoadStringW(IDS_RECEIPT_UNREAD);
    // The list shows the receipts in the reverse of their order (each one on top of the
    // earlier ones).
    m_rows.clear();
    for (auto it = receipts.rbegin(); it != receipts.rend(); ++it) {
        bool opened = MsgDb::IsReceiptOpened(it->second);
        Row row;
        row.state = opened ? read : unread;
        row.icon = opened ? 1 : 2;
        row.name = it->first;
        row.time = CQorViewBaseFun::ToDefaultLocalTime(opened ? it->second : CString());
        m_rows.push_back(row);
    }
    m_list.SetItemCountEx(static_cast<int>(m_rows.size()), 0);
}

void CMsgReadStateDlg::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= m_rows.size())
        return;
    const Row& row = m_rows[static_cast<size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const CString& text = item.iSubItem == 0 ? row.state : item.iSubItem == 1 ? row.name : row.time;
        lstrcpynW(item.pszText, text, item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0)
        item.iImage = row.icon;
}

BOOL CMsgReadStateDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CMsgReadStateDlg::OnPaint()
{
    CPaintDC dc(this);
    _PaintBk(&dc);
    if (!m_list.GetSafeHwnd())
        return;
    CRect rc;
    m_list.GetWindowRect(&rc);
    ScreenToClient(&rc);
    rc.InflateRect(1, 1);
    CBrush frame(RGB(0xB3, 0xB3, 0xB3));
    dc.FrameRect(&rc, &frame);
}
