#include "signin/CNetSetDlg.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/FormatString.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/QorView/_PROXYINFO.h"
#include "signin/ILoginOwner.h"
#include "signin/LoginStore.h"

namespace {

// The proxy type box: text, and the proxy kind kept as the item's data.
struct ProxyKind {
    UINT nText;
    int nKind;
};
const ProxyKind kProxyKinds[] = {{IDS_PROXY_NONE, 0}, {IDS_PROXY_SOCKS5, 3}, {IDS_PROXY_HTTP, 4}};

// The captions beside the fields (the split line 1007 is the eighth label of the same look).
const UINT kCaptionIds[] = {1008, 1009, 1010, 1014, 1011, 1015, 1013};

} // namespace

int ParsePortText(const CString& strText)
{
    CString text = strText;
    text.Trim();
    if (text.IsEmpty() || text.GetLength() > 6)
        return 0;
    int value = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        wchar_t ch = text[i];
        if (ch < L'0' || ch > L'9')
            return 0;
        value = value * 10 + (ch - L'0');
    }
    return value;
}

BEGIN_MESSAGE_MAP(CNetSetDlg, CQorDlg)
    ON_CBN_SELCHANGE(IDC_NETSET_PROXY_TYPE, &CNetSetDlg::OnProxyTypeChange)
    ON_BN_CLICKED(IDC_NETSET_DELETE, &CNetSetDlg::OnDeleteServer)
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CNetSetDlg::CNetSetDlg(CWnd* pParent, ILoginOwner* pOwner, const CString& strServerAddr, int nServerPort,
                       bool bServerLocked)
    : CQorDlg(IDD_NET_SETTINGS, pParent), m_pOwner(pOwner), m_nServerPort(nServerPort),
      m_strServerAddr(strServerAddr), m_bServerLocked(bServerLocked ? 1 : 0)
{
    static_assert(sizeof(kCaptionIds) / sizeof(kCaptionIds[0]) == kCaptionCount, "a caption id per label");
}

INT_PTR CNetSetDlg::RunModal(CWnd* pParent, ILoginOwner* pOwner, CString& strAddress, int& nPort, bool bLocked,
                             bool& bDeleted)
{
    CNetSetDlg dlg(pParent, pOwner, strAddress, nPort, bLocked);
    dlg.SetShowButton(4);
    INT_PTR result = dlg.DoModal();
    bDeleted = dlg.IsServerDeleted();
    if (result == IDOK) {
        strAddress = dlg.GetServerAddress();
        nPort = dlg.GetServerPort();
    }
    return result;
}

void CNetSetDlg::DoDataExchange(CDataExchange* pDX)
{
    CQorDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NETSET_SERVER, m_cbServer);
    DDX_Control(pDX, IDC_NETSET_SERVER_PORT, m_edServerPort);
    DDX_Control(pDX, IDC_NETSET_PROXY_TYPE, m_cbProxyType);
    DDX_Control(pDX, IDC_NETSET_PROXY_HOST, m_edProxyHost);
    DDX_Control(pDX, IDC_NETSET_PROXY_PORT, m_edProxyPort);
    DDX_Control(pDX, IDC_NETSET_PROXY_USER, m_edProxyUser);
    DDX_Control(pDX, IDC_NETSET_PROXY_PASSWORD, m_edProxyPassword);
    DDX_Control(pDX, IDC_NETSET_PROXY_DOMAIN, m_edProxyDomain);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_NETSET_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_NETSET_SPLIT_LINE, m_lblSplitLine);
    for (int i = 0; i < kCaptionCount; ++i)
        DDX_Control(pDX, kCaptionIds[i], m_lblCaptions[i]);
    DDX_Text(pDX, IDC_NETSET_SERVER, m_strServerAddr);
    // The port box takes any text: what is not a port is refused with a message on OK, not
    // silently by the exchange.
    CString port;
    if (pDX->m_bSaveAndValidate) {
        DDX_Text(pDX, IDC_NETSET_SERVER_PORT, port);
        m_nServerPort = ParsePortText(port);
    } else {
        port.Format(L"%d", m_nServerPort);
        DDX_Text(pDX, IDC_NETSET_SERVER_PORT, port);
    }
}

BOOL CNetSetDlg::OnInitDialog()
{
    _Init(this);
    CQorDlg::OnInitDialog();
    ModifyStyle(0, WS_CLIPCHILDREN);
    EnableTitleIcon(false);
    EnableTitleText(true);
    for (CSkinEdit* pEdit : {&m_edServerPort, &m_edProxyHost, &m_edProxyPort, &m_edProxyUser, &m_edProxyPassword,
                             &m_edProxyDomain}) {
        pEdit->SetSkin(L"xNormalEdit");
        pEdit->FitToFontHeigt();
    }
    m_lblSplitLine.SetSkin(L"xLabelSplitLine");
    for (CxButtonBase* pButton : {&m_btnOK, &m_btnCancel, &m_btnDelete})
        pButton->SetSkin(L"xButtonSetDlg");
    for (const ProxyKind& kind : kProxyKinds) {
        int item = m_cbProxyType.AddString(CQorViewBaseFun::LoadStringW(kind.nText));
        if (item >= 0)
            m_cbProxyType.SetItemData(item, static_cast<DWORD_PTR>(kind.nKind));
    }
    m_cbProxyType.SetCurSel(0);
    COLORREF border = CQorViewMgr::Instance() ? CQorViewMgr::Instance()->m_crSkinBorder : RGB(0xA0, 0xB4, 0xC8);
    for (CFlatComboBox* pBox : {&m_cbServer, &m_cbProxyType})
        pBox->SetBorderColor(border, static_cast<COLORREF>(0xE2860F), static_cast<COLORREF>(0xBE6E29));
    if (m_bServerLocked)
        m_cbServer.EnableWindow(FALSE);
    m_lblSplitLine.SetTextAlign(10);
    for (CxLabel& caption : m_lblCaptions)
        caption.SetTextAlign(10);
    LoadNetSettings();
    CenterWindow(nullptr);
    RedrawWindow();
    ShowWindow(SW_HIDE);
    ShowWindow(SW_SHOW);
    SetCanResize(false);
    UpdateData(FALSE);
    m_cbProxyType.SetFocus();
    return FALSE;
}

void CNetSetDlg::LoadNetSettings()
{
    _PROXYINFO proxy;
    CQorViewBaseFun::LoadProxy(proxy);
    for (int item = 0; item < m_cbProxyType.GetCount(); ++item) {
        if (static_cast<int>(m_cbProxyType.GetItemData(item)) == proxy.nFlag) {
            m_cbProxyType.SetCurSel(item);
            break;
        }
    }
    EnableProxyFields(proxy.nType != 0);
    CString port;
    port.Format(L"%d", proxy.nPort);
    m_edProxyHost.SetWindowText(proxy.strHost);
    m_edProxyPort.SetWindowText(port);
    m_edProxyUser.SetWindowText(proxy.strUser);
    m_edProxyPassword.SetWindowText(proxy.strPassword);
    m_edProxyDomain.SetWindowText(proxy.strDomain);

    CQorViewBaseFun::LoadServerList(m_arServers);
    for (INT_PTR i = 0; i < m_arServers.GetSize(); ++i) {
        int item = m_cbServer.AddString(m_arServers[i].strServer);
        if (item >= 0)
            m_cbServer.SetItemData(item, static_cast<DWORD_PTR>(i + 1));
    }
}

void CNetSetDlg::EnableProxyFields(BOOL bEnable)
{
    for (CSkinEdit* pEdit : {&m_edProxyPassword, &m_edProxyUser, &m_edProxyPort, &m_edProxyHost, &m_edProxyDomain})
        pEdit->EnableWindow(bEnable);
}

void CNetSetDlg::OnProxyTypeChange() { EnableProxyFields(m_cbProxyType.GetCurSel() > 0); }

void CNetSetDlg::RefuseField(CWnd& field, const CString& strText, const CString& strCaption)
{
    QorMessageBox(strText, strCaption, this, 0, 0x30, 1, 0);
    field.SetFocus();
    ::SendMessageW(field.GetSafeHwnd(), EM_SETSEL, 0, -1);
}

void CNetSetDlg::OnOK()
{
    UpdateData(TRUE);
    CString caption = CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION);
    // Blanks around a pasted address are not part of it; an address of nothing is no server.
    m_strServerAddr.Trim();
    if (m_strServerAddr.IsEmpty()) {
        RefuseField(m_cbServer, CQorViewBaseFun::LoadStringW(IDS_ENTER_SERVER), caption);
        return;
    }
    if (m_nServerPort < kMinPort || m_nServerPort > kMaxPort) {
        CString text;
        AfxFormatString2(text, IDS_PORT_RANGE, L"1", L"65535");
        RefuseField(m_edServerPort, text, caption);
        return;
    }

    int selected = m_cbProxyType.GetCurSel();
    bool useProxy = selected > 0;
    CString host, portText, domain, user, password;
    m_edProxyHost.GetWindowText(host);
    m_edProxyPort.GetWindowText(portText);
    m_edProxyDomain.GetWindowText(domain);
    m_edProxyUser.GetWindowText(user);
    m_edProxyPassword.GetWindowText(password);
    host.Trim();
    int proxyPort = ParsePortText(portText);
    if (useProxy && (host.IsEmpty() || proxyPort < kMinPort || proxyPort > kMaxPort)) {
        RefuseField(host.IsEmpty() ? static_cast<CWnd&>(m_edProxyHost) : m_edProxyPort,
                    CQorViewBaseFun::LoadStringW(IDS_PROXY_INCOMPLETE), CQorViewBaseFun::LoadStringW(IDS_PROXY_CAPTION));
        return;
    }
    int kind = selected >= 0 ? static_cast<int>(m_cbProxyType.GetItemData(selected)) : 0;

    _PROXYINFO proxy;
    proxy.nType = useProxy ? 1 : 0;
    proxy.strHost = host;
    proxy.nPort = proxyPort;
    proxy.strUser = user;
    proxy.strPassword = password;
    proxy.strDomain = domain;
    proxy.nFlag = kind;
    if (m_pOwner)
        m_pOwner->SetProxyInfo(proxy);
    CQorViewBaseFun::SaveProxy(proxy);
    EndDialog(IDOK);
}

void CNetSetDlg::OnDeleteServer()
{
    if (QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_DELETE_SERVERS_ASK), nullptr, this, 1, 0x30, 1, 0) != IDOK)
        return;
    m_bServerDeleted = CQorViewBaseFun::DeleteServerAndUserInfo() ? 1 : 0;
    // The by-name records keep display names and saved passwords: they are user information too.
    GetLoginStore().DeleteAll();
    EndDialog(IDOK);
}

void CNetSetDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CQorDlg::OnLButtonDown(nFlags, point);
    // Dragging the dialog's body moves the dialog.
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CNetSetDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawParentBackground(this, &dc);
}

HBRUSH CNetSetDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // Labels stand on the dialog's own background (disabled edit boxes, which ask the same,
    // keep the system's look).
    wchar_t className[16] = {};
    if (nCtlColor == CTLCOLOR_STATIC && pWnd && ::GetClassNameW(pWnd->GetSafeHwnd(), className, 16) &&
        lstrcmpiW(className, L"Static") == 0) {
        if (!m_brBackground.GetSafeHandle())
            m_brBackground.CreateSolidBrush(GetBkColor());
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brBackground.GetSafeHandle());
    }
    return CQorDlg::OnCtlColor(pDC, pWnd, nCtlColor);
}
