// The title list at full size: time to its first page, each cache hint while scrolling to the end
// and when jumping there, sort switches, a search, and deleting and exporting a selection of
// ten thousand messages, on a private copy of the generated database, with the peak memory of
// the run. Each figure stands beside its floor: the same rows read the plainest way through the
// library (a count and a LIMIT/OFFSET page).
#include "bench/Bench.h"
#include "bench/BenchMsgDb.h"
#include "bench/MsgDbGenerator.h"
#include "framework/CWnd.h"
#include "framework/ModuleState.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/titlelist/IMsgTitleOwner.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include <commctrl.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class BenchTitleHost : public CWnd, public IMsgTitleOwner {
public:
    void ShowMessageContent(const CString&, const CString&, const CString&, const CString&, bool, int, bool) override {}
    CString GetShownMessageID() override { return CString(); }
    void ClearMessageContent() override {}
    CWnd* GetManagerWindow() override { return nullptr; }
    void SearchMessages() override {}
    void RefreshCurrentNode() override {}
};

class BenchTitleDlg : public CQorMsgTitleDlg {
public:
    CString path;

protected:
    bool ChooseExportPath(CString& strPath) override
    {
        strPath = path;
        return true;
    }
};

template <class Fn>
double TimeOnce(Fn fn)
{
    double start = BenchNowMs();
    fn();
    return BenchNowMs() - start;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double PlainPage(CYqConnect* c, int offset)
{
    return TimeOnce([&] {
        CString sql;
        sql.Format(L"SELECT Col_ID, Col_AttachCount, Col_ReadState, Col_SenderName, Col_Subject, Col_SendDate, "
                   L"Col_RecvName, Col_MSGFlag FROM qor_Msg WHERE Col_MsgFolder = 1 LIMIT 30 OFFSET %d", offset);
        CYqRecordset rs;
        CString text;
        if (rs.Open(sql, c))
            for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
                rs.GetValue(0, text);
    });
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Selects the first n rows of the shown view (as a shift-click would).
int SelectFirst(BenchTitleDlg& pane, int n)
{
    pane.GetList().SetItemState(-1, 0, LVIS_SELECTED);
    n = std::min(n, pane.GetTotal());
    for (int i = 0; i < n; ++i)
        pane.GetList().SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    Pump();
    return n;
}

std::string Count(const char* pszWhat, int n)
{
    char line[96];
    std::snprintf(line, sizeof line, "%d %s", n, pszWhat);
    return line;
}

} // namespace

KORVEL_BENCH(TitleList)
{
    const std::wstring db = BenchMsgDbCopy(options, table, L"titlelist");
    if (db.empty())
        return;
    CQorMsgDBMgr mgr;
    if (!mgr.OpenConnect(db.c_str()) || !mgr.InitDBTable()) {
        table.Note("TitleList: cannot open the database");
        return;
    }
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    HINSTANCE hSavedRes = AfxGetResourceHandle();
    HMODULE hRes = ::LoadLibraryW((options.outDir + L"\\QorResource.dll").c_str());
    if (!hRes) {
        table.Note("TitleList: QorResource.dll not found beside the program");
        return;
    }
    AfxSetResourceHandle(hRes);
    CQorViewMgr* pView = CQorViewMgr::Instance();
    pView->m_pDBMgr = &mgr;
    pView->m_pConnect = mgr.GetConnect();
    pView->m_strAccount = L"me";
    qorview_test::SetDefaultMessageBoxAnswer(IDOK);
    CYqConnect* c = mgr.GetConnect();
    table.Section("Title list, " + std::to_string(options.messages) + " messages");

    BenchTitleHost host;
    host.CreateEx(0, AfxRegisterWndClass(0), L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr);
    BenchTitleDlg pane;
    pane.Create(IDD_MSG_TITLE, &host);
    pane.SetOwner(&host);
    pane.MoveWindow(0, 0, 800, 600);
    host.ShowWindow(SW_SHOW);
    pane.ShowWindow(SW_SHOW);
    Pump();

    double first = TimeOnce([&] {
        pane.LoadFolderMsg(1);
        pane.CacheMsgTitleData(0, 29);
    });
    double firstFloor = TimeOnce([&] {
        CYqRecordset rs;
        rs.Open(L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 1", c);
    }) + PlainPage(c, 0);
    table.Row("first page of the received folder", first, firstFloor, 0, 16, "count + one page of 30");

    // Scrolling to the end: a hint every 1/200 of the list, as a dragged thumb asks for them.
    const int total = pane.GetTotal();
    std::vector<double> hints, floors;
    const int steps = 200;
    for (int k = 0; k <= steps && total > 30; ++k) {
        int from = static_cast<int>(static_cast<long long>(total - 30) * k / steps);
        hints.push_back(TimeOnce([&] { pane.CacheMsgTitleData(from, from + 29); }));
        floors.push_back(PlainPage(c, from));
    }
    if (!hints.empty()) {
        table.Row("one hint scrolling to the end (median)", Median(hints), Median(floors), 0, 16, "201 hints");
        table.Row("one hint scrolling to the end (slowest)", *std::max_element(hints.begin(), hints.end()),
                  *std::max_element(floors.begin(), floors.end()), 0, 16, "");
    }
    // A jump to the end and back in a freshly loaded view (nothing kept from the scrolling).
    pane.LoadFolderMsg(1);
    double jump = TimeOnce([&] { pane.CacheMsgTitleData(total - 30, total - 1); });
    table.Row("jump to the end of a fresh view", jump, PlainPage(c, total - 30), 0, 16, "");
    double back = TimeOnce([&] { pane.CacheMsgTitleData(total / 2, total / 2 + 29); });
    table.Row("jump to the middle", back, PlainPage(c, total / 2), 0, 16, "");

    std::vector<double> sorts;
    for (int column = 0; column < 6; ++column)
        sorts.push_back(TimeOnce([&] {
            pane.SendMessage(WM_LIST_SORT_COLUMN, column, column % 2);
            pane.CacheMsgTitleData(0, 29);
        }));
    table.Row("sort switch + first page (slowest column)", *std::max_element(sorts.begin(), sorts.end()),
              PlainPage(c, 0), 0, 16, "6 columns");
    std::vector<double> sortEnds;
    for (int column = 0; column < 6; ++column)
        sortEnds.push_back(TimeOnce([&] {
            pane.SendMessage(WM_LIST_SORT_COLUMN, column, 1);
            pane.CacheMsgTitleData(total - 30, total - 1);
        }));
    table.Row("sort switch + last page (slowest column)", *std::max_element(sortEnds.begin(), sortEnds.end()),
              PlainPage(c, total - 30), 0, 16, "");

    double search = TimeOnce([&] {
        pane.SearchMessages(kMsgDbRareWord, L"", L"", L"");
        pane.CacheMsgTitleData(0, 29);
    });
    double searchFloor = TimeOnce([&] {
        CYqRecordset rs;
        CString sql;
        sql.Format(L"SELECT count(*) FROM qor_Msg_Content WHERE Col_Content_Text LIKE '%%%s%%'", kMsgDbRareWord);
        rs.Open(sql, c);
    });
    table.Row("search of a rare word (count + first page)", search, searchFloor, 0, 0, "scans every body");
    double common = TimeOnce([&] {
        pane.SearchMessages(kMsgDbCommonWord, L"", L"", L"");
        pane.CacheMsgTitleData(0, 29);
    });
    table.Row("search of a common word (count + first page)", common, searchFloor, 0, 0, "");

    // Ten thousand rows, selected without being scrolled into view, exported then deleted.
    pane.LoadFolderMsg(1);
    int toExport = SelectFirst(pane, 10000);
    pane.path = (options.workDir + L"\\titlelist-export.rtf").c_str();
    double exportMs = TimeOnce([&] {
        pane.ExportSelected(1);
        Pump();
    });
    table.Row("export of a 10k selection to RTF", exportMs, 0, 0, 0,
              Count("selected, ", toExport) + Count("written", pane.GetLastTaskCount()));

    int toDelete = SelectFirst(pane, 10000);
    double deleteMs = TimeOnce([&] {
        pane.DeleteSelected(false);
        Pump();
    });
    table.Row("delete of a 10k selection", deleteMs, 0, 0, 0,
              Count("selected, ", toDelete) + Count("deleted in one transaction", pane.GetLastTaskCount()));

    PROCESS_MEMORY_COUNTERS pmc = {};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    // Wine fills only some of the counters: the larger of the two peaks stands.
    size_t peak = std::max(pmc.PeakWorkingSetSize, pmc.PeakPagefileUsage);
    char mem[96];
    std::snprintf(mem, sizeof mem, "peak memory of the benchmark process %u MB",
                  static_cast<unsigned>(peak / (1024 * 1024)));
    table.Note(mem);

    pane.DestroyWindow();
    host.DestroyWindow();
    pView->m_pDBMgr = nullptr;
    pView->m_pConnect = nullptr;
    mgr.CloseConnect();
    AfxSetResourceHandle(hSavedRes);
    ::FreeLibrary(hRes);
    ::DeleteFileW(db.c_str());
    ::DeleteFileW(pane.path);
}
