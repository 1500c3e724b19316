#include "app/CMessage.h"

namespace {

CString FromBstr(BSTR text)
{
    return text ? CString(text, static_cast<int>(::SysStringLen(text))) : CString();
}

} // namespace

HRESULT CMessage::Out(const CString& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = ::SysAllocStringLen(text.GetString(), static_cast<UINT>(text.GetLength()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE CMessage::AddReceiver(BSTR account, BSTR name)
{
    Receiver r;
    r.strName = FromBstr(account);
    r.strText2 = FromBstr(name);
    m_arReceivers.push_back(r);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMessage::AddItem(BSTR text)
{
    Item item;
    item.strText = FromBstr(text);
    m_arItems.push_back(item);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMessage::GetItemCount(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_arItems.size());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMessage::GetItem(LONG index, BSTR* text)
{
    if (!text)
        return E_POINTER;
    *text = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= m_arItems.size())
        return S_FALSE;
    return Out(m_arItems[static_cast<size_t>(index)].strText, text);
}

HRESULT STDMETHODCALLTYPE CMessage::GetReceiverCount(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_arReceivers.size());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMessage::GetReceiver(LONG index, BSTR* account)
{
    if (!account)
        return E_POINTER;
    *account = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= m_arReceivers.size())
        return S_FALSE;
    return Out(m_arReceivers[static_cast<size_t>(index)].strName, account);
}

HRESULT STDMETHODCALLTYPE CMessage::GetReceiverName(LONG index, BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= m_arReceivers.size())
        return S_FALSE;
    return Out(m_arReceivers[static_cast<size_t>(index)].strText2, name);
}

HRESULT STDMETHODCALLTYPE CMessage::GetText1(BSTR* text) { return Out(m_strText1, text); }
HRESULT STDMETHODCALLTYPE CMessage::SetText1(BSTR text) { m_strText1 = FromBstr(text); return S_OK; }
HRESULT STDMETHODCALLTYPE CMessage::GetText2(BSTR* text) { return Out(m_strText2, text); }
HRESULT STDMETHODCALLTYPE CMessage::SetText2(BSTR text) { m_strText2 = FromBstr(text); return S_OK; }
HRESULT STDMETHODCALLTYPE CMessage::GetText3(BSTR* text) { return Out(m_strText3, text); }
HRESULT STDMETHODCALLTYPE CMessage::SetText3(BSTR text) { m_strText3 = FromBstr(text); return S_OK; }
HRESULT STDMETHODCALLTYPE CMessage::GetText4(BSTR* text) { return Out(m_strText4, text); }
HRESULT STDMETHODCALLTYPE CMessage::SetText4(BSTR text) { m_strText4 = FromBstr(text); return S_OK; }

HRESULT STDMETHODCALLTYPE CMessage::ClearReceivers(LONG* result)
{
    if (!result)
        return E_POINTER;
    m_arReceivers.clear();
    *result = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMessage::SetValue(BSTR key, BSTR value)
{
    CString k = FromBstr(key);
    k.MakeLower();
    m_mapValues[k] = FromBstr(value);
    return S_OK;
}

// A key not present is added with an empty value, so reading counts as a key afterwards.
HRESULT STDMETHODCALLTYPE CMessage::GetValue(BSTR key, BSTR* value)
{
    if (!value)
        return E_POINTER;
    CString k = FromBstr(key);
    k.MakeLower();
    return Out(m_mapValues[k], value);
}

HRESULT STDMETHODCALLTYPE CMessage::GetValueCount(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_mapValues.size());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMessage::GetValueAt(LONG index, BSTR* value)
{
    LONG i = 0;
    for (const auto& pair : m_mapValues) {
        if (i++ == index)
            return Out(pair.second, value);
    }
    return Out(CString(), value);
}

HRESULT STDMETHODCALLTYPE CMessage::GetKeyAt(LONG index, BSTR* key)
{
    LONG i = 0;
    for (const auto& pair : m_mapValues) {
        if (i++ == index)
            return Out(pair.first, key);
    }
    return Out(CString(), key);
}

HRESULT STDMETHODCALLTYPE CMessage::GetNumber(LONG* number)
{
    if (!number)
        return E_POINTER;
    *number = m_nNumber;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMessage::SetNumber(LONG number)
{
    m_nNumber = number;
    return S_OK;
}
