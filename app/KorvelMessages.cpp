#include "app/KorvelMessages.h"

// Built by the static initialisers in this order; each number is compared in the message maps.
const UINT g_uProtocolSendMsg = ::RegisterWindowMessageW(L"WM_PROTOCOL_SEND_MSG");
const CString g_strEmpty;
const UINT g_uTaskbarCreatedMsg = ::RegisterWindowMessageW(L"TaskbarCreated");
CWnd g_wndNull;
const UINT g_uFileClientNotifyMsg = ::RegisterWindowMessageW(L"WM_FILE_CLIENT_NOTIFY");
