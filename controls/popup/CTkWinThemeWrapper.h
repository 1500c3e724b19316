#pragma once
// Safe access to the Windows visual-style functions. Every call goes through the process-wide
// table of entry points (CTkWinThemeApiTable); a missing library, a missing function or a
// failure raised inside the call answers a fixed default instead: E_FAIL for HRESULTs, FALSE
// or 0 for the others, a null handle for handles.
// https://learn.microsoft.com/windows/win32/api/uxtheme/
#include "framework/Platform.h"
#include <uxtheme.h>

class CTkWinThemeApiTable;

class CTkWinThemeWrapper {
public:
    // Uses the process-wide table; pTable lets a caller use another one (not owned).
    CTkWinThemeWrapper();
    explicit CTkWinThemeWrapper(CTkWinThemeApiTable* pTable);
    // Closes a held theme handle.
    virtual ~CTkWinThemeWrapper();
    CTkWinThemeWrapper(const CTkWinThemeWrapper&) = delete;
    CTkWinThemeWrapper& operator=(const CTkWinThemeWrapper&) = delete;

    // Attributes
    HTHEME GetThemeHandle() const { return m_hTheme; }
    // TRUE while a theme handle is held.
    BOOL IsThemeOpen() const { return m_hTheme != nullptr; }
    // TRUE when visual styles are in use: the library is loaded, IsThemeActive and IsAppThemed
    // both answer TRUE (so a handle must be held) and comctl32 is version 6 or later.
    BOOL IsUsingVisualStyles();
    // Replaces one entry point of the table (see CTkWinThemeApiTable::SetSlot).
    void SetApiSlot(int nSlot, FARPROC pfn);

    // Operations used by the toolkit
    // Closes a held handle, then opens and keeps the new one (null when it fails).
    void OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
    // Closes the held handle, if any, and forgets it.
    void CloseThemeData();
    // Only asked with a held handle; FALSE without a call otherwise.
    BOOL IsAppThemed();
    HRESULT GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars);

    // The rest of the visual-style interface, each with the signature of its function; those that
    // take a theme handle use the held one.
    HRESULT DrawThemeBackground(HDC hdc, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
    HRESULT DrawThemeBackgroundEx(HDC hdc, int iPartId, int iStateId, const RECT* pRect, const DTBGOPTS* pOptions);
    HRESULT DrawThemeEdge(HDC hdc, int iPartId, int iStateId, const RECT* pDestRect, UINT uEdge, UINT uFlags,
                          RECT* pContentRect);
    HRESULT DrawThemeIcon(HDC hdc, int iPartId, int iStateId, const RECT* pRect, HIMAGELIST himl, int iImageIndex);
    HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, RECT* prc);
    HRESULT DrawThemeText(HDC hdc, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount, DWORD dwTextFlags,
                          DWORD dwTextFlags2, const RECT* pRect);
    HRESULT EnableThemeDialogTexture(HWND hwnd, DWORD dwFlags);
    HRESULT EnableTheming(BOOL fEnable);
    DWORD GetThemeAppProperties();
    HRESULT GetThemeBackgroundContentRect(HDC hdc, int iPartId, int iStateId, const RECT* pBoundingRect,
                                          RECT* pContentRect);
    HRESULT GetThemeBackgroundExtent(HDC hdc, int iPartId, int iStateId, const RECT* pContentRect, RECT* pExtentRect);
    HRESULT GetThemeBackgroundRegion(HDC hdc, int iPartId, int iStateId, const RECT* pRect, HRGN* pRegion);
    HRESULT GetThemeBool(int iPartId, int iStateId, int iPropId, BOOL* pfVal);
    HRESULT GetThemeDocumentationProperty(LPCWSTR pszThemeName, LPCWSTR pszPropertyName, LPWSTR pszValueBuff,
                                          int cchMaxValChars);
    HRESULT GetThemeEnumValue(int iPartId, int iStateId, int iPropId, int* piVal);
    HRESULT GetThemeFilename(int iPartId, int iStateId, int iPropId, LPWSTR pszThemeFileName, int cchMaxBuffChars);
    HRESULT GetThemeFont(HDC hdc, int iPartId, int iStateId, int iPropId, LOGFONTW* pFont);
    HRESULT GetThemeInt(int iPartId, int iStateId, int iPropId, int* piVal);
    HRESULT GetThemeIntList(int iPartId, int iStateId, int iPropId, INTLIST* pIntList);
    HRESULT GetThemeMargins(HDC hdc, int iPartId, int iStateId, int iPropId, RECT* prc, MARGINS* pMargins);
    HRESULT GetThemeMetric(HDC hdc, int iPartId, int iStateId, int iPropId, int* piVal);
    HRESULT GetThemePartSize(HDC hdc, int iPartId, int iStateId, RECT* prc, THEMESIZE eSize, SIZE* psz);
    HRESULT GetThemePosition(int iPartId, int iStateId, int iPropId, POINT* pPoint);
    HRESULT GetThemePropertyOrigin(int iPartId, int iStateId, int iPropId, PROPERTYORIGIN* pOrigin);
    HRESULT GetThemeRect(int iPartId, int iStateId, int iPropId, RECT* pRect);
    HRESULT GetThemeString(int iPartId, int iStateId, int iPropId, LPWSTR pszBuff, int cchMaxBuffChars);
    BOOL GetThemeSysBool(int iBoolId);
    COLORREF GetThemeSysColor(int iColorId);
    HBRUSH GetThemeSysColorBrush(int iColorId);
    HRESULT GetThemeSysFont(int iFontId, LOGFONTW* plf);
    HRESULT GetThemeSysInt(int iIntId, int* piValue);
    int GetThemeSysSize(int iSizeId);
    HRESULT GetThemeSysString(int iStringId, LPWSTR pszStringBuff, int cchMaxStringChars);
    HRESULT GetThemeTextExtent(HDC hdc, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount,
                               DWORD dwTextFlags, const RECT* pBoundingRect, RECT* pExtentRect);
    HRESULT GetThemeTextMetrics(HDC hdc, int iPartId, int iStateId, TEXTMETRICW* ptm);
    HTHEME GetWindowTheme(HWND hwnd);
    HRESULT HitTestThemeBackground(HDC hdc, int iPartId, int iStateId, DWORD dwOptions, const RECT* pRect,
                                   HRGN hrgn, POINT ptTest, WORD* pwHitTestCode);
    BOOL IsThemeActive();
    BOOL IsThemeBackgroundPartiallyTransparent(int iPartId, int iStateId);
    BOOL IsThemeDialogTextureEnabled(HWND hwnd);
    BOOL IsThemePartDefined(int iPartId, int iStateId);
    void SetThemeAppProperties(DWORD dwFlags);
    HRESULT SetWindowTheme(HWND hwnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList);

private:
    template <class Fn, class R, class... Args>
    R Call(int nSlot, R defaultResult, Args... args);
    template <class Fn, class... Args>
    void CallVoid(int nSlot, Args... args);

    CTkWinThemeApiTable* m_pTable; // not owned
    HTHEME m_hTheme = nullptr;
};
