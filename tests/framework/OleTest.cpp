// OLE support: AfxOleInit, COleDataSource through its IDataObject (cached and delayed data, the
// clipboard) and a drag steered by a COleDropSource.
#include "framework/AfxOle.h"
#include "framework/COleDataSource.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <cwchar>
#include <set>

namespace {

HGLOBAL GlobalText(const wchar_t* text)
{
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(::GlobalLock(h), text, bytes);
    ::GlobalUnlock(h);
    return h;
}

std::wstring TextOf(HGLOBAL h)
{
    auto p = static_cast<const wchar_t*>(::GlobalLock(h));
    std::wstring s = p ? p : L"";
    ::GlobalUnlock(h);
    return s;
}

FORMATETC Format(CLIPFORMAT cf, DWORD tymed = TYMED_HGLOBAL)
{
    return FORMATETC{cf, nullptr, DVASPECT_CONTENT, -1, tymed};
}

// Renders one registered format on request and counts the requests.
class CountingSource : public COleDataSource {
public:
    explicit CountingSource(CLIPFORMAT cf, int* pDeleted = nullptr) : m_cf(cf), m_pDeleted(pDeleted) {}
    ~CountingSource() override
    {
        if (m_pDeleted)
            ++*m_pDeleted;
    }
    BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override
    {
        ++m_renders;
        if (lpFormatEtc->cfFormat != m_cf)
            return FALSE;
        if (*phGlobal)
            return FALSE; // GetDataHere: this source only makes new memory
        *phGlobal = GlobalText(L"rendered late");
        return TRUE;
    }
    int m_renders = 0;

private:
    CLIPFORMAT m_cf;
    int* m_pDeleted;
};

// Cancels the drag at its first question, and remembers being asked.
class CancellingDropSource : public COleDropSource {
public:
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override
    {
        ++m_queries;
        return DRAGDROP_S_CANCEL;
    }
    int m_queries = 0;
};

} // namespace

TEST(OleTest, AfxOleInitOncePerThread)
{
    // The test main already initialised OLE on this thread: AfxOleInit still succeeds and
    // balances its own call.
    EXPECT_TRUE(AfxOleInit());
    EXPECT_TRUE(AfxOleIsInitialized());
    EXPECT_TRUE(AfxOleInit()); // a second call does not initialise again
    AfxEnableControlContainer();
    EXPECT_TRUE(AfxIsControlContainerEnabled());

    // A worker thread has its own state: initialised there, undone there.
    struct Result {
        BOOL init = FALSE, initialisedBefore = TRUE, afterTerm = TRUE;
    } r;
    struct Worker {
        static DWORD WINAPI Run(void* p)
        {
            auto res = static_cast<Result*>(p);
            res->initialisedBefore = AfxOleIsInitialized();
            res->init = AfxOleInit();
            AfxOleTerm();
            res->afterTerm = AfxOleIsInitialized();
            return 0;
        }
    };
    HANDLE t = ::CreateThread(nullptr, 0, &Worker::Run, &r, 0, nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(::WaitForSingleObject(t, 60000), WAIT_OBJECT_0);
    ::CloseHandle(t);
    EXPECT_FALSE(r.initialisedBefore);
    EXPECT_TRUE(r.init);
    EXPECT_FALSE(r.afterTerm);
    EXPECT_TRUE(AfxOleIsInitialized()); // this thread's state is untouched
}

TEST(OleTest, DataObjectAnswersCachedAndDelayedData)
{
    const CLIPFORMAT cfLate = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Korvel.Test.Late"));
    int deleted = 0;
    auto source = new CountingSource(cfLate, &deleted);
    source->CacheGlobalData(CF_UNICODETEXT, GlobalText(L"first"));
    source->CacheGlobalData(CF_UNICODETEXT, GlobalText(L"cached text")); // replaces the first
    source->DelayRenderData(cfLate);
    IDataObject* data = source->GetDataObject();

    FORMATETC text = Format(CF_UNICODETEXT);
    FORMATETC late = Format(cfLate);
    FORMATETC missing = Format(CF_TEXT);
    FORMATETC wrongMedium = Format(CF_UNICODETEXT, TYMED_ISTREAM);
    EXPECT_EQ(data->QueryGetData(&text), S_OK);
    EXPECT_EQ(data->QueryGetData(&late), S_OK);
    EXPECT_EQ(data->QueryGetData(&missing), DV_E_FORMATETC);
    EXPECT_EQ(data->QueryGetData(&wrongMedium), DV_E_TYMED);
    EXPECT_EQ(source->m_renders, 0); // asking does not render

    STGMEDIUM medium = {};
    ASSERT_EQ(data->GetData(&text, &medium), S_OK);
    EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(TextOf(medium.hGlobal), L"cached text");
    ::ReleaseStgMedium(&medium); // the receiver's own copy
    ASSERT_EQ(data->GetData(&text, &medium), S_OK); // the cache is still intact
    EXPECT_EQ(TextOf(medium.hGlobal), L"cached text");
    ::ReleaseStgMedium(&medium);

    ASSERT_EQ(data->GetData(&late, &medium), S_OK);
    EXPECT_EQ(TextOf(medium.hGlobal), L"rendered late");
    ::ReleaseStgMedium(&medium);
    EXPECT_EQ(source->m_renders, 1);
    EXPECT_EQ(data->GetData(&missing, &medium), DV_E_FORMATETC);

    // GetDataHere fills the caller's memory, or says it is too small.
    STGMEDIUM here = {};
    here.tymed = TYMED_HGLOBAL;
    here.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, 64);
    EXPECT_EQ(data->GetDataHere(&text, &here), S_OK);
    EXPECT_EQ(TextOf(here.hGlobal), L"cached text");
    ::GlobalFree(here.hGlobal);
    here.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    EXPECT_EQ(data->GetDataHere(&text, &here), STG_E_MEDIUMFULL);
    ::GlobalFree(here.hGlobal);

    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    std::set<CLIPFORMAT> seen;
    FORMATETC fe;
    while (formats->Next(1, &fe, nullptr) == S_OK)
        seen.insert(fe.cfFormat);
    formats->Release();
    EXPECT_EQ(seen, (std::set<CLIPFORMAT>{CF_UNICODETEXT, cfLate}));
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &formats), E_NOTIMPL);
    EXPECT_EQ(data->SetData(&text, &medium, FALSE), E_NOTIMPL);

    // The last reference deletes the source.
    data->AddRef();
    source->InternalRelease();
    EXPECT_EQ(deleted, 0);
    data->Release();
    EXPECT_EQ(deleted, 1);
}

TEST(OleTest, SetClipboardHandsTheDataToTheClipboard)
{
    int deleted = 0;
    auto source = new CountingSource(CF_TEXT, &deleted);
    source->CacheGlobalData(CF_UNICODETEXT, GlobalText(L"on the clipboard"));
    ASSERT_TRUE(source->SetClipboard());
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), source);
    EXPECT_EQ(deleted, 0); // the clipboard holds it

    IDataObject* clip = nullptr;
    ASSERT_EQ(::OleGetClipboard(&clip), S_OK);
    FORMATETC text = Format(CF_UNICODETEXT);
    STGMEDIUM medium = {};
    ASSERT_EQ(clip->GetData(&text, &medium), S_OK);
    EXPECT_EQ(TextOf(medium.hGlobal), L"on the clipboard");
    ::ReleaseStgMedium(&medium);
    clip->Release();

    // Flushing leaves the data on the clipboard and lets our source go.
    EXPECT_TRUE(COleDataSource::FlushClipboard());
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    EXPECT_EQ(deleted, 1);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE h = ::GetClipboardData(CF_UNICODETEXT);
    EXPECT_EQ(h ? TextOf(h) : std::wstring(), L"on the clipboard");
    ::EmptyClipboard();
    ::CloseClipboard();
}

TEST(OleTest, DragAskedTheDropSourceAndWasCancelled)
{
    COleDataSource source; // on the stack: fine for a drag
    source.CacheGlobalData(CF_UNICODETEXT, GlobalText(L"dragged"));
    CancellingDropSource dropSource;
    RECT start = {0, 0, 4, 4};
    EXPECT_EQ(source.DoDragDrop(DROPEFFECT_COPY, &start, &dropSource), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_GE(dropSource.m_queries, 1);
    EXPECT_TRUE(::EqualRect(&dropSource.m_rectStartDrag, &start));

    // The default rules: Esc or the other button cancels, releasing the drag button drops.
    COleDropSource rules;
    EXPECT_TRUE(rules.OnBeginDrag(nullptr));
    EXPECT_EQ(rules.QueryContinueDrag(TRUE, rules.m_dwButtonDrop), DRAGDROP_S_CANCEL);
    EXPECT_EQ(rules.QueryContinueDrag(FALSE, rules.m_dwButtonDrop | rules.m_dwButtonCancel), DRAGDROP_S_CANCEL);
    EXPECT_EQ(rules.QueryContinueDrag(FALSE, rules.m_dwButtonDrop), S_OK);
    EXPECT_EQ(rules.QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(rules.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}
