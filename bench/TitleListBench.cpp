// The title list at full size: time to its first page, each cache hint while scrolling to the end
// and when jumping there, sort switches, a search, and deleting and exporting a selection of
// ten thousand messages, on a generated database of options.messages messages, with the peak
// memory of the run. Each figure stands beside its floor: the same rows read the plainest way.
#include "bench/Bench.h"
#include "bench/MsgDbGenerator.h"
#include "framework/CWnd.h"
#include "msgcenter/CQorMsgTitleDlg.h"
#include "msgcenter/IMsgTitleOwner.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include <psapi.h>
#include <algorithm>
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

double Ms(LARGE_INTEGER a, LARGE_INTEGER b)
{
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER q;
        ::QueryPerformanceFrequency(&q);
        return q;
    }();
    return (b.QuadPart - a.QuadPart) * 1000.0 / f.QuadPart;
}

template <class Fn>
double TimeOnce(Fn fn)
{
    LARGE_INTEGER a, b;
    ::QueryPerformanceCounter(&a);
    fn();
    ::QueryPerformanceCounter(&b);
    return Ms(a, b);
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
                   L"Col_RecvName, Col_MSGFlag FROM qor_Msg LIMIT 30 OFFSET %d", offset);
        CYqRecordset rs;
        rs.Open(sql, c);
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

} // namespace

KORVEL_BENCH(TitleList)
{
    std::wstring db = options.workDir + L"\\titlelist.db";
    MsgDbGenOptions gen;
    gen.messages = options.messages;
    if (!GenerateMsgDb(db, gen)) {
        table.Note(L"title list: the database could not be generated");
        return;
    }
    CQorMsgDBMgr mgr;
    mgr.OpenConnect(db.c_str());
    CQorViewMgr::Instance()->m_pDBMgr = &mgr;
    CQorViewMgr::Instance()->m_pConnect = mgr.GetConnect();
    CQorViewMgr::Instance()->m_strAccount = L"me";
    qorview_test::SetDefaultMessageBoxAnswer(IDOK);
    CYqConnect* c = mgr.GetConnect();

    BenchTitleHost host;
    host.CreateEx(0, AfxRegisterWndClass(0), L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr);
    BenchTitleDlg pane;
    pane.Create(IDD_MSG_TITLE, &host);
    pane.SetOwner(&host);
    pane.MoveWindow(0, 0, 800, 600);
    host.ShowWindow(SW_SHOW);
    pane.ShowWindow(SW_SHOW);

    double first = TimeOnce([&] {
        pane.LoadFolderMsg(1);
        pane.CacheMsgTitleData(0, 29);
    });
    double firstFloor = TimeOnce([&] {
        CYqRecordset rs;
        rs.Open(L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 1", c);
    }) + PlainPage(c, 0);
    table.Row(L"title list: first page of the received folder", first, firstFloor, 0, 16, L"count + one page");

    const int total = pane.GetTotal();
    std::vector<double> hints, floors;
    const int steps = 200;
    for (int k = 0; k <= steps && total > 30; ++k) {
        int from = static_cast<int>(static_cast<long long>(total - 30) * k / steps);
        hints.push_back(TimeOnce([&] { pane.CacheMsgTitleData(from, from + 29); }));
        floors.push_back(PlainPage(c, from));
    }
    table.Row(L"title list: one hint while scrolling to the end (median)", Median(hints), Median(floors), 0, 16, L"");
    table.Row(L"title list: one hint while scrolling to the end (slowest)", *std::max_element(hints.begin(), hints.end()),
              *std::max_element(floors.begin(), floors.end()), 0, 16, L"");
    double jump = TimeOnce([&] { pane.CacheMsgTitleData(total - 30, total - 1); });
    table.Row(L"title list: jump to the end", jump, PlainPage(c, total - 30), 0, 16, L"");

    std::vector<double> sorts;
    for (int column = 0; column < 6; ++column)
        sorts.push_back(TimeOnce([&] {
            pane.SendMessage(WM_LIST_SORT_COLUMN, column, column % 2);
            pane.CacheMsgTitleData(0, 29);
        }));
    table.Row(L"title list: sort switch, first page (slowest column)", *std::max_element(sorts.begin(), sorts.end()),
              PlainPage(c, 0), 0, 16, L"");

    double search = TimeOnce([&] {
        pane.SearchMessages(kMsgDbCommonWord, L"", L"", L"");
        pane.CacheMsgTitleData(0, 29);
    });
    double searchFloor = TimeOnce([&] {
        CYqRecordset rs;
        CString sql;
        sql.Format(L"SELECT count(*) FROM qor_Msg_Content WHERE Col_Content_Text LIKE '%%%s%%'", kMsgDbCommonWord);
        rs.Open(sql, c);
    });
    table.Row(L"title list: search of a common word (count + first page)", search, searchFloor, 0, 0, L"scans every body");

    // Ten thousand rows of one conversation, all selected.
    auto selectTenThousand = [&](const CString& peer) {
        pane.LoadTalkHistory(peer);
        pane.m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
        return std::min(pane.GetTotal(), 10000);
    };
    int exported = selectTenThousand(MsgDbGenLogin(2));
    pane.path = (options.workDir + L"\\titlelist-export.rtf").c_str();
    double exportMs = TimeOnce([&] {
        pane.ExportSelected(1);
        Pump();
    });
    CString exportNote;
    exportNote.Format(L"%d messages", exported);
    table.Row(L"title list: export of a whole conversation", exportMs, 0, 0, 0, exportNote);

    int deleted = selectTenThousand(MsgDbGenLogin(1));
    double deleteMs = TimeOnce([&] {
        pane.DeleteSelected(false);
        Pump();
    });
    CString deleteNote;
    deleteNote.Format(L"%d messages, one transaction", deleted);
    table.Row(L"title list: select all + delete of a whole conversation", deleteMs, 0, 0, 0, deleteNote);

    PROCESS_MEMORY_COUNTERS pmc = {};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    CString mem;
    mem.Format(L"peak working set %u MB", static_cast<unsigned>(pmc.PeakWorkingSetSize / (1024 * 1024)));
    table.Note(mem);

    pane.DestroyWindow();
    host.DestroyWindow();
    CQorViewMgr::Instance()->m_pDBMgr = nullptr;
    CQorViewMgr::Instance()->m_pConnect = nullptr;
    mgr.CloseConnect();
}
