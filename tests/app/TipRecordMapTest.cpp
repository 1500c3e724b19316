// The mapping between the view library's message item and the tip record, without a window: the
// record a new message becomes, and the item a group operation goes back to the view library as.
#include "app/CTipRecordMap.h"
#include "app/CUnreadMsg.h"
#include "platform/QorView/CQorMsgItem.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

CQorMsgItem Item(int nMsgType)
{
    CQorMsgItem item;
    item.strMsgID = L"id-1";
    item.strSender = L"bob";
    item.strSenderName = L"Bob Stone";
    item.strSubject = L"Lunch?";
    item.strContentType = L"Text/Text";
    item.strSendTime = L"2024-05-06 07:08:09";
    item.strTalkID = L"g_7";
    item.strTalkName = L"Team";
    item.strPicture = L"bob.png";
    item.strMsgInfo = L"info";
    item.strExtra1 = L"first";
    item.strExtra2 = L"second";
    item.nMsgType = nMsgType;
    item.nMsgFlags = 0x4000;
    item.nExtraNumber = 42;
    return item;
}

} // namespace

TEST(TipRecordMapTest, ANewMessageBecomesTheTipOfItsKind)
{
    const struct {
        const char* what;
        int type;
        bool hideSubject;
        int kind;
        const wchar_t* content;
    } cases[] = {
        {"a person's message", 1, false, CUnreadMsg::kKindNewMsg, L"Lunch?"},
        {"a person's message, subjects hidden", 1, true, CUnreadMsg::kKindNewMsg, L""},
        {"a group message", CUnreadMsg::kTypeGroup, false, CUnreadMsg::kKindGroupMsg, L"Team"},
        {"a group operation", CUnreadMsg::kTypeGroupOpt, true, CUnreadMsg::kKindGroupMsg, L"Team"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CUnreadMsg> record(CTipRecordMap::FromViewItem(Item(c.type), c.hideSubject));
        EXPECT_EQ(record->nKind, c.kind) << c.what;
        EXPECT_EQ(record->strContent, CString(c.content)) << c.what;
        EXPECT_EQ(record->strNoticeId, CString(L"id-1")) << c.what;
        EXPECT_EQ(record->strSender, CString(L"bob")) << c.what;
        EXPECT_EQ(record->strPicture, CString(L"bob.png")) << c.what;
        EXPECT_EQ(record->nMsgType, c.type) << c.what;
        EXPECT_EQ(record->bClosable, 1) << c.what;
        EXPECT_EQ(record->nShowTime, 0) << c.what;
        EXPECT_EQ(record->GetCoreMsg(), nullptr) << c.what;
    }
}

// A group operation queued from the view library's message goes back to it whole when opened:
// every field the item came with, its extra number too.
TEST(TipRecordMapTest, AGroupOperationGoesBackAsTheItemItCameAs)
{
    const CQorMsgItem in = Item(CUnreadMsg::kTypeGroupOpt);
    std::unique_ptr<CUnreadMsg> record(CTipRecordMap::FromViewItem(in, false));
    std::unique_ptr<CQorMsgItem> out(CTipRecordMap::ToViewItem(*record));
    EXPECT_EQ(out->strMsgID, in.strMsgID);
    EXPECT_EQ(out->strSender, in.strSender);
    EXPECT_EQ(out->strSenderName, in.strSenderName);
    EXPECT_EQ(out->strContentType, in.strContentType);
    EXPECT_EQ(out->strSendTime, in.strSendTime);
    EXPECT_EQ(out->strTalkID, in.strTalkID);
    EXPECT_EQ(out->strTalkName, in.strTalkName);
    EXPECT_EQ(out->strPicture, in.strPicture);
    EXPECT_EQ(out->strMsgInfo, in.strMsgInfo);
    EXPECT_EQ(out->strExtra1, in.strExtra1);
    EXPECT_EQ(out->strExtra2, in.strExtra2);
    EXPECT_EQ(out->nMsgType, in.nMsgType);
    EXPECT_EQ(out->nMsgFlags, in.nMsgFlags);
    EXPECT_EQ(out->nExtraNumber, in.nExtraNumber);
}
