#pragma once
// The running main window with the core raising its events through the sinks the window
// registered: the core's own event road (qorcore_test::Raise*), delivered on this thread while
// the test pumps its messages. The window is signed in, its panels are ready, sounds are
// recorded and not played.
#include "app/CQorTipMgr.h"
#include "framework/CComPtr.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"
#include "tests/app/MainWindowFixture.h"
#include <string>
#include <utility>
#include <vector>

// What a test fills in of a core message.
struct CoreMsgFields {
    std::wstring sender, senderName, subject, msgId;
    long type = 0;
    long flags = 0;
    std::wstring talkId, sendTime, contentType, extraPair;
    long extraNumber = 0;
    int items = 0; // items added to group 0
};

class CoreBridgeFixture : public MainWindowFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // A command object of the core with its name, integer and string arguments and fields.
    static CComPtr<IQorCmd> Cmd(const wchar_t* name, std::vector<long> ints = {}, std::vector<std::wstring> strs = {},
                                std::vector<std::pair<std::wstring, std::wstring>> fields = {});
    static CComPtr<IQorMsg> Msg(const CoreMsgFields& fields);

    // Raises one event through the core to the application sink and pumps until it arrived.
    void RaiseNotify(IQorCmd* pCmd);   // slot 9: "ERR", "COREER", "LSV"
    void RaiseMessage(IQorMsg* pMsg);  // slot 10
    void RaiseCommand(IQorCmd* pCmd);  // slot 12: "OUT", "C_*"

    CQorTipMgr& Tips() { return m_pDlg->GetTipMgr(); }
    // Writes one value of the user's [Option] settings.
    void SetOption(const wchar_t* pszKey, const wchar_t* pszValue);
    int Sounds() const;
    // Whether the tray shows image nImage of the status strip.
    bool TrayShowsImage(int nImage) const;
    // The captions of the shown popup's items.
    std::vector<std::wstring> PopupCaptions();
    // The captions joined by blanks: a line that the tip broke into rows reads whole again.
    std::wstring PopupText();

    // Messages posted to the main window since the spy started: (message, wParam).
    void StartPostSpy();
    std::vector<std::pair<UINT, WPARAM>> PostedToMain(UINT uMsg) const;

private:
    void RaiseAndWait(int nSlot, IUnknown* pObject);
    static LRESULT CALLBACK SpyProc(int nCode, WPARAM wParam, LPARAM lParam);
    HHOOK m_hSpy = nullptr;
};
