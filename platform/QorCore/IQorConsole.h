#pragma once
// The core component's console (ProgID "QorCore.QorConsole"), the object that holds the
// server connection. The view manager keeps one and signs in, out and again through it, sets
// the status and sends; the program calls it by position only: slot 42 opens one message,
// slot 103 is told once that the unread messages are loaded.
// IUnknown (0-2) and IDispatch (3-6) come first; the reserved slots keep the positions.
#include "framework/Platform.h"
#include "platform/QorCore/IQorCallback.h"
#include "platform/QorCore/IQorMsg.h"
#include <oaidl.h>

// {6370E52A-04F7-4A13-9258-8DE300D413E0}
static const IID IID_IQorConsole = {0x6370e52a, 0x04f7, 0x4a13, {0x92, 0x58, 0x8d, 0xe3, 0x00, 0xd4, 0x13, 0xe0}};

struct IQorConsole : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Version(BSTR* pVal) = 0; // 7
    virtual HRESULT STDMETHODCALLTYPE Login(BSTR server, long port, BSTR loginName, BSTR password, long passwordType, long status, long flags, long reserved) = 0; // 8
    virtual HRESULT STDMETHODCALLTYPE Logout() = 0; // 9
    virtual HRESULT STDMETHODCALLTYPE SetCallbacks(IQorCallback* pCore, IQorCallback* pApp) = 0; // 10
    virtual HRESULT STDMETHODCALLTYPE SendMsg(IQorMsg* pMsg) = 0; // 11
    // After connection state 17: sign in again quietly; 18 when it worked, 7 when not.
    virtual HRESULT STDMETHODCALLTYPE Repair() = 0; // 12
    virtual HRESULT STDMETHODCALLTYPE SetStatus(long status, BSTR text) = 0; // 13
    virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0; // 14
    virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0; // 15
    virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0; // 16
    virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0; // 17
    virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0; // 18
    virtual HRESULT STDMETHODCALLTYPE Reserved19() = 0; // 19
    virtual HRESULT STDMETHODCALLTYPE Reserved20() = 0; // 20
    virtual HRESULT STDMETHODCALLTYPE Reserved21() = 0; // 21
    virtual HRESULT STDMETHODCALLTYPE Reserved22() = 0; // 22
    virtual HRESULT STDMETHODCALLTYPE Reserved23() = 0; // 23
    virtual HRESULT STDMETHODCALLTYPE Reserved24() = 0; // 24
    virtual HRESULT STDMETHODCALLTYPE Reserved25() = 0; // 25
    virtual HRESULT STDMETHODCALLTYPE Reserved26() = 0; // 26
    virtual HRESULT STDMETHODCALLTYPE Reserved27() = 0; // 27
    virtual HRESULT STDMETHODCALLTYPE Reserved28() = 0; // 28
    virtual HRESULT STDMETHODCALLTYPE Reserved29() = 0; // 29
    virtual HRESULT STDMETHODCALLTYPE Reserved30() = 0; // 30
    virtual HRESULT STDMETHODCALLTYPE Reserved31() = 0; // 31
    virtual HRESULT STDMETHODCALLTYPE Reserved32() = 0; // 32
    virtual HRESULT STDMETHODCALLTYPE Reserved33() = 0; // 33
    virtual HRESULT STDMETHODCALLTYPE Reserved34() = 0; // 34
    virtual HRESULT STDMETHODCALLTYPE Reserved35() = 0; // 35
    virtual HRESULT STDMETHODCALLTYPE Reserved36() = 0; // 36
    virtual HRESULT STDMETHODCALLTYPE Reserved37() = 0; // 37
    virtual HRESULT STDMETHODCALLTYPE Reserved38() = 0; // 38
    virtual HRESULT STDMETHODCALLTYPE Reserved39() = 0; // 39
    virtual HRESULT STDMETHODCALLTYPE Reserved40() = 0; // 40
    virtual HRESULT STDMETHODCALLTYPE Reserved41() = 0; // 41
    virtual HRESULT STDMETHODCALLTYPE OpenMsg(BSTR noticeId, BSTR msgKey, BSTR* pResult) = 0; // 42
    virtual HRESULT STDMETHODCALLTYPE Reserved43() = 0; // 43
    virtual HRESULT STDMETHODCALLTYPE Reserved44() = 0; // 44
    virtual HRESULT STDMETHODCALLTYPE Reserved45() = 0; // 45
    virtual HRESULT STDMETHODCALLTYPE Reserved46() = 0; // 46
    virtual HRESULT STDMETHODCALLTYPE Reserved47() = 0; // 47
    virtual HRESULT STDMETHODCALLTYPE Reserved48() = 0; // 48
    virtual HRESULT STDMETHODCALLTYPE Reserved49() = 0; // 49
    virtual HRESULT STDMETHODCALLTYPE Reserved50() = 0; // 50
    virtual HRESULT STDMETHODCALLTYPE Reserved51() = 0; // 51
    virtual HRESULT STDMETHODCALLTYPE Reserved52() = 0; // 52
    virtual HRESULT STDMETHODCALLTYPE Reserved53() = 0; // 53
    virtual HRESULT STDMETHODCALLTYPE Reserved54() = 0; // 54
    virtual HRESULT STDMETHODCALLTYPE Reserved55() = 0; // 55
    virtual HRESULT STDMETHODCALLTYPE Reserved56() = 0; // 56
    virtual HRESULT STDMETHODCALLTYPE Reserved57() = 0; // 57
    virtual HRESULT STDMETHODCALLTYPE Reserved58() = 0; // 58
    virtual HRESULT STDMETHODCALLTYPE Reserved59() = 0; // 59
    virtual HRESULT STDMETHODCALLTYPE Reserved60() = 0; // 60
    virtual HRESULT STDMETHODCALLTYPE Reserved61() = 0; // 61
    virtual HRESULT STDMETHODCALLTYPE Reserved62() = 0; // 62
    virtual HRESULT STDMETHODCALLTYPE Reserved63() = 0; // 63
    virtual HRESULT STDMETHODCALLTYPE Reserved64() = 0; // 64
    virtual HRESULT STDMETHODCALLTYPE Reserved65() = 0; // 65
    virtual HRESULT STDMETHODCALLTYPE Reserved66() = 0; // 66
    virtual HRESULT STDMETHODCALLTYPE Reserved67() = 0; // 67
    virtual HRESULT STDMETHODCALLTYPE Reserved68() = 0; // 68
    virtual HRESULT STDMETHODCALLTYPE Reserved69() = 0; // 69
    virtual HRESULT STDMETHODCALLTYPE Reserved70() = 0; // 70
    virtual HRESULT STDMETHODCALLTYPE Reserved71() = 0; // 71
    virtual HRESULT STDMETHODCALLTYPE Reserved72() = 0; // 72
    virtual HRESULT STDMETHODCALLTYPE Reserved73() = 0; // 73
    virtual HRESULT STDMETHODCALLTYPE Reserved74() = 0; // 74
    virtual HRESULT STDMETHODCALLTYPE Reserved75() = 0; // 75
    virtual HRESULT STDMETHODCALLTYPE Reserved76() = 0; // 76
    virtual HRESULT STDMETHODCALLTYPE Reserved77() = 0; // 77
    virtual HRESULT STDMETHODCALLTYPE Reserved78() = 0; // 78
    virtual HRESULT STDMETHODCALLTYPE Reserved79() = 0; // 79
    virtual HRESULT STDMETHODCALLTYPE Reserved80() = 0; // 80
    virtual HRESULT STDMETHODCALLTYPE Reserved81() = 0; // 81
    virtual HRESULT STDMETHODCALLTYPE Reserved82() = 0; // 82
    virtual HRESULT STDMETHODCALLTYPE Reserved83() = 0; // 83
    virtual HRESULT STDMETHODCALLTYPE Reserved84() = 0; // 84
    virtual HRESULT STDMETHODCALLTYPE Reserved85() = 0; // 85
    virtual HRESULT STDMETHODCALLTYPE Reserved86() = 0; // 86
    virtual HRESULT STDMETHODCALLTYPE Reserved87() = 0; // 87
    virtual HRESULT STDMETHODCALLTYPE Reserved88() = 0; // 88
    virtual HRESULT STDMETHODCALLTYPE Reserved89() = 0; // 89
    virtual HRESULT STDMETHODCALLTYPE Reserved90() = 0; // 90
    virtual HRESULT STDMETHODCALLTYPE Reserved91() = 0; // 91
    virtual HRESULT STDMETHODCALLTYPE Reserved92() = 0; // 92
    virtual HRESULT STDMETHODCALLTYPE Reserved93() = 0; // 93
    virtual HRESULT STDMETHODCALLTYPE Reserved94() = 0; // 94
    virtual HRESULT STDMETHODCALLTYPE Reserved95() = 0; // 95
    virtual HRESULT STDMETHODCALLTYPE Reserved96() = 0; // 96
    virtual HRESULT STDMETHODCALLTYPE Reserved97() = 0; // 97
    virtual HRESULT STDMETHODCALLTYPE Reserved98() = 0; // 98
    virtual HRESULT STDMETHODCALLTYPE Reserved99() = 0; // 99
    virtual HRESULT STDMETHODCALLTYPE Reserved100() = 0; // 100
    virtual HRESULT STDMETHODCALLTYPE Reserved101() = 0; // 101
    virtual HRESULT STDMETHODCALLTYPE Reserved102() = 0; // 102
    virtual HRESULT STDMETHODCALLTYPE UnreadLoaded(long value) = 0; // 103
};

__CRT_UUID_DECL(IQorConsole, 0x6370e52a, 0x04f7, 0x4a13, 0x92, 0x58, 0x8d, 0xe3, 0x00, 0xd4, 0x13, 0xe0)
