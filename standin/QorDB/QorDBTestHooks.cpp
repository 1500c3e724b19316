#include "platform/QorDB/QorDBTestHooks.h"
#include "standin/QorDB/StatementLog.h"
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

std::mutex g_lock;
std::deque<CString> g_statements;
CString g_failText;
int g_failSkip = 0;     // matching statements still let through before they start to fail
long g_failures = 0;    // statements that failed, for whatever reason
const size_t kMaxStatements = 2000;
// One statement can be held where it is until the test lets it go.
std::condition_variable g_holdChanged;
CString g_holdText;
int g_holdSkip = 0;
bool g_holding = false;
std::atomic<int> g_pageIndexBuilds{ 0 };

} // namespace

namespace {

// Called with g_lock held; returns when the test lets a held statement go.
void HoldIfAsked(std::unique_lock<std::mutex>& guard, LPCWSTR pszSql)
{
    if (g_holdText.IsEmpty() || !pszSql || wcsstr(pszSql, g_holdText) == nullptr)
        return;
    if (g_holdSkip > 0) {
        --g_holdSkip;
        return;
    }
    g_holdText.Empty(); // only the one statement
    g_holding = true;
    g_holdChanged.notify_all();
    g_holdChanged.wait(guard, [] { return !g_holding; });
}

} // namespace

bool QorDBRecordStatement(LPCWSTR pszSql)
{
    std::unique_lock<std::mutex> guard(g_lock);
    if (g_statements.size() >= kMaxStatements)
        g_statements.pop_front();
    g_statements.push_back(pszSql ? pszSql : L"");
    HoldIfAsked(guard, pszSql);
    if (g_failText.IsEmpty() || !pszSql || wcsstr(pszSql, g_failText) == nullptr)
        return false;
    if (g_failSkip > 0) {
        --g_failSkip;
        return false;
    }
    return true;
}

void QorDBRecordFailure()
{
    std::lock_guard<std::mutex> guard(g_lock);
    ++g_failures;
}

long QorDBTest_FailureCount()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_failures;
}

void QorDBTest_ClearFailureCount()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_failures = 0;
}

std::vector<CString> QorDBTest_GetStatements()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return std::vector<CString>(g_statements.begin(), g_statements.end());
}

void QorDBTest_ClearStatements()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_statements.clear();
}

void QorDBTest_FailStatementsContaining(LPCWSTR pszText, int nLetThrough)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_failText = pszText ? pszText : L"";
    g_failSkip = nLetThrough;
}

void QorDBTest_HoldStatementContaining(LPCWSTR pszText, int nLetThrough)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_holdText = pszText ? pszText : L"";
    g_holdSkip = nLetThrough;
}

bool QorDBTest_IsHolding()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_holding;
}

void QorDBTest_ReleaseHeld()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_holdText.Empty();
    g_holding = false;
    g_holdChanged.notify_all();
}

void QorDBNotePageIndexBuild()
{
    ++g_pageIndexBuilds;
}

int QorDBTest_GetPageIndexBuilds()
{
    return g_pageIndexBuilds;
}
