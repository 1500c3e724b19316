#include "tests/app/CoreBridgeFixture.h"
#include "framework/CComBSTR.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorCore/QorCoreTestHooks.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "controls/popup/CTkPopupItem.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<std::pair<UINT, WPARAM>> s_posted;
HWND s_spyWnd = nullptr;

template <class I>
CComPtr<I> CreateCore(const wchar_t* progId, const IID& iid)
{
    CComPtr<I> p;
    CLSID clsid = {};
    if (SUCCEEDED(::CLSIDFromProgID(progId, &clsid)))
        ::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, iid, reinterpret_cast<void**>(&p));
    EXPECT_TRUE(p) << "no core object for " << testing::PrintToString(std::wstring(progId));
    return p;
}

// The pixels of an icon's colour image.
std::vector<DWORD> IconPixels(HICON hIcon)
{
    std::vector<DWORD> out;
    ICONINFO info = {};
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return out;
    BITMAP bm = {};
    ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    out.resize(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC hdc = ::GetDC(nullptr);
    ::GetDIBits(hdc, info.hbmColor, 0, bm.bmHeight, out.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return out;
}

} // namespace

void CoreBridgeFixture::SetUp()
{
    MainWindowFixture::SetUp();
    ASSERT_TRUE(qorcore_test::Register());
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(qorcore_test::HasSinks());
    qorview_test::SetMuteSounds(true);
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->m_strAccount = L"me@corp";
    pMgr->m_nUserStatus = 3;
    pMgr->m_bPanelsReady = 1;
    pMgr->m_bUnreadFlash = 0;
    pMgr->m_nBusyCount = 0;
    pMgr->m_dwOptionFlags = 0;
    m_pDlg->SetSignedIn(true);
    qorview_test::ClearCalls();
}

void CoreBridgeFixture::TearDown()
{
    if (m_hSpy)
        ::UnhookWindowsHookEx(m_hSpy);
    m_hSpy = nullptr;
    MainWindowFixture::TearDown();
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->m_strAccount.Empty();
    pMgr->m_strIdentity.Empty();
    pMgr->m_strServerHost.Empty();
    pMgr->m_strCompanySuffix.Empty();
    pMgr->m_nUserStatus = 0;
    pMgr->m_bPanelsReady = 0;
    pMgr->m_bBulletinStore = 0;
    pMgr->m_dwOptionFlags = 0;
    qorview_test::SetMuteSounds(false);
}

CComPtr<IQorCmd> CoreBridgeFixture::Cmd(const wchar_t* name, std::vector<long> ints, std::vector<std::wstring> strs,
                                        std::vector<std::pair<std::wstring, std::wstring>> fields)
{
    CComPtr<IQorCmd> cmd = CreateCore<IQorCmd>(kProgIdQorCmd, IID_IQorCmd);
    if (!cmd)
        return cmd;
    cmd->put_Name(CComBSTR(name));
    for (long n : ints)
        cmd->AddIntArg(n);
    for (const auto& s : strs)
        cmd->AddStrArg(CComBSTR(s.c_str()));
    for (const auto& f : fields)
        cmd->SetField(CComBSTR(f.first.c_str()), CComBSTR(f.second.c_str()));
    return cmd;
}

CComPtr<IQorMsg> CoreBridgeFixture::Msg(const CoreMsgFields& fields)
{
    CComPtr<IQorMsg> msg = CreateCore<IQorMsg>(kProgIdQorMsg, IID_IQorMsg);
    if (!msg)
        return msg;
    msg->put_Sender(CComBSTR(fields.sender.c_str()));
    msg->put_SenderName(CComBSTR(fields.senderName.c_str()));
    msg->put_Subject(CComBSTR(fields.subject.c_str()));
    msg->put_MsgID(CComBSTR(fields.msgId.c_str()));
    msg->put_MsgType(fields.type);
    msg->put_MsgFlags(fields.flags);
    msg->put_TalkID(CComBSTR(fields.talkId.c_str()));
    msg->put_SendTime(CComBSTR(fields.sendTime.c_str()));
    msg->put_ContentType(CComBSTR(fields.contentType.c_str()));
    msg->put_ExtraPair(CComBSTR(fields.extraPair.c_str()));
    msg->put_ExtraNumber(fields.extraNumber);
    for (int i = 0; i < fields.items; ++i)
        msg->AddItem(CComBSTR(L"item"));
    return msg;
}

void CoreBridgeFixture::RaiseAndWait(int nSlot, IUnknown* pObject)
{
    ASSERT_NE(nullptr, pObject);
    const long before = qorcore_test::DeliveredEvents();
    BOOL raised = FALSE;
    if (nSlot == 9)
        raised = qorcore_test::RaiseCommand(qorcore_test::kAppSink, static_cast<IQorCmd*>(pObject));
    else if (nSlot == 10)
        raised = qorcore_test::RaiseMessage(qorcore_test::kAppSink, static_cast<IQorMsg*>(pObject));
    else
        raised = qorcore_test::RaiseNotice(qorcore_test::kAppSink, static_cast<IQorCmd*>(pObject));
    ASSERT_TRUE(raised);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return qorcore_test::DeliveredEvents() > before; }));
    testsupport::PumpMessages();
}

void CoreBridgeFixture::RaiseNotify(IQorCmd* pCmd) { RaiseAndWait(9, pCmd); }
void CoreBridgeFixture::RaiseMessage(IQorMsg* pMsg) { RaiseAndWait(10, pMsg); }
void CoreBridgeFixture::RaiseCommand(IQorCmd* pCmd) { RaiseAndWait(12, pCmd); }

void CoreBridgeFixture::SetOption(const wchar_t* pszKey, const wchar_t* pszValue)
{
    const CString strFile = CQorViewBaseFun::GetKorvelOptionFolder() + L"\\Korvel.ini";
    ::WritePrivateProfileStringW(L"Option", pszKey, pszValue, strFile);
}

int CoreBridgeFixture::Sounds() const { return qorview_test::CountCalls(L"CQorViewBaseFun::PlaySoundFile"); }

bool CoreBridgeFixture::TrayShowsImage(int nImage) const
{
    HICON hExpected = m_pDlg->GetTrayStatus().GetImages().ExtractIcon(nImage);
    const bool same = hExpected && IconPixels(hExpected) == IconPixels(m_pDlg->GetTrayStatus().GetTrayIcon().GetIcon());
    if (hExpected)
        ::DestroyIcon(hExpected);
    return same;
}

std::vector<std::wstring> CoreBridgeFixture::PopupCaptions()
{
    std::vector<std::wstring> out;
    MyTipCtl& tip = Tips().GetTipWnd();
    for (int i = 0; i < tip.GetItemCount(); ++i) {
        if (!tip.GetItem(i)->GetCaption().IsEmpty())
            out.push_back(tip.GetItem(i)->GetCaption().GetString());
    }
    return out;
}

std::wstring CoreBridgeFixture::PopupText()
{
    std::wstring text;
    for (const std::wstring& caption : PopupCaptions())
        text += (text.empty() ? L"" : L" ") + caption;
    return text;
}

LRESULT CALLBACK CoreBridgeFixture::SpyProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->hwnd == s_spyWnd)
        s_posted.emplace_back(pMsg->message, pMsg->wParam);
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void CoreBridgeFixture::StartPostSpy()
{
    s_posted.clear();
    s_spyWnd = m_pDlg->GetSafeHwnd();
    if (!m_hSpy)
        m_hSpy = ::SetWindowsHookExW(WH_GETMESSAGE, &SpyProc, nullptr, ::GetCurrentThreadId());
}

std::vector<std::pair<UINT, WPARAM>> CoreBridgeFixture::PostedToMain(UINT uMsg) const
{
    std::vector<std::pair<UINT, WPARAM>> out;
    for (const auto& p : s_posted) {
        if (p.first == uMsg)
            out.push_back(p);
    }
    return out;
}
