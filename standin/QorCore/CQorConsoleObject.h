#pragma once
// "QorCore.QorConsole": the core's console. It holds the connection to the messaging server
// (CQorCoreClient, XMPP): sign-in, sign-out, repair, status and sending go through it. Every call
// is recorded (QorCoreTestHooks.h); the reserved positions answer E_NOTIMPL. The sinks it is
// given are the ones the core's events go to (CQorEventHub).
#include "platform/QorCore/IQorConsole.h"
#include "standin/QorCore/CQorCoreClient.h"
#include "standin/QorCore/QorComObject.h"
#include <memory>

class CQorConsoleObject : public QorComObject<IQorConsole> {
public:
    CQorConsoleObject() : QorComObject<IQorConsole>(IID_IQorConsole) {}
    ~CQorConsoleObject() override;

    HRESULT STDMETHODCALLTYPE get_Version(BSTR* pVal) override; // 7
    HRESULT STDMETHODCALLTYPE Login(BSTR server, long port, BSTR loginName, BSTR password, long passwordType, long status, long flags, long reserved) override; // 8
    HRESULT STDMETHODCALLTYPE Logout() override; // 9
    HRESULT STDMETHODCALLTYPE SetCallbacks(IQorCallback* pCore, IQorCallback* pApp) override; // 10
    HRESULT STDMETHODCALLTYPE SendMsg(IQorMsg* pMsg) override; // 11
    HRESULT STDMETHODCALLTYPE Repair() override; // 12
    HRESULT STDMETHODCALLTYPE SetStatus(long status, BSTR text) override; // 13
    HRESULT STDMETHODCALLTYPE Reserved14() override { QorCoreRecord(L"Console.Reserved14", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved15() override { QorCoreRecord(L"Console.Reserved15", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved16() override { QorCoreRecord(L"Console.Reserved16", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved17() override { QorCoreRecord(L"Console.Reserved17", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved18() override { QorCoreRecord(L"Console.Reserved18", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved19() override { QorCoreRecord(L"Console.Reserved19", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved20() override { QorCoreRecord(L"Console.Reserved20", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved21() override { QorCoreRecord(L"Console.Reserved21", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved22() override { QorCoreRecord(L"Console.Reserved22", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved23() override { QorCoreRecord(L"Console.Reserved23", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved24() override { QorCoreRecord(L"Console.Reserved24", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved25() override { QorCoreRecord(L"Console.Reserved25", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved26() override { QorCoreRecord(L"Console.Reserved26", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved27() override { QorCoreRecord(L"Console.Reserved27", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved28() override { QorCoreRecord(L"Console.Reserved28", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved29() override { QorCoreRecord(L"Console.Reserved29", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved30() override { QorCoreRecord(L"Console.Reserved30", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved31() override { QorCoreRecord(L"Console.Reserved31", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved32() override { QorCoreRecord(L"Console.Reserved32", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved33() override { QorCoreRecord(L"Console.Reserved33", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved34() override { QorCoreRecord(L"Console.Reserved34", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved35() override { QorCoreRecord(L"Console.Reserved35", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved36() override { QorCoreRecord(L"Console.Reserved36", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved37() override { QorCoreRecord(L"Console.Reserved37", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved38() override { QorCoreRecord(L"Console.Reserved38", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved39() override { QorCoreRecord(L"Console.Reserved39", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved40() override { QorCoreRecord(L"Console.Reserved40", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved41() override { QorCoreRecord(L"Console.Reserved41", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OpenMsg(BSTR noticeId, BSTR msgKey, BSTR* pResult) override; // 42
    HRESULT STDMETHODCALLTYPE Reserved43() override { QorCoreRecord(L"Console.Reserved43", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved44() override { QorCoreRecord(L"Console.Reserved44", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved45() override { QorCoreRecord(L"Console.Reserved45", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved46() override { QorCoreRecord(L"Console.Reserved46", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved47() override { QorCoreRecord(L"Console.Reserved47", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved48() override { QorCoreRecord(L"Console.Reserved48", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved49() override { QorCoreRecord(L"Console.Reserved49", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved50() override { QorCoreRecord(L"Console.Reserved50", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved51() override { QorCoreRecord(L"Console.Reserved51", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved52() override { QorCoreRecord(L"Console.Reserved52", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved53() override { QorCoreRecord(L"Console.Reserved53", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved54() override { QorCoreRecord(L"Console.Reserved54", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved55() override { QorCoreRecord(L"Console.Reserved55", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved56() override { QorCoreRecord(L"Console.Reserved56", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved57() override { QorCoreRecord(L"Console.Reserved57", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved58() override { QorCoreRecord(L"Console.Reserved58", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved59() override { QorCoreRecord(L"Console.Reserved59", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved60() override { QorCoreRecord(L"Console.Reserved60", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved61() override { QorCoreRecord(L"Console.Reserved61", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved62() override { QorCoreRecord(L"Console.Reserved62", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved63() override { QorCoreRecord(L"Console.Reserved63", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved64() override { QorCoreRecord(L"Console.Reserved64", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved65() override { QorCoreRecord(L"Console.Reserved65", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved66() override { QorCoreRecord(L"Console.Reserved66", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved67() override { QorCoreRecord(L"Console.Reserved67", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved68() override { QorCoreRecord(L"Console.Reserved68", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved69() override { QorCoreRecord(L"Console.Reserved69", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved70() override { QorCoreRecord(L"Console.Reserved70", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved71() override { QorCoreRecord(L"Console.Reserved71", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved72() override { QorCoreRecord(L"Console.Reserved72", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved73() override { QorCoreRecord(L"Console.Reserved73", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved74() override { QorCoreRecord(L"Console.Reserved74", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved75() override { QorCoreRecord(L"Console.Reserved75", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved76() override { QorCoreRecord(L"Console.Reserved76", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved77() override { QorCoreRecord(L"Console.Reserved77", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved78() override { QorCoreRecord(L"Console.Reserved78", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved79() override { QorCoreRecord(L"Console.Reserved79", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved80() override { QorCoreRecord(L"Console.Reserved80", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved81() override { QorCoreRecord(L"Console.Reserved81", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved82() override { QorCoreRecord(L"Console.Reserved82", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved83() override { QorCoreRecord(L"Console.Reserved83", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved84() override { QorCoreRecord(L"Console.Reserved84", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved85() override { QorCoreRecord(L"Console.Reserved85", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved86() override { QorCoreRecord(L"Console.Reserved86", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved87() override { QorCoreRecord(L"Console.Reserved87", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved88() override { QorCoreRecord(L"Console.Reserved88", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved89() override { QorCoreRecord(L"Console.Reserved89", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved90() override { QorCoreRecord(L"Console.Reserved90", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved91() override { QorCoreRecord(L"Console.Reserved91", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved92() override { QorCoreRecord(L"Console.Reserved92", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved93() override { QorCoreRecord(L"Console.Reserved93", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved94() override { QorCoreRecord(L"Console.Reserved94", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved95() override { QorCoreRecord(L"Console.Reserved95", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved96() override { QorCoreRecord(L"Console.Reserved96", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved97() override { QorCoreRecord(L"Console.Reserved97", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved98() override { QorCoreRecord(L"Console.Reserved98", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved99() override { QorCoreRecord(L"Console.Reserved99", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved100() override { QorCoreRecord(L"Console.Reserved100", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved101() override { QorCoreRecord(L"Console.Reserved101", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved102() override { QorCoreRecord(L"Console.Reserved102", L""); return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnreadLoaded(long value) override; // 103

private:
    std::unique_ptr<CQorCoreClient> m_pClient; // made on the first sign-in
};
