#pragma once
// The coded values of the message tables: what the view library writes and the message centre
// reads. Each has its one definition here.
#include "framework/Platform.h"

namespace QorDbValues {

// qor_Msg.Col_MsgFolder
constexpr int kFolderReceived = 1;
constexpr int kFolderSent = 2;
// qor_Msg.Col_ReadState: a received message not read yet, and read; a sent message waiting for
// its receipts (the other waiting state is kStateUnread's 0).
constexpr int kStateUnread = 0;
constexpr int kStateRead = 2;
constexpr int kStateWaiting = 4;
// Qor_Talk.Col_Type: meetings (the only kind with a creator) and the two kinds of discussion.
constexpr int kTalkMeeting = 1;
constexpr int kTalkDiscussion = 2;
constexpr int kTalkDiscussionOther = 3;
// qor_Msg_Content.Col_ContentType, compared with case.
constexpr wchar_t kContentRtf[] = L"Text/Rtf";
constexpr wchar_t kContentKtf[] = L"Text/Ktf";
constexpr wchar_t kContentUtf8[] = L"UTF-8";
// qor_Msg_Recv.Col_OpenDate of a receipt whose receiver has not opened the message yet.
constexpr wchar_t kNotOpenedDate[] = L"2000-01-01 12:00:00";

} // namespace QorDbValues
