#include "controls/popup/CTkWinThemeWrapper.h"
#include "controls/popup/CTkWinThemeApiTable.h"

#define TK_SLOT(name) CTkWinThemeApiTable::kSlot##name
#define TK_FN(name) decltype(&::name)

template <class Fn, class R, class... Args>
R CTkWinThemeWrapper::Call(int nSlot, R defaultResult, Args... args)
{
    Fn pfn = reinterpret_cast<Fn>(m_pTable->Resolve(nSlot));
    if (!pfn)
        return defaultResult;
    // A theme function that throws must not take the caller down with it. (Access violations
    // inside the library are not C++ exceptions and are not caught here.)
    try {
        return static_cast<R>(pfn(args...));
    } catch (...) {
        return defaultResult;
    }
}

template <class Fn, class... Args>
void CTkWinThemeWrapper::CallVoid(int nSlot, Args... args)
{
    Fn pfn = reinterpret_cast<Fn>(m_pTable->Resolve(nSlot));
    if (!pfn)
        return;
    try {
        pfn(args...);
    } catch (...) {
    }
}

CTkWinThemeWrapper::CTkWinThemeWrapper() : m_pTable(&CTkWinThemeApiTable::Instance()) {}

CTkWinThemeWrapper::CTkWinThemeWrapper(CTkWinThemeApiTable* pTable)
    : m_pTable(pTable ? pTable : &CTkWinThemeApiTable::Instance())
{
}

CTkWinThemeWrapper::~CTkWinThemeWrapper()
{
    CloseThemeData();
}

BOOL CTkWinThemeWrapper::IsUsingVisualStyles()
{
    if (!m_pTable->GetModule())
        return FALSE;
    if (!IsThemeActive() || !IsAppThemed())
        return FALSE;
    return HIWORD(m_pTable->GetComCtlVersion()) > 5;
}

void CTkWinThemeWrapper::SetApiSlot(int nSlot, FARPROC pfn)
{
    m_pTable->SetSlot(nSlot, pfn);
}

void CTkWinThemeWrapper::OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    CloseThemeData();
    m_hTheme = Call<TK_FN(OpenThemeData)>(TK_SLOT(OpenThemeData), HTHEME(nullptr), hWnd, pszClassList);
}

void CTkWinThemeWrapper::CloseThemeData()
{
    if (m_hTheme)
        Call<TK_FN(CloseThemeData)>(TK_SLOT(CloseThemeData), HRESULT(E_FAIL), m_hTheme);
    m_hTheme = nullptr;
}

BOOL CTkWinThemeWrapper::IsAppThemed()
{
    if (!m_hTheme)
        return FALSE;
    return Call<TK_FN(IsAppThemed)>(TK_SLOT(IsAppThemed), BOOL(FALSE));
}

HRESULT CTkWinThemeWrapper::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    return Call<TK_FN(GetThemeColor)>(TK_SLOT(GetThemeColor), HRESULT(E_FAIL), m_hTheme, iPartId, iStateId, iPropId,
                                      pColor);
}

HRESULT CTkWinThemeWrapper::GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                                int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    return Call<TK_FN(GetCurrentThemeName)>(TK_SLOT(GetCurrentThemeName), HRESULT(E_FAIL), pszThemeFileName,
                                            cchMaxNameChars, pszColorBuff, cchMaxColorChars, pszSizeBuff,
                                            cchMaxSizeChars);
}

// The offered rest: each forwards with the held handle where the function takes one.
#define TK_THEME_HR(name, params, args)                                                           \
    HRESULT CTkWinThemeWrapper::name params                                                       \
    {                                                                                             \
        return Call<TK_FN(name)>(TK_SLOT(name), HRESULT(E_FAIL), args);                           \
    }
#define TK_COMMA ,

TK_THEME_HR(DrawThemeBackground, (HDC hdc, int p, int s, const RECT* r, const RECT* c),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA r TK_COMMA c)
TK_THEME_HR(DrawThemeBackgroundEx, (HDC hdc, int p, int s, const RECT* r, const DTBGOPTS* o),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA r TK_COMMA o)
TK_THEME_HR(DrawThemeEdge, (HDC hdc, int p, int s, const RECT* r, UINT e, UINT f, RECT* c),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA r TK_COMMA e TK_COMMA f TK_COMMA c)
TK_THEME_HR(DrawThemeIcon, (HDC hdc, int p, int s, const RECT* r, HIMAGELIST h, int i),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA r TK_COMMA h TK_COMMA i)
TK_THEME_HR(DrawThemeParentBackground, (HWND hwnd, HDC hdc, RECT* prc), hwnd TK_COMMA hdc TK_COMMA prc)
TK_THEME_HR(DrawThemeText, (HDC hdc, int p, int s, LPCWSTR t, int n, DWORD f1, DWORD f2, const RECT* r),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA t TK_COMMA n TK_COMMA f1 TK_COMMA f2 TK_COMMA r)
TK_THEME_HR(EnableThemeDialogTexture, (HWND hwnd, DWORD f), hwnd TK_COMMA f)
TK_THEME_HR(EnableTheming, (BOOL f), f)
TK_THEME_HR(GetThemeBackgroundContentRect, (HDC hdc, int p, int s, const RECT* b, RECT* c),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA b TK_COMMA c)
TK_THEME_HR(GetThemeBackgroundExtent, (HDC hdc, int p, int s, const RECT* c, RECT* e),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA c TK_COMMA e)
TK_THEME_HR(GetThemeBackgroundRegion, (HDC hdc, int p, int s, const RECT* r, HRGN* g),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA r TK_COMMA g)
TK_THEME_HR(GetThemeBool, (int p, int s, int i, BOOL* v), m_hTheme TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA v)
TK_THEME_HR(GetThemeDocumentationProperty, (LPCWSTR n, LPCWSTR pn, LPWSTR v, int c),
            n TK_COMMA pn TK_COMMA v TK_COMMA c)
TK_THEME_HR(GetThemeEnumValue, (int p, int s, int i, int* v), m_hTheme TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA v)
TK_THEME_HR(GetThemeFilename, (int p, int s, int i, LPWSTR b, int c),
            m_hTheme TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA b TK_COMMA c)
TK_THEME_HR(GetThemeFont, (HDC hdc, int p, int s, int i, LOGFONTW* f),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA f)
TK_THEME_HR(GetThemeInt, (int p, int s, int i, int* v), m_hTheme TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA v)
TK_THEME_HR(GetThemeIntList, (int p, int s, int i, INTLIST* l), m_hTheme TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA l)
TK_THEME_HR(GetThemeMargins, (HDC hdc, int p, int s, int i, RECT* r, MARGINS* m),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA r TK_COMMA m)
TK_THEME_HR(GetThemeMetric, (HDC hdc, int p, int s, int i, int* v),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA v)
TK_THEME_HR(GetThemePartSize, (HDC hdc, int p, int s, RECT* r, THEMESIZE e, SIZE* z),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA r TK_COMMA e TK_COMMA z)
TK_THEME_HR(GetThemePosition, (int p, int s, int i, POINT* pt), m_hTheme TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA pt)
TK_THEME_HR(GetThemePropertyOrigin, (int p, int s, int i, PROPERTYORIGIN* o),
            m_hTheme TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA o)
TK_THEME_HR(GetThemeRect, (int p, int s, int i, RECT* r), m_hTheme TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA r)
TK_THEME_HR(GetThemeString, (int p, int s, int i, LPWSTR b, int c),
            m_hTheme TK_COMMA p TK_COMMA s TK_COMMA i TK_COMMA b TK_COMMA c)
TK_THEME_HR(GetThemeSysFont, (int i, LOGFONTW* f), m_hTheme TK_COMMA i TK_COMMA f)
TK_THEME_HR(GetThemeSysInt, (int i, int* v), m_hTheme TK_COMMA i TK_COMMA v)
TK_THEME_HR(GetThemeSysString, (int i, LPWSTR b, int c), m_hTheme TK_COMMA i TK_COMMA b TK_COMMA c)
TK_THEME_HR(GetThemeTextExtent, (HDC hdc, int p, int s, LPCWSTR t, int n, DWORD f, const RECT* b, RECT* e),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA t TK_COMMA n TK_COMMA f TK_COMMA b TK_COMMA e)
TK_THEME_HR(GetThemeTextMetrics, (HDC hdc, int p, int s, TEXTMETRICW* tm),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA tm)
TK_THEME_HR(HitTestThemeBackground, (HDC hdc, int p, int s, DWORD o, const RECT* r, HRGN g, POINT pt, WORD* c),
            m_hTheme TK_COMMA hdc TK_COMMA p TK_COMMA s TK_COMMA o TK_COMMA r TK_COMMA g TK_COMMA pt TK_COMMA c)
TK_THEME_HR(SetWindowTheme, (HWND hwnd, LPCWSTR a, LPCWSTR l), hwnd TK_COMMA a TK_COMMA l)

DWORD CTkWinThemeWrapper::GetThemeAppProperties()
{
    return Call<TK_FN(GetThemeAppProperties)>(TK_SLOT(GetThemeAppProperties), DWORD(0));
}

BOOL CTkWinThemeWrapper::GetThemeSysBool(int iBoolId)
{
    return Call<TK_FN(GetThemeSysBool)>(TK_SLOT(GetThemeSysBool), BOOL(FALSE), m_hTheme, iBoolId);
}

COLORREF CTkWinThemeWrapper::GetThemeSysColor(int iColorId)
{
    return Call<TK_FN(GetThemeSysColor)>(TK_SLOT(GetThemeSysColor), COLORREF(0), m_hTheme, iColorId);
}

HBRUSH CTkWinThemeWrapper::GetThemeSysColorBrush(int iColorId)
{
    return Call<TK_FN(GetThemeSysColorBrush)>(TK_SLOT(GetThemeSysColorBrush), HBRUSH(nullptr), m_hTheme, iColorId);
}

int CTkWinThemeWrapper::GetThemeSysSize(int iSizeId)
{
    return Call<TK_FN(GetThemeSysSize)>(TK_SLOT(GetThemeSysSize), 0, m_hTheme, iSizeId);
}

HTHEME CTkWinThemeWrapper::GetWindowTheme(HWND hwnd)
{
    return Call<TK_FN(GetWindowTheme)>(TK_SLOT(GetWindowTheme), HTHEME(nullptr), hwnd);
}

BOOL CTkWinThemeWrapper::IsThemeActive()
{
    return Call<TK_FN(IsThemeActive)>(TK_SLOT(IsThemeActive), BOOL(FALSE));
}

BOOL CTkWinThemeWrapper::IsThemeBackgroundPartiallyTransparent(int iPartId, int iStateId)
{
    return Call<TK_FN(IsThemeBackgroundPartiallyTransparent)>(TK_SLOT(IsThemeBackgroundPartiallyTransparent),
                                                              BOOL(FALSE), m_hTheme, iPartId, iStateId);
}

BOOL CTkWinThemeWrapper::IsThemeDialogTextureEnabled(HWND hwnd)
{
    return Call<TK_FN(IsThemeDialogTextureEnabled)>(TK_SLOT(IsThemeDialogTextureEnabled), BOOL(FALSE), hwnd);
}

BOOL CTkWinThemeWrapper::IsThemePartDefined(int iPartId, int iStateId)
{
    return Call<TK_FN(IsThemePartDefined)>(TK_SLOT(IsThemePartDefined), BOOL(FALSE), m_hTheme, iPartId, iStateId);
}

void CTkWinThemeWrapper::SetThemeAppProperties(DWORD dwFlags)
{
    CallVoid<TK_FN(SetThemeAppProperties)>(TK_SLOT(SetThemeAppProperties), dwFlags);
}
