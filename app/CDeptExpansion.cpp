#include "app/CDeptExpansion.h"
#include "app/IDeptExpansionOwner.h"
#include "app/KorvelMessages.h"
#include "common/CWqStrCode.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include <mutex>
#include <process.h>
#include <tinyxml.h>

namespace {

const int kWebServicePort = 8000;
const int kKindView = 4;
const int kKindDepartment = 2;
const wchar_t kSection[] = L"EXPANDVIEW";

// "kind_id" at the start of a segment; false unless both numbers are there.
bool ScanSegment(const CString& strSegment, int& nKind, int& nId)
{
    return ::swscanf(strSegment, L"%d_%d", &nKind, &nId) == 2;
}

CString WithSuffix(const CString& strId, const CString& strSuffix)
{
    return strSuffix.IsEmpty() ? strId : strId + L"@" + strSuffix;
}

CString Number(int n)
{
    CString s;
    s.Format(L"%d", n);
    return s;
}

} // namespace

// What the window and its worker share: whether a worker runs, and the result it left for the
// window under the number of its run.
struct CDeptExpansion::State {
    std::mutex lock;
    bool bRunning = false;
    WPARAM nRun = 0;
    bool bHasResult = false;
    CString strAccount; // the account the waiting result was made for
    Expansion result;
};

namespace {

struct Job {
    std::shared_ptr<CDeptExpansion::State> pState;
    HWND hWnd;
    WPARAM nRun;
    CString strAccount, strServerHost, strSuffix;
};

} // namespace

CDeptExpansion::CDeptExpansion(IDeptExpansionOwner& owner) : m_owner(owner), m_pState(std::make_shared<State>()) {}
CDeptExpansion::~CDeptExpansion() = default;

CDeptExpansion::Expansion CDeptExpansion::ParsePath(const CString& strPath, const CString& strSuffix)
{
    Expansion out;
    CString path = strPath;
    int nKind = 0, nId = 0;
    for (int slash = path.Find(L'/'); slash >= 0; slash = path.Find(L'/')) {
        if (ScanSegment(path.Left(slash), nKind, nId)) {
            if (nKind == kKindView) {
                out.strTabText = WithSuffix(Number(nId), strSuffix);
                out.strViewKey = out.strTabText;
                out.strExpansion = L"0,0,1;";
            } else if (nKind == kKindDepartment) {
                out.strExpansion.AppendFormat(L"%d,%d,1;", nKind, nId);
            }
        }
        path = path.Mid(slash + 1);
    }
    if (!path.IsEmpty() && ScanSegment(path, nKind, nId)) {
        // The last segment: a view of its own, or the user's department, which stays closed.
        if (nKind == kKindView) {
            out.strViewKey = WithSuffix(L"View_" + Number(nId), strSuffix);
            out.strExpansion = L"0,0,1;";
        } else if (nKind == kKindDepartment) {
            out.strExpansion.AppendFormat(L"%d,%d,0;", nKind, nId);
        }
    }
    return out;
}

BOOL CDeptExpansion::ReadPath(const char* pszReply, CString& strPath)
{
    strPath.Empty();
    if (!pszReply || !*pszReply)
        return FALSE;
    TiXmlDocument doc;
    doc.Parse(pszReply);
    // A reply cut short (a connection that broke off) is not half believed.
    if (doc.Error())
        return FALSE;
    const TiXmlElement* pRoot = doc.FirstChildElement();
    const TiXmlElement* pElement = pRoot ? pRoot->FirstChildElement() : nullptr;
    if (!pElement)
        return FALSE;
    const char* pszPath = pElement->Attribute("path_id");
    strPath = pszPath ? CString(pszPath) : CString();
    return TRUE;
}

CString CDeptExpansion::BuildRequestUrl(const CString& strServerHost, const CString& strLogin)
{
    CString url;
    url.Format(L"http://%s:%d/open/user.html?op=get_dept_with_loginname&loginname=", strServerHost.GetString(),
               kWebServicePort);
    return url + CWqStrCode::UrlEncode(strLogin, CWqStrCode::URL_UTF8);
}

BOOL CDeptExpansion::IsRunning() const
{
    std::lock_guard<std::mutex> guard(m_pState->lock);
    return m_pState->bRunning;
}

BOOL CDeptExpansion::Start(HWND hWnd)
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    auto* pJob = new Job{m_pState, hWnd, 0, pMgr->m_strAccount, pMgr->m_strServerHost, pMgr->m_strCompanySuffix};
    {
        std::lock_guard<std::mutex> guard(m_pState->lock);
        if (m_pState->bRunning) {
            delete pJob;
            return TRUE;
        }
        m_pState->bRunning = true;
        m_pState->bHasResult = false;
        pJob->nRun = ++m_pState->nRun;
    }
    const uintptr_t hThread = ::_beginthreadex(nullptr, 0, &ExpandMyDeptThreadProc, pJob, 0, nullptr);
    if (!hThread) {
        std::lock_guard<std::mutex> guard(m_pState->lock);
        m_pState->bRunning = false;
        delete pJob;
        return FALSE;
    }
    // Nobody waits for the worker: it ends after its message.
    ::CloseHandle(reinterpret_cast<HANDLE>(hThread));
    return TRUE;
}

unsigned __stdcall ExpandMyDeptThreadProc(void* pParam)
{
    std::unique_ptr<Job> pJob(static_cast<Job*>(pParam));
    CString strLogin, strSecond;
    CQorViewBaseFun::SeparateAID(pJob->strAccount, strLogin, strSecond);
    CStringA reply;
    CQorViewBaseFun::GetResultByHttpPost(CDeptExpansion::BuildRequestUrl(pJob->strServerHost, strLogin), reply);
    CString strPath;
    CDeptExpansion::Expansion result;
    if (CDeptExpansion::ReadPath(reply.GetString(), strPath))
        result = CDeptExpansion::ParsePath(strPath, pJob->strSuffix);
    {
        std::lock_guard<std::mutex> guard(pJob->pState->lock);
        pJob->pState->result = result;
        pJob->pState->strAccount = pJob->strAccount;
        pJob->pState->bHasResult = true;
    }
    if (!::PostMessageW(pJob->hWnd, WM_DEPT_EXPANDED, pJob->nRun, 0)) {
        std::lock_guard<std::mutex> guard(pJob->pState->lock);
        pJob->pState->bRunning = false;
    }
    return 0;
}

LRESULT CDeptExpansion::OnSwitchViewTab(WPARAM wParam)
{
    Expansion result;
    CString strAccount;
    {
        std::lock_guard<std::mutex> guard(m_pState->lock);
        // Only the result of the last run, once: anything else is not ours.
        if (!m_pState->bHasResult || wParam != m_pState->nRun)
            return 0;
        m_pState->bHasResult = false;
        m_pState->bRunning = false;
        result = m_pState->result;
        strAccount = m_pState->strAccount;
    }
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    // Signed out (or in again as someone else) while the worker ran: the result is stale.
    if (!m_owner.IsSignedIn() || pMgr->m_strAccount.CompareNoCase(strAccount) != 0)
        return 0;
    // Nothing usable in the path: nothing stored, and no entry under an empty key.
    if (!result.strViewKey.IsEmpty()) {
        pMgr->SetMyConfigPro(kSection, L"-1", L"0,0,0;");
        pMgr->SetMyConfigPro(kSection, result.strViewKey, result.strExpansion);
    }
    if (!result.strTabText.IsEmpty())
        pMgr->SetActiveViewTab(0, result.strTabText);
    else
        m_owner.SelectViewTab();
    return 0;
}
