#pragma once
// CMessage (Korvel.Message): a plain property bag for one message that other programs fill
// and hand to the console's SendMsg. It needs nothing of the running client, so its methods
// run without a module-state scope.
#include "framework/CComBSTR.h"
#include "framework/CComCoClass.h"
#include "framework/CComObjectRootBase.h"
#include "framework/CString.h"
#include "framework/IDispatchImpl.h"
#include "KorvelLib.h"
#include <map>
#include <vector>

class CMessage : public CComObjectRootBase,
                 public CComCoClass<CMessage, &CLSID_Message>,
                 public IDispatchImpl<IMessage, &IID_IMessage> {
public:
    DECLARE_REGISTRY_RESOURCEID(111)

    BEGIN_COM_MAP(CMessage)
        COM_INTERFACE_ENTRY(IMessage)
        COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    // A receiver: name (the account), second text (the display name) and three more.
    struct Receiver {
        CString strName, strText2, strText3, strText4, strText5;
    };
    // An item: its text first, then fields the bag carries unchanged.
    struct Item {
        CString strText, strText2;
        int n1 = 0, n2 = 0;
        CString strText3, strText4;
    };

    HRESULT STDMETHODCALLTYPE AddReceiver(BSTR account, BSTR name) override;                 // 7
    HRESULT STDMETHODCALLTYPE AddItem(BSTR text) override;                                  // 8
    HRESULT STDMETHODCALLTYPE GetItemCount(LONG* count) override;                           // 9
    HRESULT STDMETHODCALLTYPE GetItem(LONG index, BSTR* text) override;                     // 10
    HRESULT STDMETHODCALLTYPE GetReceiverCount(LONG* count) override;                       // 11
    HRESULT STDMETHODCALLTYPE GetReceiver(LONG index, BSTR* account) override;              // 12
    HRESULT STDMETHODCALLTYPE GetReceiverName(LONG index, BSTR* name) override;             // 13
    HRESULT STDMETHODCALLTYPE GetText1(BSTR* text) override;                                // 14
    HRESULT STDMETHODCALLTYPE SetText1(BSTR text) override;                                 // 15
    HRESULT STDMETHODCALLTYPE GetText2(BSTR* text) override;                                // 16
    HRESULT STDMETHODCALLTYPE SetText2(BSTR text) override;                                 // 17
    HRESULT STDMETHODCALLTYPE GetText3(BSTR* text) override;                                // 18
    HRESULT STDMETHODCALLTYPE SetText3(BSTR text) override;                                 // 19
    HRESULT STDMETHODCALLTYPE ClearReceivers(LONG* result) override;                        // 20
    HRESULT STDMETHODCALLTYPE SetValue(BSTR key, BSTR value) override;                      // 21
    HRESULT STDMETHODCALLTYPE GetValue(BSTR key, BSTR* value) override;                     // 22
    HRESULT STDMETHODCALLTYPE GetValueCount(LONG* count) override;                          // 23
    HRESULT STDMETHODCALLTYPE GetValueAt(LONG index, BSTR* value) override;                 // 24
    HRESULT STDMETHODCALLTYPE GetKeyAt(LONG index, BSTR* key) override;                     // 25
    HRESULT STDMETHODCALLTYPE GetText4(BSTR* text) override;                                // 26
    HRESULT STDMETHODCALLTYPE SetText4(BSTR text) override;                                 // 27
    HRESULT STDMETHODCALLTYPE GetNumber(LONG* number) override;                             // 28
    HRESULT STDMETHODCALLTYPE SetNumber(LONG number) override;                              // 29

    CString m_strText3;
    CString m_strText4;
    CString m_strText1;
    CString m_strText2;
    long m_nNumber = 0;
    std::vector<Receiver> m_arReceivers;
    std::vector<Item> m_arItems;
    std::map<CString, CString> m_mapValues; // keys lower-cased

private:
    static HRESULT Out(const CString& text, BSTR* out);
};
