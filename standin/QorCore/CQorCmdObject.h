#pragma once
// "QorCore.QorCmd": one event of the core (a command name, integer and string arguments
// by index and named fields), as the core hands it to the callback sinks.
#include "platform/QorCore/IQorCmd.h"
#include "standin/QorCore/QorComObject.h"
#include <string>
#include <utility>
#include <vector>

class CQorCmdObject : public QorComObject<IQorCmd> {
public:
    CQorCmdObject() : QorComObject<IQorCmd>(IID_IQorCmd) {}

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* p) override { return OutBstr(p, m_name); }
    HRESULT STDMETHODCALLTYPE put_Name(BSTR v) override { m_name = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE get_IntArgCount(long* p) override { return OutLong(p, static_cast<long>(m_ints.size())); }
    HRESULT STDMETHODCALLTYPE get_StrArgCount(long* p) override { return OutLong(p, static_cast<long>(m_strs.size())); }
    HRESULT STDMETHODCALLTYPE GetIntArg(long index, long* p) override;
    HRESULT STDMETHODCALLTYPE GetStrArg(long index, BSTR* p) override;
    HRESULT STDMETHODCALLTYPE AddIntArg(long v) override { m_ints.push_back(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE AddStrArg(BSTR v) override { m_strs.push_back(BstrText(v)); return S_OK; }
    HRESULT STDMETHODCALLTYPE SetField(BSTR name, BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_FieldCount(long* p) override { return OutLong(p, static_cast<long>(m_fields.size())); }
    HRESULT STDMETHODCALLTYPE Clear() override;
    HRESULT STDMETHODCALLTYPE GetField(BSTR name, BSTR* p) override;

private:
    std::wstring m_name;
    std::vector<long> m_ints;
    std::vector<std::wstring> m_strs;
    std::vector<std::pair<std::wstring, std::wstring>> m_fields;
};
