#pragma once
// Numbers of the history viewer's, the history deletion dialog's and the download progress
// dialog's templates, controls, strings and bitmap in the resource module. Plain #defines: the
// resource compiler reads this file too.

// History viewer pane
#define IDD_HISTORY_VIEWER 193
#define IDC_HISTORY_VIEW 1168
#define IDC_HISTORY_PAGE_EDIT 1169
#define IDC_HISTORY_FIRST_PAGE 1171
#define IDC_HISTORY_PAGE_COUNT 1172
#define IDC_HISTORY_PAGE_CAPTION 1173
#define IDC_HISTORY_PREV_PAGE 1174
#define IDC_HISTORY_NEXT_PAGE 1175
#define IDC_HISTORY_LAST_PAGE 1176
#define IDC_HISTORY_DELETE_LINK 1178
#define IDB_HISTORY_PLACEHOLDER 11159 // drawn in place of a picture whose file cannot be shown

// History deletion dialog
#define IDD_HISTORY_DELETE 195
#define IDC_HISTORY_DELETE_DAYS 1179
#define IDC_HISTORY_DELETE_LABEL1 1180
#define IDC_HISTORY_DELETE_LABEL2 1181
#define IDC_HISTORY_DELETE_ALL 1182 // check box: the whole conversation, whatever its age

// Download progress dialog
#define IDD_DOWNLOAD_PROGRESS 15027
#define IDC_DOWNLOAD_PROGRESS 1183
#define IDC_DOWNLOAD_PERCENT 1184
#define IDC_DOWNLOAD_TEXT 1185
#define IDC_DOWNLOAD_CANCEL 1187

// Strings
#define IDS_DOWNLOAD_FAILED 65103        // %1 = the file name (text in MsgReadResource.rc)
#define IDS_DOWNLOAD_DONE_OPEN 65104     // %1 = the file name
#define IDS_HISTORY_OPEN_FOLDER 65226
#define IDS_HISTORY_PAGE_COUNT 65227     // %d = the number of pages
#define IDS_HISTORY_PAGE_CAPTION 65228
#define IDS_HISTORY_DELETE 65230
#define IDS_HISTORY_DELETE_CONFIRM 65231 // %d = the number of days
#define IDS_HISTORY_DELETE_ALL_CONFIRM 65232
#define IDS_HISTORY_DELETE_NO_DAYS 65341
#define IDS_HISTORY_DELETE_BAD_DAYS 65342
#define IDS_HISTORY_DELETE_FAILED 65343
