#include "standin/QorView/CQorMsgInbox.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorView/CQorMsgItem.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewMessages.h"
#include "standin/QorView/CQorMsgStore.h"
#include "standin/QorView/QorViewState.h"

using namespace qorview_detail;

namespace {

const wchar_t kClass[] = L"QorViewMsgInbox";
const UINT kWmFlush = WM_APP + 1;

} // namespace

CQorMsgInbox& CQorMsgInbox::Instance()
{
    // Never destroyed, like the view manager: a message may still be queued while the process ends.
    static CQorMsgInbox* inbox = new CQorMsgInbox;
    return *inbox;
}

CQorMsgInbox::~CQorMsgInbox()
{
    for (Entry& e : m_queue)
        e.pMsg->Release();
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

bool CQorMsgInbox::EnsureWindow()
{
    if (m_hWnd)
        return true;
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &CQorMsgInbox::WndProc;
        wc.hInstance = OwnModule();
        wc.lpszClassName = kClass;
        atom = ::RegisterClassW(&wc);
    }
    m_hWnd = ::CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, OwnModule(), nullptr);
    if (m_hWnd)
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return m_hWnd != nullptr;
}

LRESULT CALLBACK CQorMsgInbox::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CQorMsgInbox*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self && msg == kWmFlush) {
        self->m_bScheduled = false;
        self->Flush();
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

void CQorMsgInbox::Add(IQorMsg* pMsg, bool bSent)
{
    if (!pMsg)
        return;
    if (!bSent) {
        const CString id = CQorMsgStore::Text(pMsg, &IQorMsg::get_MsgID);
        const CString stored = CQorMsgStore::SafeKey(id);
        if (stored != id) {
            BSTR b = ::SysAllocString(stored);
            pMsg->put_MsgID(b);
            ::SysFreeString(b);
        }
    }
    pMsg->AddRef();
    m_queue.push_back(Entry{pMsg, bSent});
    Schedule();
}

void CQorMsgInbox::Schedule()
{
    if (m_queue.empty() || m_bScheduled || !EnsureWindow())
        return;
    m_bScheduled = ::PostMessageW(m_hWnd, kWmFlush, 0, 0) != FALSE;
}

void CQorMsgInbox::Flush()
{
    if (m_bFlushing || m_queue.empty())
        return;
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    CQorMsgDBMgr* pDB = pMgr->m_pDBMgr;
    if (!pDB || !pDB->IsConnected())
        return; // the sign-in opens the database and schedules the queue
    // Inside a transaction of this thread's own (the message centre's deletion lets messages
    // through between its statements) a message would go or stay with that transaction: it is
    // written right after it ends instead.
    CYqConnect* pConnect = pDB->GetConnect();
    if (pConnect->GetTransDepth() > 0) {
        if (!m_bAfterTrans) {
            m_bAfterTrans = true;
            pConnect->AfterTrans([this] {
                m_bAfterTrans = false;
                Schedule();
            });
        }
        return;
    }
    m_bAfterTrans = false; // outside a transaction nothing waits for one (a closed connection drops it)
    m_bFlushing = true;
    bool received = false;
    while (!m_queue.empty()) {
        Entry e = m_queue.front();
        m_queue.pop_front();
        if (e.bSent) {
            CQorMsgStore::StoreSent(*pDB, e.pMsg, pMgr->m_strAccount, pMgr->m_strUserName);
        } else {
            CQorMsgItem item;
            if (CQorMsgStore::StoreReceived(*pDB, e.pMsg, pMgr->m_strAccount, pMgr->m_strUserName, &item) ==
                CQorMsgStore::kStored) {
                received = true;
                if (item.nMsgType != kQorMsgTypeGroup && item.nMsgType != kQorMsgTypeGroupOpt)
                    item.strPicture = CQorViewBaseFun::GetUserPicFile(item.strSender, pMgr->m_strIdentity);
                if (HWND hMain = MainWindow())
                    ::SendMessageW(hMain, WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&item), 0);
            }
        }
        e.pMsg->Release();
    }
    m_bFlushing = false;
    if (HWND hMain = received ? MainWindow() : nullptr)
        ::PostMessageW(hMain, WM_UNREAD_COUNT, 0, 0);
}

void CQorMsgInbox::Clear()
{
    Flush();
    if (!m_queue.empty()) {
        CString line;
        line.Format(L"%d messages were not stored: the session ended before the database could take them\r\n",
                    static_cast<int>(m_queue.size()));
        CQorViewBaseFun::WriteErrorLogFile(line);
    }
    for (Entry& e : m_queue)
        e.pMsg->Release();
    m_queue.clear();
}
