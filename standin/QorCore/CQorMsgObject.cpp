#include "standin/QorCore/CQorMsgObject.h"

namespace {
bool InRange(long index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }
} // namespace

HRESULT CQorMsgObject::AddReceiver(BSTR account, BSTR name)
{
    m_receivers.emplace_back(BstrText(account), BstrText(name));
    return S_OK;
}

HRESULT CQorMsgObject::AddFile(BSTR path)
{
    m_files.push_back(BstrText(path));
    return S_OK;
}

HRESULT CQorMsgObject::GetFile(long index, BSTR* path)
{
    if (!path)
        return E_POINTER;
    *path = nullptr;
    if (!InRange(index, m_files.size()))
        return E_INVALIDARG;
    return OutBstr(path, m_files[index]);
}

HRESULT CQorMsgObject::GetReceiver(long index, BSTR* account, BSTR* name)
{
    if (!account || !name)
        return E_POINTER;
    *account = *name = nullptr;
    if (!InRange(index, m_receivers.size()))
        return E_INVALIDARG;
    HRESULT hr = OutBstr(account, m_receivers[index].first);
    if (SUCCEEDED(hr))
        hr = OutBstr(name, m_receivers[index].second);
    return hr;
}

// Keys are compared without case: a second SetProperty of the same key replaces its value.
HRESULT CQorMsgObject::SetProperty(BSTR key, BSTR value)
{
    std::wstring k = BstrText(key);
    for (auto& p : m_props) {
        if (::lstrcmpiW(p.first.c_str(), k.c_str()) == 0) {
            p.second = BstrText(value);
            return S_OK;
        }
    }
    m_props.emplace_back(k, BstrText(value));
    return S_OK;
}

HRESULT CQorMsgObject::GetProperty(BSTR key, BSTR* value)
{
    std::wstring k = BstrText(key);
    for (const auto& p : m_props) {
        if (::lstrcmpiW(p.first.c_str(), k.c_str()) == 0)
            return OutBstr(value, p.second);
    }
    HRESULT hr = OutBstr(value, std::wstring());
    return SUCCEEDED(hr) ? S_FALSE : hr;
}

HRESULT CQorMsgObject::GetPropertyAt(long index, BSTR* key, BSTR* value)
{
    if (!key || !value)
        return E_POINTER;
    *key = *value = nullptr;
    if (!InRange(index, m_props.size()))
        return E_INVALIDARG;
    HRESULT hr = OutBstr(key, m_props[index].first);
    if (SUCCEEDED(hr))
        hr = OutBstr(value, m_props[index].second);
    return hr;
}

// The number of items of the message; the index names the item group and only group 0
// exists.
HRESULT CQorMsgObject::ItemCount(long index, long* pCount)
{
    return OutLong(pCount, index == 0 ? static_cast<long>(m_items.size()) : 0);
}

HRESULT CQorMsgObject::GetItem(long index, BSTR* text)
{
    if (!text)
        return E_POINTER;
    *text = nullptr;
    if (!InRange(index, m_items.size()))
        return E_INVALIDARG;
    return OutBstr(text, m_items[index]);
}
