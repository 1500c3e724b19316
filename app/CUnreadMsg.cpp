#include "app/CUnreadMsg.h"

CUnreadMsg::~CUnreadMsg()
{
    SetCoreMsg(nullptr);
}

void CUnreadMsg::SetCoreMsg(IUnknown* pMsg)
{
    if (pMsg)
        pMsg->AddRef();
    if (m_pCoreMsg)
        m_pCoreMsg->Release();
    m_pCoreMsg = pMsg;
}

CUnreadMsg& CUnreadMsg::operator=(const CUnreadMsg& other)
{
    if (this == &other)
        return *this;
    nId = other.nId;
    strText = other.strText;
    strUrl = other.strUrl;
    strSpare1 = other.strSpare1;
    strContent = other.strContent;
    strSenderName = other.strSenderName;
    strSender = other.strSender;
    strNoticeId = other.strNoticeId;
    strSpare2 = other.strSpare2;
    strPicture = other.strPicture;
    strExtra = other.strExtra;
    strSound = other.strSound;
    strMsgString1 = other.strMsgString1;
    strMsgString2 = other.strMsgString2;
    strSendTime = other.strSendTime;
    nFlags = other.nFlags;
    nKind = other.nKind;
    nShowTime = other.nShowTime;
    bClosable = other.bClosable;
    strTalkId = other.strTalkId;
    strSpare3 = other.strSpare3;
    nMsgType = other.nMsgType;
    nMsgWord = other.nMsgWord;
    nSpare = other.nSpare;
    strContentType = other.strContentType;
    strMsgInfo = other.strMsgInfo;
    return *this;
}
