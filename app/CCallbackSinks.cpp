#include "app/CCallbackSinks.h"
#include "app/CConsole.h"
#include "app/CCoreCallBack.h"
#include "app/CTheCallback.h"
#include "framework/CComObject.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {

// Creates one sink with its owner and hands its callback interface to the view library; FALSE
// (logged) when the interface cannot be had.
template <class Sink>
bool MakeSink(ICoreSinkOwner* pOwner, Sink*& pHeld, void (CQorViewMgr::*pfnSet)(IQorCallback*), const wchar_t* pszName)
{
    CComObject<Sink>* pSink = nullptr;
    if (FAILED(CComObject<Sink>::CreateInstance(&pSink)) || !pSink) {
        CQorViewBaseFun::WriteErrorLogFile(CString(L"RegisterCallbacks: cannot create ") + pszName);
        return false;
    }
    pSink->AddRef();
    pSink->SetOwner(pOwner);
    pHeld = pSink;
    IQorCallback* pCallback = nullptr;
    const HRESULT hr = pSink->QueryInterface(IID_IQorCallback, reinterpret_cast<void**>(&pCallback));
    if (FAILED(hr) || !pCallback) {
        CString line;
        line.Format(L"RegisterCallbacks: %s answers no callback interface (0x%08lX)", pszName,
                    static_cast<unsigned long>(hr));
        CQorViewBaseFun::WriteErrorLogFile(line);
        return false;
    }
    (CQorViewMgr::Instance()->*pfnSet)(pCallback);
    pCallback->Release();
    return true;
}

} // namespace

bool CCallbackSinks::Create(ICoreSinkOwner* pOwner)
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    CComObject<CConsole>* pConsole = nullptr;
    if (SUCCEEDED(CComObject<CConsole>::CreateInstance(&pConsole)) && pConsole) {
        pConsole->AddRef();
        m_pConsole = pConsole;
    }
    pMgr->SetConsole(m_pConsole ? static_cast<IDispatch*>(static_cast<IConsole*>(m_pConsole)) : nullptr);
    bool bOk = m_pConsole != nullptr;
    bOk &= MakeSink(pOwner, m_pCoreCallBack, &CQorViewMgr::SetCoreCallback, L"the core sink");
    bOk &= MakeSink(pOwner, m_pTheCallback, &CQorViewMgr::SetAppCallback, L"the application sink");
    return bOk;
}

void CCallbackSinks::Release()
{
    if (m_pTheCallback) {
        m_pTheCallback->SetOwner(nullptr);
        static_cast<ITheCallback*>(m_pTheCallback)->Release();
        m_pTheCallback = nullptr;
    }
    if (m_pCoreCallBack) {
        m_pCoreCallBack->SetOwner(nullptr);
        static_cast<ICoreCallBack*>(m_pCoreCallBack)->Release();
        m_pCoreCallBack = nullptr;
    }
    if (m_pConsole) {
        static_cast<IConsole*>(m_pConsole)->Release();
        m_pConsole = nullptr;
    }
}
