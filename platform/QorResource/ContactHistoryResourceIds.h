#pragma once
// Resource numbers of the contact-history pane: the messages exchanged with one contact around
// one message's date. Its list shares the title list's icons, header pictures, column titles and
// context menu (MsgReadResourceIds.h). (Plain #defines: the resource compiler reads this file too.)

#define IDD_MSG_TITLE_EX 15034

// Controls of template 15034
#define IDC_HISTORY_LIST 15021
#define IDC_HISTORY_LABEL 1010
#define IDC_HISTORY_BACK_LINK 1160

// Reports of the pane's export and deletion
#define IDS_HISTORY_DELETE_DONE 16640      // %1 how many
#define IDS_HISTORY_DELETE_CANCELLED 16641 // %1 deleted, %2 selected
#define IDS_CONTACT_HISTORY_DELETE_STOPPED 16642    // %1 deleted, %2 selected
#define IDS_HISTORY_EXPORT_CANCELLED 16643 // %1 how many, %2 the path
#define IDS_HISTORY_EXPORT_CANCELLED_ONE 16644 // %1 one, %2 the path
