#include "signin/CUserDeptsLookup.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include <thread>

CUserDeptsLookup::CUserDeptsLookup(HWND hWnd, UINT nMsg) : m_shared(std::make_shared<Shared>())
{
    m_shared->hWnd = hWnd;
    m_shared->nMsg = nMsg;
}

CUserDeptsLookup::~CUserDeptsLookup()
{
    std::lock_guard<std::mutex> hold(m_shared->lock);
    m_shared->hWnd = nullptr;
    m_shared->replies.clear();
}

bool CUserDeptsLookup::Start(int nQuery, const CString& strUrl)
{
    std::shared_ptr<Shared> shared = m_shared;
    // The thread owns its copy of the address and shares only the mailbox.
    std::wstring url(strUrl.GetString());
    try {
        std::thread([shared, nQuery, url] {
            CStringA bytes;
            bool arrived = CQorViewBaseFun::GetResultByHttpPost(CString(url.c_str()), bytes) != 0;
            std::lock_guard<std::mutex> hold(shared->lock);
            if (!shared->hWnd)
                return;
            shared->replies[nQuery] = {arrived, std::string(bytes.GetString(), bytes.GetLength())};
            if (!::PostMessageW(shared->hWnd, shared->nMsg, static_cast<WPARAM>(nQuery), 0))
                shared->replies.erase(nQuery);
        }).detach();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool CUserDeptsLookup::TakeReply(int nQuery, std::string& reply)
{
    std::lock_guard<std::mutex> hold(m_shared->lock);
    auto it = m_shared->replies.find(nQuery);
    reply.clear();
    if (it == m_shared->replies.end())
        return false;
    bool arrived = it->second.first;
    reply = std::move(it->second.second);
    m_shared->replies.erase(it);
    return arrived;
}
