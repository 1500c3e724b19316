#pragma once
// CUserDeptsLookup: runs the department queries of the sign-in by display name off the
// user-interface thread. Each query fetches its address on a thread of its own (through the view
// library's HTTP request, whose waits are bounded) and posts a notice to the window; the window
// then takes the reply by the query's number. Replies of queries that were superseded are the
// window's to drop; replies that arrive after the looker-up is gone are dropped here.
#include "framework/CString.h"
#include <map>
#include <memory>
#include <mutex>
#include <string>

class CUserDeptsLookup {
public:
    // Notices go to hWnd as message nMsg with wParam = the query's number.
    CUserDeptsLookup(HWND hWnd, UINT nMsg);
    // Queries still running finish on their own and their replies are thrown away.
    ~CUserDeptsLookup();
    CUserDeptsLookup(const CUserDeptsLookup&) = delete;
    CUserDeptsLookup& operator=(const CUserDeptsLookup&) = delete;

    // Starts fetching the address; false when no thread could be started.
    bool Start(int nQuery, const CString& strUrl);
    // The reply of a query whose notice came: true with its bytes when a reply arrived, false
    // when the request failed (or the query is unknown). The reply is handed out once.
    bool TakeReply(int nQuery, std::string& reply);

private:
    struct Shared {
        std::mutex lock;
        HWND hWnd = nullptr; // null once the looker-up is gone
        UINT nMsg = 0;
        std::map<int, std::pair<bool, std::string>> replies; // query -> (arrived, bytes)
    };
    std::shared_ptr<Shared> m_shared;
};
