#include "msgcenter/content/CQorMsgContentDlg.h"
#include "common/CBaseFun.h"
#include "msgcenter/CSenderChat.h"
#include "framework/CDataExchange.h"
#include "framework/CMenu.h"
#include "framework/CPaintDC.h"
#include "framework/CPen.h"
#include "framework/FormatString.h"
#include "msgcenter/CMsgBodyText.h"
#include "msgcenter/titlelist/CMsgReadStateDlg.h"
#include "msgcenter/titlelist/CTitleListQuery.h"
#include "msgcenter/content/IMsgContentOwner.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/FileClient/FileClientApi.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorUtils/CQorStrUtils.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/QorView/QorViewMessages.h"
#include <shellapi.h>

namespace {

UINT FileClientNotifyMessage()
{
    static const UINT s_message = ::RegisterWindowMessageW(FILECLIENT_NOTIFY_MESSAGE);
    return s_message;
}

CYqConnect* Connection() { return CQorViewMgr::Instance()->m_pConnect; }

CRect ChildRect(CWnd* pParent, CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    return rc;
}

// Moves the child, keeping its size, so that its right edge is at nRight; returns its left edge.
int PlaceLeftOf(CWnd* pParent, CWnd& child, int nRight)
{
    CRect rc = ChildRect(pParent, child);
    const int width = rc.Width();
    rc.right = nRight;
    rc.left = nRight - width;
    child.MoveWindow(&rc);
    return rc.left;
}

} // namespace

BEGIN_MESSAGE_MAP(CQorMsgContentDlg, CDialog)
    ON_NOTIFY(EN_LINK, IDC_CONTENT_TEXT, &CQorMsgContentDlg::OnLinkClick)
    ON_NOTIFY(NM_DBLCLK, IDC_CONTENT_ATTACH, &CQorMsgContentDlg::OnAttachDblClk)
    ON_NOTIFY(NM_RCLICK, IDC_CONTENT_ATTACH, &CQorMsgContentDlg::OnAttachRClick)
    ON_NOTIFY(LVN_BEGINDRAG, IDC_CONTENT_ATTACH, &CQorMsgContentDlg::OnAttachBeginDrag)
    ON_COMMAND(ID_ATTACH_OPEN, &CQorMsgContentDlg::OnAttachOpen)
    ON_COMMAND(ID_ATTACH_OPEN_FOLDER, &CQorMsgContentDlg::OnOpenAttachFolder)
    ON_COMMAND(ID_ATTACH_SAVE_AS, &CQorMsgContentDlg::OnAttachSaveAs)
    ON_COMMAND(ID_ATTACH_FORWARD, &CQorMsgContentDlg::OnForwardAttachment)
    ON_COMMAND_RANGE(ID_RECENT_CONTACT_FIRST, ID_RECENT_CONTACT_LAST, &CQorMsgContentDlg::OnSendAttachToContact)
    ON_COMMAND(ID_PRINT_MESSAGE, &CQorMsgContentDlg::OnPrintMessage)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_MESSAGE(WM_QORVIEW_ATTACH_DONE, &CQorMsgContentDlg::OnAttachDownloaded)
    ON_MESSAGE(WM_QORVIEW_ATTACH_FAILED, &CQorMsgContentDlg::OnAttachDownloadFailed)
    ON_MESSAGE(WM_QORVIEW_SKIN_CLICK, &CQorMsgContentDlg::OnSkinNotify)
    ON_MESSAGE(WM_MSGCENTER_RICHEDIT_MENU, &CQorMsgContentDlg::OnTextMenu)
    ON_REGISTERED_MESSAGE(FileClientNotifyMessage(), &CQorMsgContentDlg::OnFileClientNotify)
END_MESSAGE_MAP()

CQorMsgContentDlg::CQorMsgContentDlg(CWnd* pParent) : CDialog(IDD_MSG_CONTENT, pParent), m_attach(this)
{
    // The template's text view is a rich edit: its library must be there before the window.
    CRichEditCtrl::LoadRichEdit();
}

CQorMsgContentDlg::~CQorMsgContentDlg() = default;

void CQorMsgContentDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONTENT_TEXT, m_richText);
    DDX_Control(pDX, IDC_CONTENT_RECEIVERS, m_receivers);
    DDX_Control(pDX, IDC_CONTENT_ATTACH, m_attachList);
    DDX_Control(pDX, IDC_LINK_CONVERSATION, m_linkConversation);
    DDX_Control(pDX, IDC_LINK_REPLY, m_linkReply);
    DDX_Control(pDX, IDC_LINK_WRITE, m_linkWrite);
    DDX_Control(pDX, IDC_LINK_READSTATE, m_linkReadState);
}

BOOL CQorMsgContentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);

    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->SinkWindowScrollbar(m_richText.GetSafeHwnd());
    pMgr->SinkWindowScrollbar(m_attachList.GetSafeHwnd());
    m_richText.SetBorderColor(0xFFFFFF);
    DWORD mask = static_cast<DWORD>(m_richText.SendMessage(EM_GETEVENTMASK));
    m_richText.SendMessage(EM_SETEVENTMASK, 0, mask | ENM_LINK);
    m_richText.SendMessage(EM_AUTOURLDETECT, TRUE, 0);
    m_richText.SetWindowText(L"");
    m_richText.SendMessage(EM_EXLIMITTEXT, 0, 0xFFFFFF);

    m_attachList.RegisterAttachStateIcons();

    if (m_receivers.GetSafeHwnd()) {
        CString text;
        text.Format(L"%s", CQorViewBaseFun::LoadStringW(IDS_MSG_TO).GetString());
        m_receivers.SetWindowText(text);
        m_receivers.SetDblClickTarget(this);
        m_receivers.SetBkColor(0xFFFFFF);
        m_receivers.SetMargins(6, 8);
    }
    for (CQorHyperLink* link : {&m_linkConversation, &m_linkReply, &m_linkWrite, &m_linkReadState}) {
        link->SetOwner(this);
        link->SetColors(0xE18610, 0xE18610);
        link->SetUnderline(TRUE);
    }

    if (m_tooltip.Create(this, 0)) {
        m_tooltip.SetMaxTipWidth(600);
        m_tooltip.AddTool(&m_receivers, L"");
        m_tooltip.Activate(TRUE);
    }
    return TRUE;
}

BOOL CQorMsgContentDlg::DestroyWindow()
{
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->UnSinkWindowScrollbar(m_richText.GetSafeHwnd());
    pMgr->UnSinkWindowScrollbar(m_attachList.GetSafeHwnd());
    return CDialog::DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// Layout and drawing

void CQorMsgContentDlg::LayoutControls()
{
    if (!m_richText.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    bool attachVisible = m_attachList.GetSafeHwnd() && m_attachList.IsWindowVisible();

    CRect text = ChildRect(this, m_richText);
    text.left = 0;
    text.right = attachVisible ? client.right - 101 : client.right;
    text.bottom = client.bottom;
    m_richText.MoveWindow(&text);

    // The action links stand at the right, right to left; the receivers line takes what is left.
    int edge = PlaceLeftOf(this, m_linkReadState, client.right - 6);
    edge = PlaceLeftOf(this, m_linkReply, edge - 6);
    edge = PlaceLeftOf(this, m_linkWrite, edge - 6);

    CRect label = ChildRect(this, m_receivers);
    if (m_bFromSearch)
        label.right = PlaceLeftOf(this, m_linkConversation, edge - 11) - 9;
    else
        label.right = edge - 9;
    m_receivers.MoveWindow(&label);

    CRect attach = ChildRect(this, m_attachList);
    attach.left = client.right - 98;
    attach.right = client.right;
    attach.bottom = client.bottom;
    m_attachList.MoveWindow(&attach);
    Invalidate();
}

void CQorMsgContentDlg::ShowAttachList(bool bShow)
{
    if (!m_attachList.GetSafeHwnd() || !m_richText.GetSafeHwnd())
        return;
    bool visible = m_attachList.IsWindowVisible() != FALSE;
    if (bShow == visible)
        return;
    CRect text = ChildRect(this, m_richText);
    CRect attach = ChildRect(this, m_attachList);
    text.right = bShow ? attach.left - 3 : attach.right;
    m_richText.MoveWindow(&text);
    m_attachList.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    Invalidate();
}

void CQorMsgContentDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayoutControls();
}

void CQorMsgContentDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    DrawParentBackground(this, &dc);
    dc.FillSolidRect(&client, 0xFFFFFF);
    if (!m_richText.GetSafeHwnd())
        return;
    CRect text = ChildRect(this, m_richText);
    CPen pen(PS_SOLID, 1, RGB(179, 186, 192));
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(0, text.top - 1);
    dc.LineTo(client.right, text.top - 1);
    dc.SelectObject(old);
}

BOOL CQorMsgContentDlg::OnEraseBkgnd(CDC*) { return TRUE; }

// ---------------------------------------------------------------------------------------------
// Showing a message

void CQorMsgContentDlg::ClearMessageContent()
{
    if (m_receivers.GetSafeHwnd()) {
        m_receivers.ShowWindow(SW_SHOW);
        m_receivers.SetWindowText(CQorViewBaseFun::LoadStringW(IDS_MSG_TO));
    }
    m_strTooltip.Empty();
    // A cleared pane shows no message, so the links must not act on the one it showed (it may
    // just have been deleted).
    m_strMsgID.Empty();
    if (m_richText.GetSafeHwnd())
        m_richText.SetWindowText(L"");
    if (m_attachList.GetSafeHwnd())
        m_attachList.RemoveAll();
    ShowAttachList(false);
}

void CQorMsgContentDlg::ShowMessageContent(CString strMsgID, CString strSenderName, CString strSendDate,
                                           CString strReceivers, bool bHasAttach, int nFlags, bool bFromSearch)
{
    ClearMessageContent();
    if (strReceivers.GetLength() > kMaxReceiverChars)
        strReceivers = strReceivers.Left(kMaxReceiverChars) + L"...";
    if (strMsgID.IsEmpty())
        return;
    m_strMsgID = strMsgID;
    m_bFromSearch = bFromSearch ? 1 : 0;
    if (m_linkConversation.GetSafeHwnd())
        m_linkConversation.ShowWindow(bFromSearch ? SW_SHOW : SW_HIDE);
    LayoutControls();

    CString sql;
    sql.Format(L"SELECT Col_ContentType, Col_ContentSize, Col_Content FROM qor_Msg_Content \t\t\t\t\t\tWHERE Col_MSGID = '%s'",
               CTitleListQuery::Quote(m_strMsgID).GetString());
    CYqRecordset rs;
    if (!rs.Open(sql, Connection()))
        return;
    CString contentType;
    const char* content = "";
    rs.MoveFirst();
    if (!rs.IsEOF()) {
        int size = 0;
        rs.GetValue(0, contentType);
        rs.GetValue(1, size);
        content = rs.GetChunkAsciiChar(2);
    }

    m_strSendDate = CQorViewBaseFun::ToDefaultLocalTime(strSendDate);
    m_strSenderName = strSenderName;
    m_strReceivers = strReceivers;
    if (m_receivers.GetSafeHwnd()) {
        CString text;
        text.Format(L"%s %s", CQorViewBaseFun::LoadStringW(IDS_MSG_TO).GetString(), strReceivers.GetString());
        m_receivers.SetWindowText(text);
        m_strTooltip = strReceivers;
        m_receivers.ShowWindow(SW_SHOW);
    }
    ShowBody(contentType, content, nFlags);
    rs.Close();
    if (m_receivers.GetSafeHwnd())
        m_receivers.Invalidate();
    ShowAttachments(bHasAttach, nFlags);
}

void CQorMsgContentDlg::ShowBody(const CString& strContentType, const char* pszContent, int& nFlags)
{
    if (!m_richText.GetSafeHwnd())
        return;
    if (strContentType == L"Text/Rtf") {
        m_richText.SetRTFEx(CString(pszContent), (nFlags & kRtfNoEmoticons) == 0);
    } else if (strContentType == L"Text/Ktf") {
        CString body(CQorStrUtils::UTF8ToString(pszContent, static_cast<int>(strlen(pszContent))).GetString());
        m_richText.SetWindowText(CMsgBodyText::KtfToDisplayText(body, nFlags));
    } else {
        CString text;
        CQorViewBaseFun::UTF8ToString(pszContent, text);
        m_richText.SetWindowText(text);
    }
    m_richText.ShowWindow(SW_SHOW);
}

void CQorMsgContentDlg::ShowAttachments(bool bHasAttach, int nFlags)
{
    bool inlinePictures = (nFlags & kInlinePictures) != 0;
    if (!inlinePictures && !bHasAttach) {
        ShowAttachList(false);
        return;
    }
    CString sql;
    sql.Format(L"SELECT Col_FileName, Col_LocalPath FROM qor_Msg_Attach WHERE Col_MSGID = '%s'",
               CTitleListQuery::Quote(m_strMsgID).GetString());
    CYqRecordset rs;
    if (!rs.Open(sql, Connection())) {
        ShowAttachList(false);
        return;
    }
    bool pictureShown = false;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        CString name, path;
        rs.GetValue(0, name);
        rs.GetValue(1, path);
        if (inlinePictures && !pictureShown && !path.IsEmpty()) {
            m_richText.InsertImgFile(path);
            pictureShown = true;
            continue;
        }
        // Without inline pictures every attachment is listed; with them, the ones not yet on
        // disk stay in the list so they can still be downloaded.
        if (!inlinePictures || path.IsEmpty())
            m_attachList.AddAttachment(name, path, m_strMsgID);
    }
    rs.Close();
    ShowAttachList(m_attachList.GetItemCount() > 0);
}

// ---------------------------------------------------------------------------------------------
// Links, menus, commands

void CQorMsgContentDlg::ShellOpen(const CString& strFile, const CString& strParameters)
{
    ::ShellExecuteW(nullptr, strParameters.IsEmpty() ? L"open" : nullptr, strFile,
                    strParameters.IsEmpty() ? nullptr : strParameters.GetString(), nullptr, SW_SHOWNORMAL);
}

void CQorMsgContentDlg::OnLinkClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* link = reinterpret_cast<ENLINK*>(pNMHDR);
    if (link->msg != WM_LBUTTONDOWN)
        return;
    CHARRANGE old = {};
    m_richText.SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&old));
    m_richText.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&link->chrg));
    CString url;
    m_richText.GetTextRange(link->chrg.cpMin, link->chrg.cpMax, url);
    m_richText.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&old));
    // A received message is not trusted: only web and mail addresses are opened; anything else
    // (a file, a program, a script) is only shown.
    if (CBaseFun::IsOpenableLink(url)) {
        ShellOpen(url, CString());
        return;
    }
    CString text;
    AfxFormatString1(text, IDS_LINK_NOT_OPENED, url);
    QorMessageBox(text, CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION), this, MB_OK, MB_ICONWARNING);
}

LRESULT CQorMsgContentDlg::OnTextMenu(WPARAM, LPARAM lParam)
{
    const POINT* pt = reinterpret_cast<const POINT*>(lParam);
    return ShowTextMenu(pt ? CPoint(pt->x, pt->y) : CPoint(0, 0));
}

LRESULT CQorMsgContentDlg::ShowTextMenu(CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_TEXT))
        return 0;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return 0;
    for (UINT id : {ID_TEXT_UNDO, ID_TEXT_PASTE, ID_TEXT_CUT, ID_TEXT_DELETE})
        pPopup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    CHARRANGE sel = {};
    m_richText.SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    if (sel.cpMin == sel.cpMax)
        pPopup->EnableMenuItem(ID_TEXT_COPY, MF_BYCOMMAND | MF_GRAYED);
    CHARRANGE all = {0, -1};
    m_richText.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    m_richText.SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&all));
    m_richText.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    if (sel.cpMin == 0 && sel.cpMax == all.cpMax)
        pPopup->EnableMenuItem(ID_TEXT_SELECT_ALL, MF_BYCOMMAND | MF_GRAYED);
    pPopup->TrackPopupMenu(0, point.x, point.y, this);
    menu.DestroyMenu();
    return 0;
}

BOOL CQorMsgContentDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (::GetFocus() == m_richText.GetSafeHwnd()) {
        if (LOWORD(wParam) == ID_TEXT_COPY)
            m_richText.Copy();
        else if (LOWORD(wParam) == ID_TEXT_SELECT_ALL)
            m_richText.SetSel(0, -1);
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CQorMsgContentDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam && m_richText.GetSafeHwnd() &&
        reinterpret_cast<NMHDR*>(lParam)->idFrom == IDC_CONTENT_TEXT)
        m_richText.SendMessage(message, wParam, lParam);
    return CDialog::DefWindowProc(message, wParam, lParam);
}

BOOL CQorMsgContentDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_tooltip.GetSafeHwnd() && m_receivers.GetSafeHwnd() &&
        (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP)) {
        CRect rc;
        m_receivers.GetWindowRect(&rc);
        if (!rc.PtInRect(pMsg->pt)) {
            m_tooltip.Activate(FALSE);
        } else if (!m_tooltip.IsWindowVisible()) {
            m_tooltip.Activate(TRUE);
            m_tooltip.UpdateTipText(m_strTooltip, &m_receivers);
            m_tooltip.RelayEvent(pMsg);
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CQorMsgContentDlg::OnPrintMessage()
{
    CASRichEdit print;
    CRect rc(-200, -200, -100, -100);
    if (!print.Create(0x40A00844, rc, this, IDC_HIDDEN_RICHEDIT))
        return;
    CString header;
    header.Format(L"Date:%s From:%s To:%s\r\n", m_strSendDate.GetString(), m_strSenderName.GetString(),
                  m_strReceivers.GetString());
    print.AppendRTF(header, false, CString());
    print.AppendRTF(m_richText.GetRTF(), true, L"Text/Rtf");
    CQorViewMgr::Instance()->PrintRichEditContent(&print);
    print.DestroyWindow();
}

LRESULT CQorMsgContentDlg::OnSkinNotify(WPARAM wParam, LPARAM)
{
    HWND hLink = reinterpret_cast<HWND>(wParam);
    if (hLink == m_linkConversation.GetSafeHwnd())
        ShowConversation();
    else if (hLink == m_linkReply.GetSafeHwnd())
        ReplyByChat();
    else if (hLink == m_linkWrite.GetSafeHwnd())
        WriteToRecipients();
    else if (hLink == m_linkReadState.GetSafeHwnd())
        ShowReadState();
    return 1;
}

// ---------------------------------------------------------------------------------------------
// The message actions

void CQorMsgContentDlg::ShowConversation()
{
    if (m_strMsgID.IsEmpty())
        return;
    CString sql;
    sql.Format(L"SELECT Col_Sender, Col_SendDate, Col_RecvLogin, Col_MsgFolder FROM qor_Msg WHERE Col_ID = '%s'",
               CTitleListQuery::Quote(m_strMsgID).GetString());
    CYqRecordset rs;
    if (!rs.Open(sql, Connection()))
        return;
    CString sender, date, receiver;
    int folder = 0;
    rs.MoveFirst();
    if (!rs.IsEOF()) {
        rs.GetValue(0, sender);
        rs.GetValue(1, date);
        rs.GetValue(2, receiver);
        rs.GetValue(3, folder);
    }
    rs.Close();
    if (!m_pOwner)
        return;
    if (folder == 2)
        m_pOwner->ShowContactHistory(m_strMsgID, date, receiver);
    else if (folder == 1)
        m_pOwner->ShowContactHistory(m_strMsgID, date, sender);
}

void CQorMsgContentDlg::ReplyByChat() { CSenderChat::Open(m_strMsgID); }

void CQorMsgContentDlg::WriteToRecipients()
{
    if (m_strMsgID.IsEmpty())
        return;
    CString sql;
    sql.Format(L"SELECT Col_RecvLogin FROM qor_Msg WHERE Col_ID = '%s'", CTitleListQuery::Quote(m_strMsgID).GetString());
    CYqRecordset rs;
    if (!rs.Open(sql, Connection()))
        return;
    CString receivers;
    rs.MoveFirst();
    if (!rs.IsEOF())
        rs.GetValue(0, receivers);
    rs.Close();
    if (!receivers.IsEmpty())
        CQorViewMgr::Instance()->NewSendMsg(receivers, m_strMsgID, 1, 0, CString(), CString(), 0, false);
}

bool CQorMsgContentDlg::ShownMessageExists() const
{
    if (m_strMsgID.IsEmpty())
        return false;
    CString sql;
    sql.Format(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = '%s'", CTitleListQuery::Quote(m_strMsgID).GetString());
    CYqRecordset rs;
    int count = 0;
    if (rs.Open(sql, Connection())) {
        rs.MoveFirst();
        if (!rs.IsEOF())
            rs.GetValue(0, count);
        rs.Close();
    }
    return count > 0;
}

void CQorMsgContentDlg::ShowReadState()
{
    if (!ShownMessageExists())
        return;
    CMsgReadStateDlg dlg(this);
    dlg.SetMsgID(m_strMsgID);
    dlg.DoModal();
}

// ---------------------------------------------------------------------------------------------
// Attachment handlers: forwarders

void CQorMsgContentDlg::OnAttachDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_attach.OnAttachOpen();
}

void CQorMsgContentDlg::OnAttachRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_attach.OnAttachRClick();
}

void CQorMsgContentDlg::OnAttachBeginDrag(NMHDR*, LRESULT* pResult) { *pResult = 0; }
void CQorMsgContentDlg::OnAttachOpen() { m_attach.OnAttachOpen(); }
void CQorMsgContentDlg::OnOpenAttachFolder() { m_attach.OnOpenAttachFolder(); }
void CQorMsgContentDlg::OnAttachSaveAs() { m_attach.OnAttachSaveAs(); }
void CQorMsgContentDlg::OnForwardAttachment() { m_attach.OnForwardAttachment(); }
void CQorMsgContentDlg::OnSendAttachToContact(UINT nID) { m_attach.OnSendAttachToContact(nID); }

void CQorMsgContentDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_attach.OnTimer(nIDEvent))
        CDialog::OnTimer(nIDEvent);
}

LRESULT CQorMsgContentDlg::OnAttachDownloaded(WPARAM wParam, LPARAM)
{
    m_attach.OnAttachDownloaded(reinterpret_cast<const _ATTACH_ITEM*>(wParam));
    return 0;
}

LRESULT CQorMsgContentDlg::OnAttachDownloadFailed(WPARAM wParam, LPARAM)
{
    m_attach.OnAttachDownloadFailed(reinterpret_cast<const CString*>(wParam));
    return 0;
}

LRESULT CQorMsgContentDlg::OnFileClientNotify(WPARAM wParam, LPARAM lParam)
{
    m_attach.OnFileClientNotify(static_cast<int>(wParam), reinterpret_cast<void*>(lParam));
    return 0;
}
