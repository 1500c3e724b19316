#pragma once
// The core component's message object (ProgID "QorCore.QorMsg"). It carries no type
// library in the program, so every method is fixed by its position in the function table:
// IUnknown (0-2) and IDispatch (3-6) first, then the slots below, numbered in the comments.
// Texts are BSTRs; an out BSTR belongs to the caller.
#include "framework/Platform.h"
#include <oaidl.h>

// {35C53932-86CC-4AA4-8EF6-B2D93EEEC8DB}
static const IID IID_IQorMsg = {0x35c53932, 0x86cc, 0x4aa4, {0x8e, 0xf6, 0xb2, 0xd9, 0x3e, 0xee, 0xc8, 0xdb}};

struct IQorMsg : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Sender(BSTR* pVal) = 0;                       // 7
    virtual HRESULT STDMETHODCALLTYPE put_Sender(BSTR newVal) = 0;                      // 8
    virtual HRESULT STDMETHODCALLTYPE get_SenderName(BSTR* pVal) = 0;                   // 9
    virtual HRESULT STDMETHODCALLTYPE put_SenderName(BSTR newVal) = 0;                  // 10
    virtual HRESULT STDMETHODCALLTYPE get_Subject(BSTR* pVal) = 0;                      // 11
    virtual HRESULT STDMETHODCALLTYPE put_Subject(BSTR newVal) = 0;                     // 12
    virtual HRESULT STDMETHODCALLTYPE get_SendTime(BSTR* pVal) = 0;                     // 13 (UTC)
    virtual HRESULT STDMETHODCALLTYPE put_SendTime(BSTR newVal) = 0;                    // 14
    virtual HRESULT STDMETHODCALLTYPE AddReceiver(BSTR account, BSTR name) = 0;         // 15
    virtual HRESULT STDMETHODCALLTYPE get_ContentType(BSTR* pVal) = 0;                  // 16
    virtual HRESULT STDMETHODCALLTYPE put_ContentType(BSTR newVal) = 0;                 // 17
    virtual HRESULT STDMETHODCALLTYPE get_MsgID(BSTR* pVal) = 0;                        // 18
    virtual HRESULT STDMETHODCALLTYPE put_MsgID(BSTR newVal) = 0;                       // 19
    virtual HRESULT STDMETHODCALLTYPE get_ReceiverCount(long* pVal) = 0;                // 20
    virtual HRESULT STDMETHODCALLTYPE AddFile(BSTR path) = 0;                           // 21
    virtual HRESULT STDMETHODCALLTYPE get_FileCount(long* pVal) = 0;                    // 22
    virtual HRESULT STDMETHODCALLTYPE GetFile(long index, BSTR* path) = 0;              // 23
    virtual HRESULT STDMETHODCALLTYPE GetReceiver(long index, BSTR* account, BSTR* name) = 0; // 24
    virtual HRESULT STDMETHODCALLTYPE get_TalkID(BSTR* pVal) = 0;                       // 25
    virtual HRESULT STDMETHODCALLTYPE put_TalkID(BSTR newVal) = 0;                      // 26
    virtual HRESULT STDMETHODCALLTYPE ClearReceivers() = 0;                             // 27
    virtual HRESULT STDMETHODCALLTYPE ClearFiles() = 0;                                 // 28
    virtual HRESULT STDMETHODCALLTYPE get_Content(BSTR* pVal) = 0;                      // 29
    virtual HRESULT STDMETHODCALLTYPE get_Text3(BSTR* pVal) = 0;                        // 30
    virtual HRESULT STDMETHODCALLTYPE put_Text3(BSTR newVal) = 0;                       // 31 third text
    virtual HRESULT STDMETHODCALLTYPE put_Content(BSTR newVal) = 0;                     // 32
    virtual HRESULT STDMETHODCALLTYPE get_MsgFlags(long* pVal) = 0;                     // 33
    virtual HRESULT STDMETHODCALLTYPE put_MsgFlags(long newVal) = 0;                    // 34
    virtual HRESULT STDMETHODCALLTYPE get_MsgType(long* pVal) = 0;                      // 35
    virtual HRESULT STDMETHODCALLTYPE put_MsgType(long newVal) = 0;                     // 36
    virtual HRESULT STDMETHODCALLTYPE SetProperty(BSTR key, BSTR value) = 0;            // 37
    virtual HRESULT STDMETHODCALLTYPE GetProperty(BSTR key, BSTR* value) = 0;           // 38
    virtual HRESULT STDMETHODCALLTYPE get_PropertyCount(long* pVal) = 0;                // 39
    virtual HRESULT STDMETHODCALLTYPE GetPropertyAt(long index, BSTR* key, BSTR* value) = 0; // 40
    virtual HRESULT STDMETHODCALLTYPE AddItem(BSTR text) = 0;                           // 41
    virtual HRESULT STDMETHODCALLTYPE ItemCount(long index, long* pCount) = 0;          // 42
    virtual HRESULT STDMETHODCALLTYPE GetItem(long index, BSTR* text) = 0;              // 43
    virtual HRESULT STDMETHODCALLTYPE ClearItems() = 0;                                 // 44
    virtual HRESULT STDMETHODCALLTYPE Reserved45() = 0;                                 // 45
    virtual HRESULT STDMETHODCALLTYPE Reserved46() = 0;                                 // 46
    virtual HRESULT STDMETHODCALLTYPE get_Text4(BSTR* pVal) = 0;                        // 47
    virtual HRESULT STDMETHODCALLTYPE put_Text4(BSTR newVal) = 0;                       // 48 fourth text
    virtual HRESULT STDMETHODCALLTYPE get_MsgKey(BSTR* pVal) = 0;                       // 49
    virtual HRESULT STDMETHODCALLTYPE put_MsgKey(BSTR newVal) = 0;                      // 50
    virtual HRESULT STDMETHODCALLTYPE Reserved51() = 0;                                 // 51
    virtual HRESULT STDMETHODCALLTYPE Reserved52() = 0;                                 // 52
    virtual HRESULT STDMETHODCALLTYPE get_TalkName(BSTR* pVal) = 0;                     // 53
    virtual HRESULT STDMETHODCALLTYPE put_TalkName(BSTR newVal) = 0;                    // 54
    virtual HRESULT STDMETHODCALLTYPE Reserved55() = 0;                                 // 55
    virtual HRESULT STDMETHODCALLTYPE Reserved56() = 0;                                 // 56
    virtual HRESULT STDMETHODCALLTYPE Reserved57() = 0;                                 // 57
    virtual HRESULT STDMETHODCALLTYPE Reserved58() = 0;                                 // 58
    virtual HRESULT STDMETHODCALLTYPE Reserved59() = 0;                                 // 59
    virtual HRESULT STDMETHODCALLTYPE Reserved60() = 0;                                 // 60
    virtual HRESULT STDMETHODCALLTYPE Reserved61() = 0;                                 // 61
    virtual HRESULT STDMETHODCALLTYPE Reserved62() = 0;                                 // 62
    virtual HRESULT STDMETHODCALLTYPE get_ExtraNumber(long* pVal) = 0;                  // 63
    virtual HRESULT STDMETHODCALLTYPE put_ExtraNumber(long newVal) = 0;                 // 64
    virtual HRESULT STDMETHODCALLTYPE get_ExtraPair(BSTR* pVal) = 0;                    // 65 two texts joined by ";"
    virtual HRESULT STDMETHODCALLTYPE put_ExtraPair(BSTR newVal) = 0;                   // 66
};

__CRT_UUID_DECL(IQorMsg, 0x35c53932, 0x86cc, 0x4aa4, 0x8e, 0xf6, 0xb2, 0xd9, 0x3e, 0xee, 0xc8, 0xdb)
