#pragma once
// A picture loaded from a file (bitmaps) and drawn at a point with a size.
#include "framework/CString.h"

class CQorPicture {
public:
    CQorPicture() = default;
    ~CQorPicture() { UnLoad(); }
    CQorPicture(const CQorPicture&) = delete;
    CQorPicture& operator=(const CQorPicture&) = delete;

    BOOL Load(const CString& strFile); // FALSE when the file is missing or not a picture
    void UnLoad();
    BOOL IsLoaded() const { return m_hBitmap != nullptr; }
    SIZE GetSize() const { return m_size; }
    HBITMAP GetBitmap() const { return m_hBitmap; } // owned by the picture
    const CString& GetFile() const { return m_strFile; }
    BOOL Draw(HDC hDC, int x, int y, int cx, int cy) const;

private:
    HBITMAP m_hBitmap = nullptr;
    SIZE m_size = {0, 0};
    CString m_strFile;
};
