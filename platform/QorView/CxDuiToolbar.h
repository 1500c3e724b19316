#pragma once
// The toolbar of the view library's main panel: items by id, each with a text (the main window
// writes the unread count into item 8892).
#include "framework/CString.h"
#include <map>

class CxDuiToolbar {
public:
    virtual ~CxDuiToolbar() = default;
    void UpdateItemText(int nItemId, const CString& strText);
    CString GetItemText(int nItemId) const;

private:
    std::map<int, CString> m_texts;
};
