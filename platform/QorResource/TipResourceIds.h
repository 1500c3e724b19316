#pragma once
// Numbers of the notification tips' strings and icons in the resource module. Plain
// #defines: the resource compiler reads this file too.

// Strings
#define IDS_TIP_GROUP_COUNT 148      // %1 group name, %2 number of its messages
#define IDS_TIP_SENDER 149           // %1 sender name
#define IDS_TIP_NEW_COUNT 150        // %1 one new message
#define IDS_TIP_NEW_COUNT_MANY 16630 // %1 number of new messages (any count but one)
#define IDS_TIP_ONLINE 65106         // %1 name
#define IDS_TIP_TALK_SENDER 65132    // the sender of a talk message
#define IDS_TIP_PROTECTED 65134      // content line of a protected message
#define IDS_TIP_SHAKE 65185          // %1 name
#define IDS_TIP_FLASH_LOGIN 65205    // %1 name
#define IDS_TIP_BULLETIN 65211       // %1 name, %2 title (or %1 title)
#define IDS_TIP_NO_GROUP_NAME 65214
#define IDS_TIP_SENT 65219           // %1 second text, %2 content
#define IDS_TIP_DAYS_AGO 65220       // %1 days (any count but one)
#define IDS_TIP_DAYS_AGO_ONE 16631   // %1 one day
#define IDS_TIP_OPEN_ALL 65221       // %1 number of entries
#define IDS_TIP_REFUSED_FILE 65222   // %1 name, %2 file
#define IDS_TIP_DOWNLOADED 65223     // %1 name, %2 file
#define IDS_TIP_SHOW_ALL 65224
#define IDS_RESOURCE_LANGUAGE 61923  // "CHS" in the Chinese resource module
// Texts of a sign-out that the server forces, by its reason code (227 has IDS_CONNECTION_ENDED).
#define IDS_SIGNOUT_ELSEWHERE 61774  // reason 223
#define IDS_SIGNOUT_BY_ADMIN 61784   // reason 224

// Icons
#define IDI_TIP_RECEIPT 128
#define IDI_TIP_PERSON 184
#define IDI_TIP_CLOSE 187
#define IDI_TIP_DEFAULT 189
#define IDI_TIP_GROUP 1030

// The close button of every tip.
#define ID_TIP_CLOSE 990
