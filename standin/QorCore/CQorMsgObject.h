#pragma once
// "QorCore.QorMsg": a message as the core keeps it. Plain fields with getters and setters
// at the positions of IQorMsg; receivers, files, items and properties in insertion order.
#include "platform/QorCore/IQorMsg.h"
#include "standin/QorCore/QorComObject.h"
#include <string>
#include <utility>
#include <vector>

class CQorMsgObject : public QorComObject<IQorMsg> {
public:
    CQorMsgObject() : QorComObject<IQorMsg>(IID_IQorMsg) {}

    HRESULT STDMETHODCALLTYPE get_Sender(BSTR* p) override { return OutBstr(p, m_sender); }
    HRESULT STDMETHODCALLTYPE put_Sender(BSTR v) override { m_sender = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE get_SenderName(BSTR* p) override { return OutBstr(p, m_senderName); }
    HRESULT STDMETHODCALLTYPE put_SenderName(BSTR v) override { m_senderName = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE get_Subject(BSTR* p) override { return OutBstr(p, m_subject); }
    HRESULT STDMETHODCALLTYPE put_Subject(BSTR v) override { m_subject = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE get_SendTime(BSTR* p) override { return OutBstr(p, m_sendTime); }
    HRESULT STDMETHODCALLTYPE put_SendTime(BSTR v) override { m_sendTime = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE AddReceiver(BSTR account, BSTR name) override;
    HRESULT STDMETHODCALLTYPE get_ContentType(BSTR* p) override { return OutBstr(p, m_contentType); }
    HRESULT STDMETHODCALLTYPE put_ContentType(BSTR v) override { m_contentType = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE get_MsgID(BSTR* p) override { return OutBstr(p, m_msgId); }
    HRESULT STDMETHODCALLTYPE put_MsgID(BSTR v) override { m_msgId = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE get_ReceiverCount(long* p) override { return OutLong(p, static_cast<long>(m_receivers.size())); }
    HRESULT STDMETHODCALLTYPE AddFile(BSTR path) override;
    HRESULT STDMETHODCALLTYPE get_FileCount(long* p) override { return OutLong(p, static_cast<long>(m_files.size())); }
    HRESULT STDMETHODCALLTYPE GetFile(long index, BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetReceiver(long index, BSTR* account, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_TalkID(BSTR* p) override { return OutBstr(p, m_talkId); }
    HRESULT STDMETHODCALLTYPE put_TalkID(BSTR v) override { m_talkId = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE ClearReceivers() override { m_receivers.clear(); return S_OK; }
    HRESULT STDMETHODCALLTYPE ClearFiles() override { m_files.clear(); return S_OK; }
    HRESULT STDMETHODCALLTYPE get_Content(BSTR* p) override { return OutBstr(p, m_content); }
    HRESULT STDMETHODCALLTYPE get_Text3(BSTR* p) override { return OutBstr(p, m_text3); }
    HRESULT STDMETHODCALLTYPE put_Text3(BSTR v) override { m_text3 = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE put_Content(BSTR v) override { m_content = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE get_MsgFlags(long* p) override { return OutLong(p, m_msgFlags); }
    HRESULT STDMETHODCALLTYPE put_MsgFlags(long v) override { m_msgFlags = v; return S_OK; }
    HRESULT STDMETHODCALLTYPE get_MsgType(long* p) override { return OutLong(p, m_msgType); }
    HRESULT STDMETHODCALLTYPE put_MsgType(long v) override { m_msgType = v; return S_OK; }
    HRESULT STDMETHODCALLTYPE SetProperty(BSTR key, BSTR value) override;
    HRESULT STDMETHODCALLTYPE GetProperty(BSTR key, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PropertyCount(long* p) override { return OutLong(p, static_cast<long>(m_props.size())); }
    HRESULT STDMETHODCALLTYPE GetPropertyAt(long index, BSTR* key, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE AddItem(BSTR text) override { m_items.push_back(BstrText(text)); return S_OK; }
    HRESULT STDMETHODCALLTYPE ItemCount(long index, long* pCount) override;
    HRESULT STDMETHODCALLTYPE GetItem(long index, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE ClearItems() override { m_items.clear(); return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved45() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved46() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Text4(BSTR* p) override { return OutBstr(p, m_text4); }
    HRESULT STDMETHODCALLTYPE put_Text4(BSTR v) override { m_text4 = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE get_MsgKey(BSTR* p) override { return OutBstr(p, m_msgKey); }
    HRESULT STDMETHODCALLTYPE put_MsgKey(BSTR v) override { m_msgKey = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved51() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved52() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_TalkName(BSTR* p) override { return OutBstr(p, m_talkName); }
    HRESULT STDMETHODCALLTYPE put_TalkName(BSTR v) override { m_talkName = BstrText(v); return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved55() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved56() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved57() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved58() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved59() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved60() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved61() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved62() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ExtraNumber(long* p) override { return OutLong(p, m_extraNumber); }
    HRESULT STDMETHODCALLTYPE put_ExtraNumber(long v) override { m_extraNumber = v; return S_OK; }
    HRESULT STDMETHODCALLTYPE get_ExtraPair(BSTR* p) override { return OutBstr(p, m_extraPair); }
    HRESULT STDMETHODCALLTYPE put_ExtraPair(BSTR v) override { m_extraPair = BstrText(v); return S_OK; }

private:
    std::wstring m_sender, m_senderName, m_subject, m_sendTime, m_contentType, m_msgId, m_talkId;
    std::wstring m_content, m_text3, m_text4, m_msgKey, m_talkName, m_extraPair;
    long m_msgFlags = 0, m_msgType = 0, m_extraNumber = 0;
    std::vector<std::pair<std::wstring, std::wstring>> m_receivers; // account, name
    std::vector<std::wstring> m_files;
    std::vector<std::wstring> m_items;
    std::vector<std::pair<std::wstring, std::wstring>> m_props;     // key, value
};
