#pragma once
// The image library's picture: decodes BMP, GIF, JPEG, PNG and ICO (GDI+ underneath) and,
// for animations, every frame with its delay.
//   Load / Decode without SetRetreiveAllFrames(true): the frame chosen by SetFrame (0 by
//   default) is decoded, GetNumFrames still tells how many there are.
//   With all frames retrieved: every frame is decoded, SetFrame selects the one drawn.
#include "framework/Platform.h"
#include <vector>

enum {
    CXIMAGE_FORMAT_UNKNOWN = 0,
    CXIMAGE_FORMAT_BMP = 1,
    CXIMAGE_FORMAT_GIF = 2,
    CXIMAGE_FORMAT_JPG = 3,
    CXIMAGE_FORMAT_PNG = 4,
    CXIMAGE_FORMAT_ICO = 5,
};

class CxImage {
public:
    CxImage();
    // Loads a file at once (see Load).
    CxImage(LPCWSTR pszFileName, DWORD dwImageType);
    virtual ~CxImage();
    CxImage(const CxImage&) = delete;
    CxImage& operator=(const CxImage&) = delete;

    // The type only checks the file: a type other than UNKNOWN that the bytes do not match
    // fails. False when the file is missing or undecodable.
    bool Load(LPCWSTR pszFileName, DWORD dwImageType = CXIMAGE_FORMAT_UNKNOWN);
    bool Decode(const BYTE* pBuffer, DWORD dwSize, DWORD dwImageType = CXIMAGE_FORMAT_UNKNOWN);
    void Destroy();

    void SetRetreiveAllFrames(bool bEnable) { m_retrieveAll = bEnable; }
    bool GetRetreiveAllFrames() const { return m_retrieveAll; }
    // With all frames held: selects the frame drawn (outside the range: nothing changes).
    // Otherwise: the frame the next Load or Decode decodes.
    void SetFrame(long nFrame);
    long GetFrame() const { return m_current; }
    long GetNumFrames() const { return m_numFrames; }
    // Display time of the current frame in milliseconds (0 when the file gives none).
    DWORD GetFrameDelay() const;

    bool IsValid() const { return !m_frames.empty(); }
    DWORD GetWidth() const;
    DWORD GetHeight() const;
    DWORD GetType() const { return m_type; }

    // Draws the current frame with its alpha at (x, y), stretched to cx x cy (-1: natural
    // size); answers 1 when drawn, 0 otherwise.
    long Draw(HDC hDC, long x = 0, long y = 0, long cx = -1, long cy = -1) const;
    long Draw(HDC hDC, const RECT& rc) const;
    // The colour of a pixel of the current frame as 0xAARRGGBB (premultiplied); 0 outside.
    DWORD GetPixelArgb(long x, long y) const;

private:
    struct Frame {
        HBITMAP hBitmap;
        int width;
        int height;
        bool alpha;
        UINT delayMs;
    };

    std::vector<Frame> m_frames; // owned bitmaps: all frames, or only the one decoded
    long m_current = 0;          // selected frame (index into m_frames when all are held)
    long m_frameToLoad = 0;
    long m_numFrames = 0;
    bool m_retrieveAll = false;
    DWORD m_type = CXIMAGE_FORMAT_UNKNOWN;
};
