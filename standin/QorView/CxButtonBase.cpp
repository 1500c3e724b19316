#include "platform/QorView/CxButtonBase.h"
#include "standin/QorView/QorViewState.h"

void CxButtonBase::SetTextColor(LPCWSTR lpszColorName) { m_crText = qorview_detail::SkinColor(lpszColorName); }
