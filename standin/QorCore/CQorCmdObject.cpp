#include "standin/QorCore/CQorCmdObject.h"

// Arguments out of range answer 0 or "" with S_FALSE: the program reads them without
// checking the count first.
HRESULT CQorCmdObject::GetIntArg(long index, long* p)
{
    if (!p)
        return E_POINTER;
    if (index < 0 || static_cast<size_t>(index) >= m_ints.size()) {
        *p = 0;
        return S_FALSE;
    }
    *p = m_ints[index];
    return S_OK;
}

HRESULT CQorCmdObject::GetStrArg(long index, BSTR* p)
{
    if (index < 0 || static_cast<size_t>(index) >= m_strs.size()) {
        HRESULT hr = OutBstr(p, std::wstring());
        return SUCCEEDED(hr) ? S_FALSE : hr;
    }
    return OutBstr(p, m_strs[index]);
}

HRESULT CQorCmdObject::SetField(BSTR name, BSTR value)
{
    std::wstring n = BstrText(name);
    for (auto& f : m_fields) {
        if (::lstrcmpiW(f.first.c_str(), n.c_str()) == 0) {
            f.second = BstrText(value);
            return S_OK;
        }
    }
    m_fields.emplace_back(n, BstrText(value));
    return S_OK;
}

HRESULT CQorCmdObject::Clear()
{
    m_name.clear();
    m_ints.clear();
    m_strs.clear();
    m_fields.clear();
    return S_OK;
}

HRESULT CQorCmdObject::GetField(BSTR name, BSTR* p)
{
    std::wstring n = BstrText(name);
    for (const auto& f : m_fields) {
        if (::lstrcmpiW(f.first.c_str(), n.c_str()) == 0)
            return OutBstr(p, f.second);
    }
    HRESULT hr = OutBstr(p, std::wstring());
    return SUCCEEDED(hr) ? S_FALSE : hr;
}
