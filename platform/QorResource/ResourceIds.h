#pragma once
// Numbers of the resources in QorResource.dll, shared by the program and the resource
// script. The numbers are fixed by the windows that load them; the names are ours.
// (Plain #defines: the resource compiler reads this file too.)

// Dialog templates
#define IDD_MSG_MANAGER 134
#define IDD_NET_SETTINGS 158
#define IDD_NET_CHECK 192
#define IDD_LOGIN_WAIT 188
#define IDD_WEB_MSG 199
#define IDD_WEB_DIALOG 208
#define IDD_LOGIN_BYNAME 1044
#define IDD_UPDATE_PROMPT 1045
#define IDD_CONNECT_ERR 15024
#define IDD_WAITING 15031
#define IDD_MAIN_WINDOW 15033
#define IDD_LOGIN_DIALOG 15035

// Icons and bitmaps
#define IDI_MAINFRAME 128
#define IDB_HEAD_DEFAULT 172
#define IDB_MAIN_BK 186
#define IDB_ICON_PASSWORD 1021
#define IDB_ICON_SERVER 1023
#define IDB_ICON_USER 1024
#define IDB_NETCHECK_PASSED 194
#define IDB_NETCHECK_FAILED 195
#define IDB_NETCHECK_SKIPPED 16194 // a check that could not run here (no right to send echo requests)
#define IDB_TRAY_STATUS 129 // the tray's status images: 16 x 16 each, magenta transparent

// The sign-in panel's status menu and its commands (the status each one chooses)
#define IDR_MENU_LOGIN_STATUS 1017
#define ID_LOGIN_STATUS_ONLINE 32767    // 3
#define ID_LOGIN_STATUS_INVISIBLE 32769 // 6
#define ID_LOGIN_STATUS_AWAY 32776      // 5
#define ID_LOGIN_STATUS_BUSY 32825      // 4
#define ID_LOGIN_STATUS_DND 32847       // 8

// The main window's status menu (its first pop-up; the fifth item of that pop-up is the
// status sub-menu, where the user's custom statuses are inserted) and the main window's commands
#define IDR_MENU_STATUS 148
#define ID_MENU_OPTIONS 32780
#define ID_MENU_NOTHING 32788
#define ID_MENU_SIGN_OUT 32809
#define ID_STATUS_BUSY 32816      // status 4
#define ID_STATUS_DND 32819       // status 8
#define ID_MENU_ABOUT 32895
#define ID_MENU_HELP 32897
#define ID_MENU_SIGN_IN 32900
#define ID_MENU_SHOW_MAIN 32904
#define ID_MENU_EXIT 32906
#define ID_STATUS_ONLINE 32908    // status 3
#define ID_STATUS_INVISIBLE 32910 // status 6
#define ID_STATUS_AWAY 32913      // status 5
#define ID_MENU_ABOUT2 65253
#define ID_CUSTOM_STATUS_FIRST 5410 // custom status n (from 0) is 5410 + n
#define ID_CUSTOM_STATUS_LAST 5460

// The web dialog (template IDD_WEB_DIALOG): its browser window
#define IDC_WEB_BROWSER 3002

// The update prompt (template IDD_UPDATE_PROMPT)
#define IDC_UPDATE_TEXT 1046

// Controls of the sign-in panel (template 15035)
#define IDC_ICON_SERVER 554
#define IDC_ICON_USER 555
#define IDC_ICON_USER_LINE 556
#define IDC_ICON_PASSWORD 557
#define IDC_ICON_PASSWORD_LINE 558
#define IDC_SERVER_COMBO 1012
#define IDC_USER_CAPTION 1014
#define IDC_PASSWORD_CAPTION 1016
#define IDC_ERROR_MARK 1018
#define IDC_SERVER_CAPTION 1020
#define IDC_BYNAME_NAME 1077
#define IDC_REMEMBER_ME 1143
#define IDC_STATUS_BUTTON 1145
#define IDC_CHECK_CAPTION 1146
#define IDC_NET_SETTINGS 1188
#define IDC_SWITCH_MODE 1189
#define IDC_ERROR_TEXT 2021
#define IDC_USER_EDIT 5000
#define IDC_PASSWORD_EDIT 5002
#define IDC_LOGIN_BUTTON 5004
#define IDC_AUTO_LOGIN 5005
#define IDC_SAVE_PASSWORD 5006
#define IDC_HEAD_PIC 11132
#define IDC_LOGO_STRIP 11323

// Controls of the sign-in by display name (template 1044)
#define IDC_BYNAME_ACCOUNT 1013
#define IDC_BYNAME_PASSWORD_CAPTION 1014
#define IDC_BYNAME_NAME_CAPTION 1016
#define IDC_BYNAME_DEPT 1073
#define IDC_BYNAME_PASSWORD 5002

// Controls of the network check (template 192): one picture per check, in the order they run
#define IDC_NETCHECK_CORE 1110
#define IDC_NETCHECK_CONSOLE 1107
#define IDC_NETCHECK_NETWORK 1108
#define IDC_NETCHECK_ECHO 1020
#define IDC_NETCHECK_CONNECT 1022
#define IDC_NETCHECK_STATUS 11142

// Controls of the network settings (template 158)
#define IDC_NETSET_SPLIT_LINE 1007
#define IDC_NETSET_SERVER_PORT 1012
#define IDC_NETSET_DELETE 1017
#define IDC_NETSET_SERVER 1018
#define IDC_NETSET_PROXY_TYPE 207
#define IDC_NETSET_PROXY_HOST 1164
#define IDC_NETSET_PROXY_PORT 1165
#define IDC_NETSET_PROXY_USER 1166
#define IDC_NETSET_PROXY_PASSWORD 1167
#define IDC_NETSET_PROXY_DOMAIN 1162

// Strings
#define IDS_TRAY_TIP 147 // the tray tooltip; %1 is the product name
#define IDS_MSGBOX_CAPTION 61220
#define IDS_LOGIN_BUTTON_TIP 61780
// The one text for a session that ended without the user asking: the tip of a lost
// connection and the sign-out the server forces with reason 227 both show it.
#define IDS_CONNECTION_ENDED 61786
#define IDS_PRODUCT_TITLE 61951
#define IDS_PRODUCT_NAME 61952
#define IDS_OPTIONS_DENIED 62070
#define IDS_LOGIN_CAPTION 62074
#define IDS_ENTER_SERVER 62083
#define IDS_CHANGE_PASSWORD 62092
#define IDS_ACCOUNT_SIGNED_IN 65204
#define IDS_NET_SETTINGS 65315
#define IDS_SWITCH_LOGIN_MODE 65323
#define IDS_SWITCH_LOGIN_MODE_TIP 65324
// Sign-in by display name, network check, network settings
#define IDS_BYNAME_NOT_FOUND 61500         // %1 the display name
#define IDS_NETCHECK_NOT_INSTALLED 62084   // %1, %2 the product
#define IDS_NETCHECK_NO_NETWORK 62085
#define IDS_NETCHECK_NO_ECHO 62086         // %1 the product
#define IDS_NETCHECK_NO_CONNECT 62087      // %1 the product
#define IDS_NETCHECK_PASSED 62088
#define IDS_NETCHECK_ECHO_NOT_ALLOWED 16500
#define IDS_NETCHECK_PASSED_NO_ECHO 16501
#define IDS_PROXY_CAPTION 61467
#define IDS_PROXY_INCOMPLETE 61551
#define IDS_PROXY_SOCKS5 61760
#define IDS_PROXY_HTTP 61761
#define IDS_PROXY_NONE 61763
#define IDS_PORT_RANGE 65263               // %1 lowest, %2 highest
#define IDS_DELETE_SERVERS_ASK 65301
#define IDS_HELP_NO_SERVER 65490 // the help page needs a server and none is known yet

// The waiting dialog (template IDD_WAITING) and the attachment list's row icons
#define IDC_WAITING_TEXT 1119
#define IDC_WAITING_PERCENT 1148
#define IDC_WAITING_PROGRESS 1150
#define IDI_ATTACH_FOLDER 11006
#define IDI_ATTACH_DOWNED 11008
#define IDI_ATTACH_FORWARDED 11009
