#include "app/CTipRecordMap.h"
#include "app/CQorCoreReader.h"
#include "app/CUnreadMsg.h"
#include "framework/CStringArray.h"
#include "platform/QorView/CQorMsgItem.h"
#include "platform/QorView/CQorViewBaseFun.h"

namespace {

// Each message field and the record field it fills.
const struct {
    CString CQorMsgItem::*item;
    CString CUnreadMsg::*record;
} kTexts[] = {
    {&CQorMsgItem::strMsgID, &CUnreadMsg::strNoticeId},
    {&CQorMsgItem::strSender, &CUnreadMsg::strSender},
    {&CQorMsgItem::strSenderName, &CUnreadMsg::strSenderName},
    {&CQorMsgItem::strContentType, &CUnreadMsg::strContentType},
    {&CQorMsgItem::strSendTime, &CUnreadMsg::strSendTime},
    {&CQorMsgItem::strTalkID, &CUnreadMsg::strTalkId},
    {&CQorMsgItem::strMsgInfo, &CUnreadMsg::strMsgInfo},
    {&CQorMsgItem::strExtra1, &CUnreadMsg::strMsgString1},
    {&CQorMsgItem::strExtra2, &CUnreadMsg::strMsgString2},
    {&CQorMsgItem::strPicture, &CUnreadMsg::strPicture},
};

const struct {
    int CQorMsgItem::*item;
    int CUnreadMsg::*record;
} kNumbers[] = {
    {&CQorMsgItem::nMsgType, &CUnreadMsg::nMsgType},
    {&CQorMsgItem::nMsgFlags, &CUnreadMsg::nFlags},
    {&CQorMsgItem::nExtraNumber, &CUnreadMsg::nMsgWord},
};

} // namespace

void CTipRecordMap::CopyToRecord(const CQorMsgItem& item, CUnreadMsg& record)
{
    for (const auto& field : kTexts)
        record.*field.record = item.*field.item;
    for (const auto& field : kNumbers)
        record.*field.record = item.*field.item;
    record.bClosable = 1;
}

CUnreadMsg* CTipRecordMap::FromViewItem(const CQorMsgItem& item, bool bHideSubject)
{
    auto* pRecord = new CUnreadMsg;
    CopyToRecord(item, *pRecord);
    if (CUnreadMsg::IsGroupType(item.nMsgType)) {
        pRecord->nKind = CUnreadMsg::kKindGroupMsg;
        pRecord->strContent = item.strTalkName;
    } else {
        pRecord->nKind = CUnreadMsg::kKindNewMsg;
        if (!bHideSubject)
            pRecord->strContent = item.strSubject;
    }
    pRecord->nShowTime = 0;
    return pRecord;
}

CQorMsgItem* CTipRecordMap::ToViewItem(const CUnreadMsg& record)
{
    auto* pItem = new CQorMsgItem;
    for (const auto& field : kTexts)
        pItem->*field.item = record.*field.record;
    for (const auto& field : kNumbers)
        pItem->*field.item = record.*field.record;
    // A group's record shows the group's name.
    pItem->strTalkName = record.strContent;
    return pItem;
}

CQorMsgItem CTipRecordMap::ReadCoreMsg(IQorMsg* pMsg)
{
    CQorMsgItem msg;
    msg.strSenderName = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_SenderName);
    msg.strSender = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_Sender);
    msg.strSubject = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_Subject);
    msg.nMsgFlags = CQorCoreReader::MsgInt(pMsg, &IQorMsg::get_MsgFlags);
    msg.strMsgID = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_MsgID);
    msg.nMsgType = CQorCoreReader::MsgInt(pMsg, &IQorMsg::get_MsgType);
    msg.strContentType = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_ContentType);
    msg.strTalkID = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_TalkID);
    msg.strSendTime = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_SendTime);
    CStringArray pair;
    CQorViewBaseFun::StringToArray(CQorCoreReader::MsgText(pMsg, &IQorMsg::get_ExtraPair), pair, L";", -1);
    msg.strExtra1 = pair.GetSize() > 0 ? pair[0] : CString();
    msg.strExtra2 = pair.GetSize() > 1 ? pair[1] : CString();
    msg.nExtraNumber = CQorCoreReader::MsgInt(pMsg, &IQorMsg::get_ExtraNumber);
    return msg;
}

CUnreadMsg* CTipRecordMap::FromCoreMsg(const CQorMsgItem& msg, IQorMsg* pCore)
{
    auto* pRecord = new CUnreadMsg;
    CopyToRecord(msg, *pRecord);
    pRecord->SetCoreMsg(pCore);
    pRecord->nSpare = 0;
    return pRecord;
}
