#include "app/CQorCoreReader.h"
#include "framework/CComBSTR.h"

namespace {

CString Text(const CComBSTR& b)
{
    return CString(static_cast<BSTR>(b), static_cast<int>(b.Length()));
}

} // namespace

CString CQorCoreReader::CmdName(IQorCmd* pCmd)
{
    CComBSTR b;
    if (!pCmd || FAILED(pCmd->get_Name(&b)))
        return CString();
    return Text(b);
}

int CQorCoreReader::CmdInt(IQorCmd* pCmd, long nIndex)
{
    long n = 0;
    if (!pCmd || FAILED(pCmd->GetIntArg(nIndex, &n)))
        return 0;
    return static_cast<int>(n);
}

CString CQorCoreReader::CmdStr(IQorCmd* pCmd, long nIndex)
{
    CComBSTR b;
    if (!pCmd || FAILED(pCmd->GetStrArg(nIndex, &b)))
        return CString();
    return Text(b);
}

CString CQorCoreReader::CmdField(IQorCmd* pCmd, const wchar_t* pszName)
{
    CComBSTR name(pszName), b;
    if (!pCmd || FAILED(pCmd->GetField(name, &b)))
        return CString();
    return Text(b);
}

CString CQorCoreReader::MsgText(IQorMsg* pMsg, HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(BSTR*))
{
    CComBSTR b;
    if (!pMsg || FAILED((pMsg->*getter)(&b)))
        return CString();
    return Text(b);
}

int CQorCoreReader::MsgInt(IQorMsg* pMsg, HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(long*))
{
    long n = 0;
    if (!pMsg || FAILED((pMsg->*getter)(&n)))
        return 0;
    return static_cast<int>(n);
}

int CQorCoreReader::MsgItemCount(IQorMsg* pMsg, long nIndex)
{
    long n = 0;
    if (!pMsg || FAILED(pMsg->ItemCount(nIndex, &n)))
        return 0;
    return static_cast<int>(n);
}
