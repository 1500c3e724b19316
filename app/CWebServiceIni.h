#pragma once
// "WebServiceUrl.ini" in the program's work folder: the address of the server's web service for
// the web sign-in ([Info] "Url") and the domain that Windows-account sign-ins use ([Domain]).
#include "framework/CString.h"

class CWebServiceIni {
public:
    CWebServiceIni() = delete;

    static CString GetPath();
    // [Info] "Url"; empty when the file does not exist.
    static CString GetWebServiceUrl();
    // [Domain] "DomainValue" when "DomainDisable" is 1 (TRUE); else an empty text and FALSE.
    static BOOL GetDomainValue(CString& strDomain);
};
