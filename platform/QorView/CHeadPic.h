#pragma once
// The head picture of a user: a static control showing a default bitmap of the resource
// module, or a loaded picture.
#include "framework/CStatic.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CQorPicture.h"

class CHeadPic : public CStatic {
public:
    ~CHeadPic();
    // The default picture (a bitmap of the resource module).
    BOOL LoadBitmap(UINT nID);
    // Shows this picture (not owned; it must live while shown); an unloaded one shows the
    // default again.
    void LoadPic(CQorPicture* pPicture);
    BOOL HasDefault() const { return m_hDefault != nullptr; }
    CQorPicture* GetPicture() const { return m_pPicture; }

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    HBITMAP m_hDefault = nullptr;
    CQorPicture* m_pPicture = nullptr;
};
