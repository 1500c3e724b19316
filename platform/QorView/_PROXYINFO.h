#pragma once
// The proxy setting handed to the view library before a sign-in and stored by it.
#include "framework/CString.h"

struct _PROXYINFO {
    int nType = 0;        // 0 = no proxy
    CString strHost;
    int nPort = 0;
    CString strUser;
    CString strPassword;
    CString strDomain;    // the further text of the setting
    int nFlag = 0;        // the proxy kind chosen in the network settings (0, 3 or 4)
};
