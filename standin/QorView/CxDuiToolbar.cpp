#include "platform/QorView/CxDuiToolbar.h"
#include "standin/QorView/QorViewState.h"

using namespace qorview_detail;

void CxDuiToolbar::UpdateItemText(int nItemId, const CString& strText)
{
    Record(L"CxDuiToolbar::UpdateItemText", Join({Num(nItemId), strText}));
    m_texts[nItemId] = strText;
}

CString CxDuiToolbar::GetItemText(int nItemId) const
{
    auto it = m_texts.find(nItemId);
    return it != m_texts.end() ? it->second : CString();
}
