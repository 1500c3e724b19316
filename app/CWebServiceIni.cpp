#include "app/CWebServiceIni.h"
#include "common/CBaseFun.h"
#include "platform/QorView/CQorViewBaseFun.h"

CString CWebServiceIni::GetPath()
{
    return CQorViewBaseFun::GetWorkDir() + L"\\WebServiceUrl.ini";
}

CString CWebServiceIni::GetWebServiceUrl()
{
    const CString path = GetPath();
    if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return CString();
    return CBaseFun::GetIniString(path, L"Info", L"Url");
}

BOOL CWebServiceIni::GetDomainValue(CString& strDomain)
{
    strDomain.Empty();
    const CString path = GetPath();
    // The key's name reads the other way round: 1 switches the fixed domain on.
    if (CBaseFun::GetIniInt(path, L"Domain", L"DomainDisable", -1) != 1)
        return FALSE;
    strDomain = CBaseFun::GetIniString(path, L"Domain", L"DomainValue");
    return TRUE;
}
