#pragma once
// Numbers of the message centre's resources in QorResource.dll (templates, menus, strings,
// bitmaps). Fixed by the windows that load them; the names are ours. Plain #defines: the
// resource compiler reads this file too.

// Dialog templates (IDD_WEB_MSG 199 and IDD_MSG_MANAGER 134 are in ResourceIds.h)
#define IDD_MSG_ORGTREE 198
#define IDD_MSG_SEARCH 1034
#define IDD_USER_SEARCH 1037
#define IDD_MSG_BASE 15009
// The title list and the content pane (their own resource files define them too, alike)
#define IDD_MSG_CONTENT 15010
#define IDD_MSG_TITLE 15021

// The manager window (template 134)
#define IDC_MGR_PANE_AREA 1004
#define IDC_MGR_TREE 1018
#define IDC_MGR_VIEW_BUTTON 1039
#define IDC_MGR_TAB_LOCAL 1191
#define IDC_MGR_TAB_ROAM 1192
#define IDC_MGR_SPLIT_BAR 15044
#define IDC_MGR_LEFT_FRAME 15053

// The base pane (template 15009)
#define IDC_BASE_TOOLBAR 1132
#define IDC_BASE_SPLITTER 15020
#define IDC_BASE_UPPER 15051
#define IDC_BASE_LOWER 15052

// The organisation pane (template 198) and the web pane (template 199)
#define IDC_ORG_VIEW_COMBO 1192
#define IDC_ORG_TREE_FRAME 1194
#define IDC_WEB_FRAME 1193

// The message search (template 1034) and person search (template 1037) dialogs
#define IDC_SEARCH_TEXT 15018
#define IDC_SEARCH_PERSON 1027
#define IDC_SEARCH_THIS_PERSON 1060
#define IDC_SEARCH_ANY_PERSON 1061
#define IDC_SEARCH_ANY_DATE 1062
#define IDC_SEARCH_DATE_RANGE 1063
#define IDC_SEARCH_DATE_PICKER 111
#define IDC_USER_SEARCH_CAPTION 65193

// Menus: the view button's menu and the discussion nodes' context menu, and their commands
#define IDR_MENU_MSG_VIEWS 1027
#define IDR_MENU_MSG_TALK 174
#define ID_MSG_VIEW_ORG 32775
#define ID_MSG_VIEW_FOLDERS 32777
#define ID_MSG_VIEW_USER_VIEWS 32780
#define ID_MSG_DELETE_TALK 32801
#define ID_MSG_HIDE 32804
#define ID_MSG_CMD_EXPORT 32805
#define ID_MSG_CMD_DELETE 32806
#define ID_MSG_CMD_REFRESH 32807
#define ID_MSG_CMD_SEARCH 32808
#define ID_MSG_CMD_ADD_PERSONS 32809

// Bitmaps: the folder tree's node images (16 x 16 each, white is transparent)
#define IDB_MSG_TREE_IMAGES 15081

// Strings (61220, the message-box caption, and 65214, shared with the tips, are elsewhere; the
// texts of 61604, 61605, 65081 and 65085 stand in MsgReadResource.rc under the title list's names)
#define IDS_MSG_RECEIVED 61604
#define IDS_MSG_SENT 61605
#define IDS_MSG_USER_VIEWS 61624
#define IDS_MSG_RECENT_CONTACTS 61850
#define IDS_MSG_TOOL_EXPORT 65076
#define IDS_MSG_TOOL_SEARCH 65077
#define IDS_MSG_TOOL_DELETE 65078
#define IDS_MSG_TOOL_REFRESH 65079
#define IDS_MSG_SEARCH_RESULTS 65081
#define IDS_MSG_PERSONS 65082
#define IDS_MSG_UNREAD_BY_RECIPIENTS 65085
#define IDS_MSG_ASK_DELETE_TALK 65096
#define IDS_MSG_MANAGER_TITLE 65200
#define IDS_MSG_TALK_ROOT 65214
#define IDS_MSG_VIEW_FOLDERS 65246
#define IDS_MSG_VIEW_ORG 65247
#define IDS_MSG_DELETE_TALK_FAILED 65248
