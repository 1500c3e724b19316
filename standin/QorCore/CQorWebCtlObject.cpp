#include "standin/QorCore/CQorWebCtlObject.h"

CQorWebCtlObject::~CQorWebCtlObject()
{
    DestroyCtlWindow();
    if (m_pExt)
        m_pExt->Release();
}

HRESULT CQorWebCtlObject::CreateCtlWindow(LONG_PTR hParent, long x, long y, long cx, long cy, long style,
                                          long* pResult)
{
    QorCoreRecord(L"WebCtl.CreateCtlWindow", std::to_wstring(x) + L"|" + std::to_wstring(y) + L"|" +
                                                 std::to_wstring(cx) + L"|" + std::to_wstring(cy) + L"|" +
                                                 std::to_wstring(style));
    DestroyCtlWindow();
    // A read-only edit stands for the page: it shows the address, which is all a test or a
    // person looking at the screen can check without a browser engine.
    m_hWnd = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", m_url.c_str(),
                               static_cast<DWORD>(style) | ES_MULTILINE | ES_READONLY, x, y, cx, cy,
                               reinterpret_cast<HWND>(hParent), nullptr, nullptr, nullptr);
    if (pResult)
        *pResult = m_hWnd ? 1 : 0;
    return m_hWnd ? S_OK : E_FAIL;
}

HRESULT CQorWebCtlObject::DestroyCtlWindow()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    return S_OK;
}

HRESULT CQorWebCtlObject::MoveCtlWindow(long x, long y, long cx, long cy)
{
    QorCoreRecord(L"WebCtl.MoveCtlWindow",
                  std::to_wstring(x) + L"|" + std::to_wstring(y) + L"|" + std::to_wstring(cx) + L"|" + std::to_wstring(cy));
    if (m_hWnd)
        ::MoveWindow(m_hWnd, x, y, cx, cy, TRUE);
    return S_OK;
}

HRESULT CQorWebCtlObject::ShowCtlWindow(long show)
{
    QorCoreRecord(L"WebCtl.ShowCtlWindow", std::to_wstring(show));
    if (m_hWnd)
        ::ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE);
    return S_OK;
}

HRESULT CQorWebCtlObject::get_Url(BSTR* pVal)
{
    return OutBstr(pVal, m_url);
}

HRESULT CQorWebCtlObject::SetColors(long foreground, long background)
{
    QorCoreRecord(L"WebCtl.SetColors", std::to_wstring(foreground) + L"|" + std::to_wstring(background));
    return S_OK;
}

HRESULT CQorWebCtlObject::Navigate(BSTR url)
{
    m_url = BstrText(url);
    QorCoreRecord(L"WebCtl.Navigate", m_url);
    if (m_hWnd)
        ::SetWindowTextW(m_hWnd, m_url.c_str());
    return S_OK;
}

HRESULT CQorWebCtlObject::SetWebExt(IWebExt* pExt)
{
    QorCoreRecord(L"WebCtl.SetWebExt", pExt ? L"ext" : L"");
    if (pExt)
        pExt->AddRef();
    if (m_pExt)
        m_pExt->Release();
    m_pExt = pExt;
    return S_OK;
}

HRESULT CQorWebCtlObject::GetCtlState(long* pState)
{
    QorCoreRecord(L"WebCtl.GetCtlState", L"");
    return OutLong(pState, m_hWnd ? 1 : 0);
}
