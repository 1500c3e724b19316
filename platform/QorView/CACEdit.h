#pragma once
// A flat edit box with a list of strings it completes from (the saved user names).
#include "framework/CStringArray.h"
#include "platform/QorView/CFlatEdit.h"

class CACEdit : public CFlatEdit {
public:
    void Init() { m_bInit = true; }
    bool IsInit() const { return m_bInit; }
    void AddSearchString(const CString& str);
    void RemoveAllSearchStrings() { m_arSearch.RemoveAll(); }
    const CStringArray& GetSearchStrings() const { return m_arSearch; }
    // The first search string that starts with the given text (case ignored); empty when none.
    CString FindCompletion(const CString& strTyped) const;
    void SetLimitText(UINT nMax) { CEdit::SetLimitText(nMax); }

private:
    CStringArray m_arSearch;
    bool m_bInit = false;
};
