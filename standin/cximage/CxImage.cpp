#include "platform/cximage/CxImage.h"
#include "platform/cximage/CxImageTestHooks.h"
#include "standin/ImageDecode/GdiplusImage.h"
#include <atomic>
#include <cstring>

namespace {

std::atomic<int> g_decodes(0);
std::atomic<int> g_liveBitmaps(0);

// The format the bytes carry, by their signature.
DWORD Sniff(const BYTE* p, DWORD n)
{
    if (n >= 8 && memcmp(p, "\x89PNG\r\n\x1a\n", 8) == 0)
        return CXIMAGE_FORMAT_PNG;
    if (n >= 6 && (memcmp(p, "GIF87a", 6) == 0 || memcmp(p, "GIF89a", 6) == 0))
        return CXIMAGE_FORMAT_GIF;
    if (n >= 2 && p[0] == 'B' && p[1] == 'M')
        return CXIMAGE_FORMAT_BMP;
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF)
        return CXIMAGE_FORMAT_JPG;
    if (n >= 4 && p[0] == 0 && p[1] == 0 && p[2] == 1 && p[3] == 0)
        return CXIMAGE_FORMAT_ICO;
    return CXIMAGE_FORMAT_UNKNOWN;
}

} // namespace

CxImage::CxImage() = default;

CxImage::CxImage(LPCWSTR pszFileName, DWORD dwImageType)
{
    Load(pszFileName, dwImageType);
}

CxImage::~CxImage()
{
    Destroy();
}

void CxImage::Destroy()
{
    for (auto& f : m_frames) {
        ::DeleteObject(f.hBitmap);
        --g_liveBitmaps;
    }
    m_frames.clear();
    m_current = 0;
    m_numFrames = 0;
    m_type = CXIMAGE_FORMAT_UNKNOWN;
}

bool CxImage::Load(LPCWSTR pszFileName, DWORD dwImageType)
{
    Destroy();
    if (!pszFileName || !*pszFileName)
        return false;
    HANDLE h = ::CreateFileW(pszFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    std::vector<BYTE> data;
    bool ok = ::GetFileSizeEx(h, &size) && size.QuadPart > 0 && size.QuadPart < (64 << 20);
    if (ok) {
        data.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ::ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) && read == data.size();
    }
    ::CloseHandle(h);
    return ok && Decode(data.data(), static_cast<DWORD>(data.size()), dwImageType);
}

bool CxImage::Decode(const BYTE* pBuffer, DWORD dwSize, DWORD dwImageType)
{
    long wanted = m_frameToLoad;
    Destroy();
    if (!pBuffer || dwSize == 0)
        return false;
    DWORD type = Sniff(pBuffer, dwSize);
    if (type == CXIMAGE_FORMAT_UNKNOWN || (dwImageType != CXIMAGE_FORMAT_UNKNOWN && dwImageType != type))
        return false;
    std::vector<standin::DecodedFrame> frames;
    // Only the wanted frame is kept when not all are asked for; decode up to it.
    bool all = m_retrieveAll || wanted > 0;
    if (!standin::DecodeImage(pBuffer, dwSize, all, frames))
        return false;
    m_numFrames = static_cast<long>(frames.size());
    if (!all)
        m_numFrames = static_cast<long>(standin::CountFrames(pBuffer, dwSize));
    size_t keepFrom = 0, keepTo = frames.size();
    if (!m_retrieveAll) {
        keepFrom = static_cast<size_t>(wanted) < frames.size() ? static_cast<size_t>(wanted) : 0;
        keepTo = keepFrom + 1;
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        if (i >= keepFrom && i < keepTo) {
            m_frames.push_back({ frames[i].hBitmap, frames[i].width, frames[i].height, frames[i].alpha,
                                 frames[i].delayMs });
            ++g_liveBitmaps;
        } else {
            ::DeleteObject(frames[i].hBitmap);
        }
    }
    m_current = m_retrieveAll ? 0 : static_cast<long>(keepFrom);
    m_frameToLoad = wanted;
    m_type = type;
    ++g_decodes;
    return true;
}

void CxImage::SetFrame(long nFrame)
{
    if (m_retrieveAll && m_frames.size() > 1) {
        if (nFrame >= 0 && nFrame < static_cast<long>(m_frames.size()))
            m_current = nFrame;
        return;
    }
    m_frameToLoad = nFrame < 0 ? 0 : nFrame;
}

DWORD CxImage::GetFrameDelay() const
{
    if (m_frames.empty())
        return 0;
    size_t i = m_retrieveAll ? static_cast<size_t>(m_current) : 0;
    return i < m_frames.size() ? m_frames[i].delayMs : 0;
}

DWORD CxImage::GetWidth() const
{
    return m_frames.empty() ? 0 : static_cast<DWORD>(m_frames[0].width);
}

DWORD CxImage::GetHeight() const
{
    return m_frames.empty() ? 0 : static_cast<DWORD>(m_frames[0].height);
}

long CxImage::Draw(HDC hDC, long x, long y, long cx, long cy) const
{
    if (!hDC || m_frames.empty())
        return 0;
    size_t i = m_retrieveAll ? static_cast<size_t>(m_current) : 0;
    if (i >= m_frames.size())
        return 0;
    const Frame& f = m_frames[i];
    if (cx < 0)
        cx = f.width;
    if (cy < 0)
        cy = f.height;
    HDC mem = ::CreateCompatibleDC(hDC);
    if (!mem)
        return 0;
    HGDIOBJ old = ::SelectObject(mem, f.hBitmap);
    BOOL ok;
    if (f.alpha) {
        BLENDFUNCTION bf = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
        ok = ::AlphaBlend(hDC, x, y, cx, cy, mem, 0, 0, f.width, f.height, bf);
    } else {
        ::SetStretchBltMode(hDC, COLORONCOLOR);
        ok = ::StretchBlt(hDC, x, y, cx, cy, mem, 0, 0, f.width, f.height, SRCCOPY);
    }
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return ok ? 1 : 0;
}

long CxImage::Draw(HDC hDC, const RECT& rc) const
{
    return Draw(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

DWORD CxImage::GetPixelArgb(long x, long y) const
{
    if (m_frames.empty())
        return 0;
    size_t i = m_retrieveAll ? static_cast<size_t>(m_current) : 0;
    const Frame& f = m_frames[i < m_frames.size() ? i : 0];
    if (x < 0 || y < 0 || x >= f.width || y >= f.height)
        return 0;
    DIBSECTION ds;
    if (::GetObjectW(f.hBitmap, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits)
        return 0;
    const BYTE* p = static_cast<const BYTE*>(ds.dsBm.bmBits) + (static_cast<size_t>(y) * f.width + x) * 4;
    return (static_cast<DWORD>(p[3]) << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
}

int CxImageTest_GetDecodeCount()
{
    return g_decodes.load();
}

int CxImageTest_GetLiveBitmaps()
{
    return g_liveBitmaps.load();
}
