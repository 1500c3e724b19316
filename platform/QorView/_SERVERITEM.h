#pragma once
// One entry of the server list that the view library keeps for the sign-in panel.
#include "framework/CArray.h"
#include "framework/CString.h"

struct _SERVERITEM {
    CString strServer; // server address (host name or dotted address)
    CString strName;   // display name of the server
    int nPort = 0;
};

// The server list in its stored order.
using CServerItemArray = CArray<_SERVERITEM, const _SERVERITEM&>;
