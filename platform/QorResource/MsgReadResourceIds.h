#pragma once
// Resource numbers of the message centre's reading panes: the title list, the read receipts
// and the content pane with its attachments. The numbers are fixed by the panes that load them.
// (Plain #defines: the resource compiler reads this file too.)

// Dialog templates
#define IDD_MSG_TITLE 15021
#define IDD_MSG_CONTENT 15010
#define IDD_MSG_READSTATE 175

// Controls of the title list (template 15021)
#define IDC_TITLE_LIST 15021
#define IDC_TITLE_LABEL 1010

// Controls of the read receipts (template 175); its close button is IDCANCEL (2)
#define IDC_READSTATE_LIST 1118

// Controls of the content pane (template 15010)
#define IDC_CONTENT_TEXT 15018
#define IDC_CONTENT_RECEIVERS 15041
#define IDC_CONTENT_ATTACH 1041
#define IDC_LINK_CONVERSATION 1159
#define IDC_LINK_REPLY 11254
#define IDC_LINK_WRITE 1160
#define IDC_LINK_READSTATE 1161
#define IDC_HIDDEN_RICHEDIT 65600

// Bitmaps: the list rows' icons (18 x 16 each), the header pictures of the read-state and
// attachment columns
#define IDB_MSG_ROW_ICONS 1122
#define IDB_HEADER_READSTATE 65254
#define IDB_HEADER_ATTACH 231

// The title list's context menu (its first pop-up)
#define IDR_MENU_TITLE 218
#define ID_TITLE_REPLY_CHAT 32854
#define ID_TITLE_READSTATE 32803
#define ID_TITLE_DELETE 32976
#define ID_TITLE_EXPORT 32817

// The text view's context menu (its first pop-up)
#define IDR_MENU_TEXT 145
#define ID_TEXT_UNDO 32830
#define ID_TEXT_CUT 32831
#define ID_TEXT_COPY 32832
#define ID_TEXT_PASTE 32833
#define ID_TEXT_DELETE 32834
#define ID_TEXT_SELECT_ALL 32835
#define ID_PRINT_MESSAGE 32855

// The attachment menu (its first pop-up; position 4 of it, while the file is on disk, is the
// recent-contact pop-up) and the recent-contact items
#define IDR_MENU_ATTACH 1039
#define ID_ATTACH_OPEN 32800
#define ID_ATTACH_OPEN_FOLDER 32807
#define ID_ATTACH_SAVE_AS 32810
#define ID_ATTACH_FORWARD 32822
#define ID_RECENT_CONTACT_FIRST 1034
#define ID_RECENT_CONTACT_LAST 1044

// Strings
#define IDS_MSG_TO 61207
#define IDS_COL_SENDER 61209
#define IDS_COL_RECEIVER 61210
#define IDS_COL_SUBJECT 61211
#define IDS_COL_DATE 61212
#define IDS_EXPORT_TITLE 61219
#define IDS_FOLDER_RECEIVED 61604
#define IDS_FOLDER_SENT 61605
#define IDS_CHOOSE_FOLDER 61465
#define IDS_SAVE_ATTACH_TITLE 61466
#define IDS_ALL_FILES_FILTER 61696
#define IDS_NO_RECEIVE_RIGHT 62021      // %1 the sender
#define IDS_DELETE_ASK 65070
#define IDS_EXPORT_FILTER 65072
#define IDS_EXPORT_OPEN_FAILED 65073    // %1 the path
#define IDS_VIEW_SEARCH 65081
#define IDS_VIEW_UNREAD_BY_RECEIVERS 65085
#define IDS_VIEW_TALK_HISTORY 65086
#define IDS_RECEIPT_RECEIVER 65098
#define IDS_RECEIPT_TIME 65099
#define IDS_RECEIPT_READ 65100
#define IDS_RECEIPT_UNREAD 65101
#define IDS_ATTACH_MISSING_ASK 65102
#define IDS_ATTACH_FAILED 65103         // %1 the file name
#define IDS_ATTACH_DONE_OPEN 65104      // %1 the file name
#define IDS_FOLDER_EXISTS 65163         // %1 the folder
#define IDS_VIEW_USER_FOLDER 65182
#define IDS_SEARCH_NOTHING 65209
#define IDS_DELETING 65212
#define IDS_EXPORTING 65213
#define IDS_ATTACH_UNAVAILABLE 65225
// Our own reports of long tasks that did not end as asked
#define IDS_DELETE_FAILED 16600         // nothing was deleted
#define IDS_DELETE_DONE 16601           // %1 how many
#define IDS_EXPORT_DONE 16602           // %1 how many, %2 the path
#define IDS_EXPORT_WRITE_FAILED 16603   // %1 the path
#define IDS_EXPORT_TOO_LARGE 16604      // %1 how many fit
#define IDS_DELETE_CANCELLED 16605
#define IDS_LINK_NOT_OPENED 16606       // %1 the address
// The texts of a count of one, beside those of other counts above
#define IDS_EXPORT_DONE_ONE 16607       // %1 one, %2 the path
#define IDS_EXPORT_TOO_LARGE_ONE 16608  // %1 one
#define IDS_EXPORT_CANCELLED 16609      // nothing was written
#define IDS_LIST_CHANGED 16610          // the list was shown again; nothing was done
