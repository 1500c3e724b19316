#pragma once
// Resource numbers of the group-talk pane of the message centre (template 173). The numbers
// are fixed by the pane that loads them. (Plain #defines: the resource compiler reads this file.)

#define IDD_MSG_MEETING 173

// Controls: the talk list above a splitter bar, the talk's messages below it and the talk's
// attachments in a narrow list at the right of the messages.
#define IDC_MEETING_LABEL 1054
#define IDC_MEETING_TALKS 1116
#define IDC_MEETING_SPLITTER 15020
#define IDC_MEETING_HISTORY 11161
#define IDC_MEETING_ATTACH 1041

// Strings: the talk list's column titles (three for meetings, two for the other kinds) and its
// label for each
#define IDS_MEETING_COL_SUBJECT 65093
#define IDS_MEETING_COL_CREATED 65094
#define IDS_MEETING_COL_CREATOR 65095
#define IDS_TALK_COL_SUBJECT 65215
#define IDS_TALK_COL_CREATED 65216
#define IDS_MEETING_LABEL 65217
#define IDS_TALK_LABEL 65218
// Our own report of talks that stayed because their deletion failed (%1 how many)
#define IDS_MEETING_DELETE_FAILED 16620
// Our own report of an attachment download that could not be started (%1 the file name)
#define IDS_MEETING_DOWNLOAD_NOT_STARTED 16621
