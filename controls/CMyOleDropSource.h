#pragma once
// CMyOleDropSource: the drop source of an attachment drag; it remembers the last effect the
// target showed and otherwise behaves as the framework's.
#include "framework/COleDropSource.h"

class CMyOleDropSource : public COleDropSource {
public:
    CMyOleDropSource() = default;
    ~CMyOleDropSource() override = default;

    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    BOOL OnBeginDrag(CWnd* pWnd) override;

    DROPEFFECT GetLastEffect() const { return m_dwLastEffect; }

private:
    DROPEFFECT m_dwLastEffect = 0;
};
