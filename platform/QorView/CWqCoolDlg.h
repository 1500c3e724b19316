#pragma once
// The view library's skinned dialog base: a framework dialog with a minimum and an optional
// maximum tracking size, round frame corners and the set of caption buttons it shows.
// Our library draws it plainly; the sizes and flags are kept and applied.
#include "framework/CDialog.h"
#include "framework/MessageMap.h"

class CWqCoolDlg : public CDialog {
public:
    explicit CWqCoolDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Tracking limits, in pixels; each one applies only while switched on.
    void SetMinimumSize(int cx, int cy);
    void SetMaximumSize(int cx, int cy);
    void EnableMinimumSize(bool bEnable) { m_bMinSize = bEnable; }
    void EnableMaximumSize(bool bEnable) { m_bMaxSize = bEnable; }
    bool IsMinimumSizeEnabled() const { return m_bMinSize; }
    bool IsMaximumSizeEnabled() const { return m_bMaxSize; }
    SIZE GetMinimumSize() const { return m_szMin; }
    SIZE GetMaximumSize() const { return m_szMax; }
    // Grows the window to the minimum size when it is smaller.
    void ApplyMinimumSize();
    // Which caption buttons the frame shows (bits of the view library's own choosing:
    // 1 close, 2 minimise, 4 close only as "cancel").
    void SetShowButton(int nButtons) { m_nShowButton = nButtons; }
    int GetShowButton() const { return m_nShowButton; }
    // Rounds the frame's corners (0, 0 = square).
    void SetRoundCorner(int cx, int cy);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void ApplyRegion();

    SIZE m_szMin = {0, 0};
    SIZE m_szMax = {0, 0};
    bool m_bMinSize = false;
    bool m_bMaxSize = false;
    int m_nShowButton = 3;
    int m_nRoundX = 0;
    int m_nRoundY = 0;
};
