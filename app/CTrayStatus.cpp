#include "app/CTrayStatus.h"
#include "controls/CTrayIcon.h"
#include "framework/CImageList.h"
#include "framework/ModuleState.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/UserStatus.h"

CTrayStatus::~CTrayStatus()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

int CTrayStatus::ImageForStatus(int nStatus)
{
    switch (nStatus) {
    case USER_STATUS_BUSY: return 1;
    case USER_STATUS_ONLINE: return 2;
    case USER_STATUS_INVISIBLE: return 3;
    case USER_STATUS_AWAY:
    case USER_STATUS_AUTO_AWAY: return 4;
    case USER_STATUS_NO_POPUPS: return 5;
    default: return 0; // offline, and any status the table does not know
    }
}

CString CTrayStatus::Tooltip()
{
    CString product = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_NAME);
    CString format = CQorViewBaseFun::LoadStringW(IDS_TRAY_TIP);
    if (format.IsEmpty())
        return product;
    DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(product.GetString())};
    wchar_t buffer[256] = {};
    if (!::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, format.GetString(), 0, 0,
                          buffer, 256, reinterpret_cast<va_list*>(args)))
        return product;
    return buffer;
}

BOOL CTrayStatus::Create(CWnd* pOwner, UINT uCallbackMessage)
{
    // 16x16 images cut from one strip, magenta transparent. Built once: a retried creation keeps
    // the list it already has.
    if (!m_images.GetSafeHandle())
        m_images.Create(IDB_TRAY_STATUS, kImageSize, 0, RGB(255, 0, 255));
    HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_MAINFRAME));
    m_tray.SetTargetWnd(pOwner);
    if (!m_tray.Create(pOwner, uCallbackMessage, Tooltip(), hIcon, kTrayIconId))
        return FALSE;
    if (::IsWindow(m_tray.GetSafeHwnd()))
        m_tray.ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CTrayStatus::SetImage(int nImage)
{
    if (nImage < 0 || nImage >= m_images.GetImageCount())
        return FALSE; // no status strip: the icon keeps the program's own image
    HICON hIcon = m_images.ExtractIcon(nImage);
    if (!hIcon)
        return FALSE;
    BOOL bSet = m_tray.SetIcon(hIcon);
    // The tray keeps the handle (a hidden icon is added again from it), so the image made here
    // lives until the next one replaces it.
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon;
    return bSet;
}

BOOL CTrayStatus::Flash(int nPhase, int nStatus)
{
    BOOL bSet = SetImage(nPhase == 1 ? ImageForStatus(nStatus) : kBlankImage);
    m_tray.ShowIcon();
    return bSet;
}
