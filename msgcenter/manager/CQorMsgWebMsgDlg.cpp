#include "msgcenter/manager/CQorMsgWebMsgDlg.h"
#include "common/ChildRect.h"
#include "framework/CComBSTR.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include <objbase.h>

BEGIN_MESSAGE_MAP(CQorMsgWebMsgDlg, CDialog)
    ON_MESSAGE(WM_MSGCENTER_SHOW_PERSON, &CQorMsgWebMsgDlg::OnShowPerson)
    ON_WM_SIZE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

// The web frame's inset inside the pane.
const int kInsetLeft = 2;
const int kInsetTop = 2;
const int kInsetRight = 5;

bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

} // namespace

CQorMsgWebMsgDlg::CQorMsgWebMsgDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CQorMsgWebMsgDlg::~CQorMsgWebMsgDlg()
{
    if (m_pWebCtl)
        m_pWebCtl->Release();
}

BOOL CQorMsgWebMsgDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ModifyStyle(0, WS_CLIPCHILDREN);
    return TRUE;
}

void CQorMsgWebMsgDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    delete this;
}

void CQorMsgWebMsgDlg::OnClose() { DestroyWindow(); }

bool CQorMsgWebMsgDlg::FrameRect(RECT* pRect) const { return GetChildRect(m_hWnd, IDC_WEB_FRAME, pRect); }

bool CQorMsgWebMsgDlg::UrlEncodeUtf8(CString& strOut, const unsigned char* pBytes, size_t nCount)
{
    strOut.Empty();
    if (!pBytes || nCount == 0)
        return false;
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring out;
    out.reserve(nCount * 3);
    for (size_t i = 0; i < nCount; ++i) {
        const unsigned char c = pBytes[i];
        if (IsUnreserved(c)) {
            out += static_cast<wchar_t>(c);
        } else {
            out += L'%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    strOut = out.c_str();
    return true;
}

// The person is encoded before it goes into the template: every byte of it outside the
// unreserved set is escaped, so a name can never add a parameter or change the address; the
// template itself is the view library's and keeps its own characters.
CString CQorMsgWebMsgDlg::BuildUrl(const CString& strPerson)
{
    const int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, strPerson, strPerson.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(nBytes > 0 ? nBytes : 0), '\0');
    if (nBytes > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, strPerson, strPerson.GetLength(), &utf8[0], nBytes, nullptr, nullptr);
    CString encoded;
    UrlEncodeUtf8(encoded, reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    m_strUrl = pMgr->m_strWebMsgUrl;
    pMgr->ReplaceSysValue(m_strUrl, encoded);
    return m_strUrl;
}

bool CQorMsgWebMsgDlg::CreateWebControl()
{
    if (m_pWebCtl)
        return true;
    if (FAILED(::CoInitialize(nullptr)))
        return false;
    CLSID clsid;
    HRESULT hr = kProgIdQorWebCtl[0] == L'{' ? ::CLSIDFromString(kProgIdQorWebCtl, &clsid)
                                             : ::CLSIDFromProgID(kProgIdQorWebCtl, &clsid);
    if (FAILED(hr))
        return false;
    IUnknown* pUnknown = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, IID_IUnknown, reinterpret_cast<void**>(&pUnknown))))
        return false;
    ::OleRun(pUnknown);
    hr = pUnknown->QueryInterface(IID_IQorWebCtl, reinterpret_cast<void**>(&m_pWebCtl));
    pUnknown->Release();
    if (FAILED(hr))
        m_pWebCtl = nullptr;
    return m_pWebCtl != nullptr;
}

// The control's window is made once; for every later person it is only moved onto the frame
// and navigated, so showing many persons never piles windows up.
bool CQorMsgWebMsgDlg::AttachWebControl()
{
    if (!CreateWebControl())
        return false;
    RECT rc = {};
    FrameRect(&rc);
    if (!m_bCtlWindow) {
        IWebExt* pExt = CQorViewBaseFun::CreateWebExt(m_hWnd);
        m_pWebCtl->SetWebExt(pExt);
        m_pWebCtl->SetColors(0, 0xFFFFFF);
        long nOut = 0;
        m_pWebCtl->CreateCtlWindow(reinterpret_cast<LONG_PTR>(m_hWnd), rc.left, rc.top, rc.right - rc.left,
                                   rc.bottom - rc.top, static_cast<long>(WS_CHILD | WS_VISIBLE), &nOut);
        m_bCtlWindow = true;
        if (pExt)
            pExt->Release();
    } else {
        m_pWebCtl->MoveCtlWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    }
    CComBSTR url(static_cast<LPCWSTR>(m_strUrl));
    m_pWebCtl->Navigate(url);
    return true;
}

LRESULT CQorMsgWebMsgDlg::OnShowPerson(WPARAM, LPARAM lParam)
{
    if (lParam)
        m_strPerson = *reinterpret_cast<const CString*>(lParam);
    else
        m_strPerson.Empty();
    if (m_pWebCtl) {
        long nState = 0;
        m_pWebCtl->GetCtlState(&nState);
    }
    BuildUrl(m_strPerson);
    AttachWebControl();
    return 0;
}

void CQorMsgWebMsgDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    HWND hFrame = ::GetDlgItem(m_hWnd, IDC_WEB_FRAME);
    if (!hFrame)
        return;
    RECT rcClient, rcFrame;
    GetClientRect(&rcClient);
    FrameRect(&rcFrame);
    RECT rc = {rcClient.left + kInsetLeft, rcClient.top + kInsetTop, rcClient.right - kInsetRight, rcFrame.bottom};
    ::MoveWindow(hFrame, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
    if (m_pWebCtl && m_bCtlWindow)
        m_pWebCtl->MoveCtlWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    UpdateWindow();
    Invalidate();
}
