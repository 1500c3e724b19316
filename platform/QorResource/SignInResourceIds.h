#pragma once
// Numbers of the sign-in progress panel's, the reconnect panel's and the error information
// dialog's controls and of the sign-in road's strings in the resource module (the templates
// themselves are in ResourceIds.h). Plain #defines: the resource compiler reads this file too.

// Error information dialog
#define IDD_ERROR_INFO 196
#define IDC_ERROR_INFO_TEXT1 1112
#define IDC_ERROR_INFO_TEXT2 1113

// Controls of the progress panel (template 188) and the reconnect panel (template 15024)
#define IDC_PANEL_FRAME 1004
#define IDC_PANEL_FOOTER 11133
#define IDC_PANEL_CAPTION 11132
#define IDC_WAIT_ANIMATION 1105
#define IDC_STAGE_TEXT 11142         // also the reconnect panel's countdown text
#define IDC_PANEL_CANCEL 11012       // cancel the sign-in / give up
#define IDC_RECONNECT_NOW 11013
#define IDC_RETRY_LINK 1111
#define IDC_NET_CHECK_LINK 1109
#define IDC_RECONNECT_TEXT1 1075
#define IDC_RECONNECT_TEXT2 1122
#define IDC_RECONNECT_TEXT3 1123
// IDC_LOGO_STRIP (11323) is the logo on every panel.

// Stages of a sign-in, shown by the progress panel
#define IDS_STAGE_CONNECTING 61856
#define IDS_STAGE_CONNECTED 61857
#define IDS_STAGE_UNREACHABLE 61858
#define IDS_STAGE_SIGNING_IN 61859
#define IDS_STAGE_CHECKING 61860
#define IDS_STAGE_LOST 61861
#define IDS_STAGE_FAILED 61862
#define IDS_STAGE_LOADING 61863
#define IDS_STAGE_CONTACTS 62077
#define IDS_STAGE_SETTINGS 62080
#define IDS_NET_CHECK_LINK 62089

#define IDS_LOGIN_ERROR_CAPTION 62079
#define IDS_RECONNECT_COUNTDOWN 65107  // %s the time left, "m:ss"
#define IDS_UPDATE_OFFERED 65210
#define IDS_WEB_LOGIN_NO_ANSWER 65400
#define IDS_WEB_LOGIN_REFUSED 65401
