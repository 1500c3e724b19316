#pragma once
// CLinkDataMgr: the clickable ranges of a rich edit. Each link has its character range, its
// display text, a kind (1 open or download an attachment, 2 show an attachment in its folder,
// 31 run an application command) and a few key/value strings saying what a click does. The
// manager owns its items. Look-ups match a range exactly: a link the rich edit detected by itself
// (an address in the text) never lands on an attachment item that merely lies inside it.
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "platform/QorView/ILinkDataSink.h"
#include <vector>

class CLinkDataMgr : public ILinkDataSink {
public:
    class CLinkItem {
    public:
        virtual ~CLinkItem() = default;

        // -1 for an empty or absent key; keys compare without letter case.
        int FindKey(const CString& strKey) const;
        // The index of the key (appended when new, its first spelling kept); -1 for an empty key.
        int SetValue(const CString& strKey, const CString& strValue);
        int SetValue(const CString& strKey, LONGLONG nValue);
        // The value is emptied (-1 for numbers) first; false for an empty or absent key.
        bool GetValue(const CString& strKey, CString& strValue) const;
        bool GetIntValue(const CString& strKey, int& nValue) const;
        bool GetInt64Value(const CString& strKey, LONGLONG& nValue) const;

        int kind = 0;
        long start = -1;
        long end = -1;
        CString text;
        CStringArray keys;
        CStringArray values;
    };

    CLinkDataMgr() = default;
    virtual ~CLinkDataMgr();
    CLinkDataMgr(const CLinkDataMgr&) = delete;
    CLinkDataMgr& operator=(const CLinkDataMgr&) = delete;

    // The item for [start, end]: null when start < 0, end < start or the text is empty; an item
    // of exactly that range gets the new text and is returned; otherwise a new item (kind 0) is
    // appended.
    CLinkItem* AddItem(long nStart, long nEnd, const CString& strText);
    // The first item of exactly that range, or null.
    CLinkItem* FindByRange(long nStart, long nEnd) const;
    // Deletes the item when it is held here.
    void RemoveItem(CLinkItem* pItem);
    // Deletes every item: the text they pointed into is gone.
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_items.size()); }
    CLinkItem* GetAt(int nIndex) const;

    bool AddLink(long nStart, long nEnd, const CString& strText, int nKind, const CString& strKey,
                 const CString& strValue) override;

private:
    std::vector<CLinkItem*> m_items; // owned, in insertion order
};
