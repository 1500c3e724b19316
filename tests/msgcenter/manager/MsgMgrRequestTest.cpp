// What a message-centre request text asks for.
#include "msgcenter/manager/CMsgMgrRequest.h"
#include <gtest/gtest.h>

namespace {

struct RequestCase {
    const wchar_t* text;
    CMsgMgrRequest::Kind kind;
    const wchar_t* talkId;
    const wchar_t* personId;
    const wchar_t* personName;
};

TEST(MsgMgrRequest, EveryFormIsRecognised)
{
    const RequestCase cases[] = {
        {L"", CMsgMgrRequest::kUserViews, L"", L"", L""},
        {L"CONTACT_UNREAD", CMsgMgrRequest::kUnreadByRecipients, L"", L"", L""},
        // The unread request is compared with case: in lower case it is a person without ";".
        {L"contact_unread", CMsgMgrRequest::kPerson, L"", L"", L""},
        {L"GROUP_TALK;talk_7", CMsgMgrRequest::kGroupTalk, L"talk_7", L"", L""},
        {L"group_talk; talk_7 ;rest", CMsgMgrRequest::kGroupTalk, L"talk_7", L"", L""},
        {L"alice;Alice Smith", CMsgMgrRequest::kPerson, L"", L"alice", L"Alice Smith"},
        {L"alice", CMsgMgrRequest::kPerson, L"", L"", L""},
        {L"o'brien;O'Brien", CMsgMgrRequest::kPerson, L"", L"o'brien", L"O'Brien"},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "request '" << c.text << "'");
        CMsgMgrRequest r = CMsgMgrRequest::Parse(c.text);
        EXPECT_EQ(c.kind, r.kind);
        EXPECT_STREQ(c.talkId, r.talkId);
        EXPECT_STREQ(c.personId, r.personId);
        EXPECT_STREQ(c.personName, r.personName);
    }
}

} // namespace
