#include "controls/popup/TkAlphaBitmap.h"
#include "framework/ModuleState.h"
#include <cstdlib>
#include <cstring>

namespace {

// The header block: 40 bytes of BITMAPINFOHEADER in room for three colour masks.
const UINT kInfoBlockSize = 52;

void PutDword(std::vector<BYTE>& out, DWORD dw)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(&dw);
    out.insert(out.end(), p, p + 4);
}

BOOL GetDword(const BYTE** pp, const BYTE* pEnd, DWORD* pdw)
{
    if (pEnd - *pp < 4)
        return FALSE;
    std::memcpy(pdw, *pp, 4);
    *pp += 4;
    return TRUE;
}

} // namespace

namespace {

// Reads a bitmap's pixels as 32-bit lines; with bRequire32 only a bitmap that is 32-bit itself.
BOOL ReadBits(HBITMAP hBitmap, BOOL bRequire32, BITMAPINFO** ppInfo, BYTE** ppBits, UINT* pnSize)
{
    if (!hBitmap || !ppInfo || !ppBits)
        return FALSE;
    *ppInfo = nullptr;
    *ppBits = nullptr;
    HDC hdc = ::GetDC(nullptr);
    if (!hdc)
        return FALSE;
    BOOL bOk = FALSE;
    auto* pInfo = static_cast<BITMAPINFO*>(std::calloc(1, kInfoBlockSize));
    BYTE* pBits = nullptr;
    do {
        if (!pInfo)
            break;
        pInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        if (!::GetDIBits(hdc, hBitmap, 0, 0, nullptr, pInfo, DIB_RGB_COLORS))
            break;
        BITMAPINFOHEADER& bih = pInfo->bmiHeader;
        if ((bRequire32 && bih.biBitCount != 32) || bih.biWidth <= 0 || bih.biHeight == 0)
            break;
        bih.biBitCount = 32;
        bih.biClrUsed = 0;
        bih.biHeight = std::abs(bih.biHeight); // read bottom-up
        bih.biCompression = BI_RGB;
        const UINT nSize = static_cast<UINT>(bih.biWidth) * 4 * static_cast<UINT>(bih.biHeight);
        bih.biSizeImage = nSize;
        pBits = static_cast<BYTE*>(std::malloc(nSize));
        if (!pBits)
            break;
        if (::GetDIBits(hdc, hBitmap, 0, bih.biHeight, pBits, pInfo, DIB_RGB_COLORS) != bih.biHeight)
            break;
        bOk = TRUE;
    } while (false);
    ::ReleaseDC(nullptr, hdc);
    if (!bOk) {
        std::free(pInfo);
        std::free(pBits);
        return FALSE;
    }
    *ppInfo = pInfo;
    *ppBits = pBits;
    if (pnSize)
        *pnSize = pInfo->bmiHeader.biSizeImage;
    return TRUE;
}

} // namespace

BOOL TkReadAlphaBitmapBits(HBITMAP hBitmap, BITMAPINFO** ppInfo, BYTE** ppBits, UINT* pnSize)
{
    return ReadBits(hBitmap, TRUE, ppInfo, ppBits, pnSize);
}

BOOL TkReadBitmapBits32(HBITMAP hBitmap, BITMAPINFO** ppInfo, BYTE** ppBits, UINT* pnSize)
{
    return ReadBits(hBitmap, FALSE, ppInfo, ppBits, pnSize);
}

HBITMAP TkCreateAlphaBitmap(int nWidth, int nHeight, void** ppBits)
{
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (ppBits)
        *ppBits = hBitmap ? pBits : nullptr;
    return hBitmap;
}

HBITMAP CopyAlphaBitmap(HBITMAP hBitmap)
{
    BITMAPINFO* pInfo = nullptr;
    BYTE* pBits = nullptr;
    UINT nSize = 0;
    if (!TkReadAlphaBitmapBits(hBitmap, &pInfo, &pBits, &nSize))
        return nullptr;
    void* pDest = nullptr;
    HBITMAP hCopy = TkCreateAlphaBitmap(pInfo->bmiHeader.biWidth, pInfo->bmiHeader.biHeight, &pDest);
    if (hCopy) {
        std::memcpy(pDest, pBits, nSize);
        ::GdiFlush();
    }
    std::free(pInfo);
    std::free(pBits);
    return hCopy;
}

HBITMAP TkPremultiplyAlphaBitmap(HBITMAP hBitmap)
{
    BITMAPINFO* pInfo = nullptr;
    BYTE* pBits = nullptr;
    UINT nSize = 0;
    if (!TkReadAlphaBitmapBits(hBitmap, &pInfo, &pBits, &nSize))
        return nullptr;
    for (UINT i = 0; i + 3 < nSize; i += 4) {
        const UINT a = pBits[i + 3];
        pBits[i] = static_cast<BYTE>(pBits[i] * a / 255);
        pBits[i + 1] = static_cast<BYTE>(pBits[i + 1] * a / 255);
        pBits[i + 2] = static_cast<BYTE>(pBits[i + 2] * a / 255);
    }
    void* pDest = nullptr;
    HBITMAP hResult = TkCreateAlphaBitmap(pInfo->bmiHeader.biWidth, pInfo->bmiHeader.biHeight, &pDest);
    if (hResult) {
        std::memcpy(pDest, pBits, nSize);
        ::GdiFlush();
    }
    std::free(pInfo);
    std::free(pBits);
    return hResult;
}

HBITMAP TkLoadAlphaBitmapResource(LPCWSTR lpszResource)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceW(hInst, lpszResource, RT_BITMAP);
    if (!hRes) {
        hInst = AfxGetInstanceHandle();
        hRes = ::FindResourceW(hInst, lpszResource, RT_BITMAP);
    }
    if (!hRes)
        return nullptr;
    const DWORD dwSize = ::SizeofResource(hInst, hRes);
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const auto* pih = hGlobal ? static_cast<const BITMAPINFOHEADER*>(::LockResource(hGlobal)) : nullptr;
    if (!pih || dwSize < sizeof(BITMAPINFOHEADER) || pih->biBitCount != 32 || pih->biWidth <= 0 || pih->biHeight <= 0)
        return nullptr;
    const unsigned long long nBytes = 4ull * pih->biWidth * pih->biHeight;
    if (dwSize < pih->biSize + nBytes || pih->biSize < sizeof(BITMAPINFOHEADER))
        return nullptr;
    void* pDest = nullptr;
    HBITMAP hBitmap = TkCreateAlphaBitmap(pih->biWidth, pih->biHeight, &pDest);
    if (hBitmap) {
        std::memcpy(pDest, reinterpret_cast<const BYTE*>(pih) + pih->biSize, static_cast<size_t>(nBytes));
        ::GdiFlush();
    }
    return hBitmap;
}

HBITMAP TkLoadAlphaIconFile(LPCWSTR lpszPath, int nWidth)
{
    if (!lpszPath)
        return nullptr;
    HANDLE hFile = ::CreateFileW(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return nullptr;
    std::vector<BYTE> data;
    const DWORD dwSize = ::GetFileSize(hFile, nullptr);
    if (dwSize != INVALID_FILE_SIZE && dwSize <= 16 * 1024 * 1024) {
        data.resize(dwSize);
        DWORD dwRead = 0;
        if (!::ReadFile(hFile, data.data(), dwSize, &dwRead, nullptr) || dwRead != dwSize)
            data.clear();
    }
    ::CloseHandle(hFile);
    if (data.size() < 6)
        return nullptr;
    const WORD nCount = *reinterpret_cast<const WORD*>(&data[4]);
    for (WORD i = 0; i < nCount; ++i) {
        const size_t nEntry = 6 + 16 * static_cast<size_t>(i);
        if (nEntry + 16 > data.size())
            break;
        const BYTE* e = &data[nEntry];
        const int nEntryWidth = e[0] ? e[0] : 256;
        const WORD wBits = *reinterpret_cast<const WORD*>(e + 6);
        const DWORD dwBytes = *reinterpret_cast<const DWORD*>(e + 8);
        const DWORD dwOffset = *reinterpret_cast<const DWORD*>(e + 12);
        if (wBits != 32 || (nWidth && nEntryWidth != nWidth))
            continue;
        if (dwOffset > data.size() || dwBytes > data.size() - dwOffset || dwBytes < sizeof(BITMAPINFOHEADER))
            continue;
        const auto* pih = reinterpret_cast<const BITMAPINFOHEADER*>(&data[dwOffset]);
        if (pih->biBitCount != 32 || pih->biWidth <= 0 || pih->biHeight < 2)
            continue;
        const int w = pih->biWidth, h = pih->biHeight / 2; // the stored height counts the mask too
        const size_t nStride = (static_cast<size_t>(w) * 4 + 3) & ~size_t(3);
        const size_t nColour = nStride * h;
        if (pih->biSize > dwBytes || nColour > dwBytes - pih->biSize)
            continue;
        void* pDest = nullptr;
        HBITMAP hBitmap = TkCreateAlphaBitmap(w, h, &pDest);
        if (!hBitmap)
            return nullptr;
        std::memcpy(pDest, &data[dwOffset] + pih->biSize, nColour);
        ::GdiFlush();
        return hBitmap;
    }
    return nullptr;
}

HBITMAP TkMapAlphaBitmapTo24(HBITMAP hBitmap, TkPixelMapper pixel, COLORREF clrBack)
{
    BITMAPINFO* pInfo = nullptr;
    BYTE* pBits = nullptr;
    UINT nSize = 0;
    if (!TkReadAlphaBitmapBits(hBitmap, &pInfo, &pBits, &nSize))
        return nullptr;
    const int w = pInfo->bmiHeader.biWidth, h = pInfo->bmiHeader.biHeight;
    BITMAPINFO bmi = {};
    bmi.bmiHeader = pInfo->bmiHeader;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biSizeImage = 0;
    BYTE* pDest = nullptr;
    HBITMAP hResult = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pDest), nullptr, 0);
    if (hResult) {
        const int nStride = (w * 3 + 3) & ~3;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixel(pBits + (static_cast<size_t>(y) * w + x) * 4, pDest + static_cast<size_t>(y) * nStride + x * 3,
                      clrBack);
        ::GdiFlush();
    }
    std::free(pInfo);
    std::free(pBits);
    return hResult;
}

HBITMAP TkCreateDisabledAlphaBitmap(HBITMAP hBitmap, COLORREF clrBack)
{
    // Nearly transparent pixels become the background; the others keep a slightly darkened colour.
    return TkMapAlphaBitmapTo24(hBitmap, [](const BYTE* s, BYTE* d, COLORREF back) {
        if (s[3] < 120) {
            d[0] = GetBValue(back);
            d[1] = GetGValue(back);
            d[2] = GetRValue(back);
        } else {
            d[0] = static_cast<BYTE>(s[0] * 255 / 256);
            d[1] = static_cast<BYTE>(s[1] * 255 / 256);
            d[2] = static_cast<BYTE>(s[2] * 255 / 256);
        }
    }, clrBack);
}

int TkSplitAlphaBitmap(HBITMAP hBitmap, int nCount, HBITMAP* pResult)
{
    if (nCount <= 0 || !pResult)
        return 0;
    BITMAPINFO* pInfo = nullptr;
    BYTE* pBits = nullptr;
    UINT nSize = 0;
    if (!TkReadAlphaBitmapBits(hBitmap, &pInfo, &pBits, &nSize))
        return 0;
    const int w = pInfo->bmiHeader.biWidth, h = pInfo->bmiHeader.biHeight;
    const int cx = w / nCount;
    int nMade = 0;
    for (int i = 0; i < nCount && cx > 0; ++i) {
        BYTE* pDest = nullptr;
        HBITMAP hPart = TkCreateAlphaBitmap(cx, h, reinterpret_cast<void**>(&pDest));
        if (!hPart)
            break;
        for (int y = 0; y < h; ++y)
            std::memcpy(pDest + static_cast<size_t>(y) * cx * 4, pBits + (static_cast<size_t>(y) * w + i * cx) * 4,
                        static_cast<size_t>(cx) * 4);
        ::GdiFlush();
        pResult[nMade++] = hPart;
    }
    std::free(pInfo);
    std::free(pBits);
    return nMade;
}

void TkWriteAlphaBitmap(std::vector<BYTE>& out, HBITMAP hBitmap)
{
    BITMAPINFO* pInfo = nullptr;
    BYTE* pBits = nullptr;
    UINT nSize = 0;
    if (!hBitmap || !ReadBits(hBitmap, FALSE, &pInfo, &pBits, &nSize)) {
        PutDword(out, 0);
        return;
    }
    PutDword(out, kInfoBlockSize);
    const BYTE* pHeader = reinterpret_cast<const BYTE*>(pInfo);
    out.insert(out.end(), pHeader, pHeader + kInfoBlockSize);
    PutDword(out, nSize);
    out.insert(out.end(), pBits, pBits + nSize);
    std::free(pInfo);
    std::free(pBits);
}

BOOL TkReadAlphaBitmap(const BYTE** ppData, const BYTE* pEnd, HBITMAP* phBitmap, BOOL* pbPresent)
{
    *phBitmap = nullptr;
    *pbPresent = FALSE;
    DWORD dwHeader = 0;
    if (!GetDword(ppData, pEnd, &dwHeader))
        return FALSE;
    if (dwHeader == 0)
        return TRUE;
    if (dwHeader < sizeof(BITMAPINFOHEADER) || dwHeader > static_cast<DWORD>(pEnd - *ppData))
        return FALSE;
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, *ppData, sizeof(bih));
    *ppData += dwHeader;
    DWORD dwBits = 0;
    if (!GetDword(ppData, pEnd, &dwBits) || dwBits > static_cast<DWORD>(pEnd - *ppData))
        return FALSE;
    const unsigned long long nNeeded = 4ull * std::abs(bih.biWidth) * std::abs(bih.biHeight);
    if (bih.biBitCount != 32 || bih.biWidth <= 0 || bih.biHeight <= 0 || dwBits < nNeeded) {
        *ppData += dwBits;
        return FALSE;
    }
    void* pDest = nullptr;
    HBITMAP hBitmap = TkCreateAlphaBitmap(bih.biWidth, bih.biHeight, &pDest);
    if (hBitmap) {
        std::memcpy(pDest, *ppData, static_cast<size_t>(nNeeded));
        ::GdiFlush();
    }
    *ppData += dwBits;
    *phBitmap = hBitmap;
    *pbPresent = TRUE;
    return hBitmap != nullptr;
}
