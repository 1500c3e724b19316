// CKorvelLoginDlg: layout and painting. Every control keeps its own width and height; the rows
// are centred and the controls beside them follow their icons.
#include "signin/CKorvelLoginDlg.h"
#include "controls/ScaleByDpi.h"
#include "framework/CPaintDC.h"
#include "platform/QorResource/ResourceIds.h"

void CKorvelLoginDlg::PlaceHeadPicture(int cx, int cy)
{
    RECT rc = GetControlRect(IDC_HEAD_PIC);
    m_HeadPic.MoveWindow(rc.left, rc.top, cx, cy);
}

RECT CKorvelLoginDlg::GetControlRect(UINT nID) const
{
    RECT rc = {0, 0, 0, 0};
    HWND hCtrl = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    if (hCtrl) {
        ::GetWindowRect(hCtrl, &rc);
        ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    }
    return rc;
}

void CKorvelLoginDlg::MoveControl(UINT nID, int x, int y, int cx, int cy)
{
    HWND hCtrl = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    if (hCtrl)
        ::MoveWindow(hCtrl, x, y, cx, cy, TRUE);
}

void CKorvelLoginDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!::GetDlgItem(m_hWnd, IDC_LOGIN_BUTTON))
        return;
    auto width = [](const RECT& rc) { return static_cast<int>(rc.right - rc.left); };
    auto height = [](const RECT& rc) { return static_cast<int>(rc.bottom - rc.top); };

    // Network settings in the bottom-right corner, the mode switch right above it.
    RECT rcNet = GetControlRect(IDC_NET_SETTINGS);
    int netX = cx - ScaleByDpi(4) - width(rcNet);
    int netY = cy - ScaleByDpi(4) - height(rcNet);
    MoveControl(IDC_NET_SETTINGS, netX, netY, width(rcNet), height(rcNet));
    int switchLeft = netX + ScaleByDpi(26);
    int switchRight = netX + width(rcNet) - ScaleByDpi(2);
    MoveControl(IDC_SWITCH_MODE, switchLeft, netY - ScaleByDpi(2) - height(rcNet), switchRight - switchLeft,
                height(rcNet));

    // Logo and sign-in button centred.
    for (UINT nID : {static_cast<UINT>(IDC_LOGO_STRIP), static_cast<UINT>(IDC_LOGIN_BUTTON)}) {
        RECT rc = GetControlRect(nID);
        MoveControl(nID, (cx - width(rc)) / 2, rc.top, width(rc), height(rc));
    }

    // The three rows, centred with a square of their own height for the icon on the left.
    RECT rcServer = GetControlRect(IDC_SERVER_COMBO);
    RECT rcUser = GetControlRect(IDC_USER_EDIT);
    RECT rcPassword = GetControlRect(IDC_PASSWORD_EDIT);
    auto rowLeft = [&](const RECT& rc) { return (cx - width(rc) - height(rc)) / 2 + height(rc); };
    int serverLeft = rowLeft(rcServer);
    int userLeft = rowLeft(rcUser);
    int passwordLeft = rowLeft(rcPassword);
    MoveControl(IDC_SERVER_COMBO, serverLeft, rcServer.top, width(rcServer), height(rcServer));
    MoveControl(IDC_USER_EDIT, userLeft, rcUser.top, width(rcUser), height(rcUser));
    MoveControl(IDC_PASSWORD_EDIT, passwordLeft, rcPassword.top, width(rcPassword), height(rcPassword));
    int serverIconLeft = serverLeft - height(rcServer);
    int userIconLeft = userLeft - height(rcUser);
    int passwordIconLeft = passwordLeft - height(rcPassword);
    MoveControl(IDC_ICON_SERVER, serverIconLeft, rcServer.top, height(rcServer), height(rcServer) + 1);
    MoveControl(IDC_ICON_USER, userIconLeft, rcUser.top - 2, height(rcUser), height(rcUser) + 2);
    MoveControl(IDC_ICON_USER_LINE, userLeft, rcUser.top - 2, width(rcUser), 2);
    MoveControl(IDC_ICON_PASSWORD, passwordIconLeft, rcPassword.top - 2, height(rcPassword), height(rcPassword) + 2);
    MoveControl(IDC_ICON_PASSWORD_LINE, passwordLeft, rcPassword.top - 2, width(rcPassword), 2);

    // Captions follow the server row's icon; check boxes and the error row the password row's.
    for (UINT nID : {static_cast<UINT>(IDC_SERVER_CAPTION), static_cast<UINT>(IDC_PASSWORD_CAPTION),
                     static_cast<UINT>(IDC_USER_CAPTION)}) {
        RECT rc = GetControlRect(nID);
        MoveControl(nID, serverIconLeft, rc.top, width(rc), height(rc));
    }
    for (UINT nID : {static_cast<UINT>(IDC_REMEMBER_ME), static_cast<UINT>(IDC_SAVE_PASSWORD),
                     static_cast<UINT>(IDC_AUTO_LOGIN), static_cast<UINT>(IDC_ERROR_MARK),
                     static_cast<UINT>(IDC_CHECK_CAPTION)}) {
        RECT rc = GetControlRect(nID);
        MoveControl(nID, passwordIconLeft, rc.top, width(rc), height(rc));
    }
    RECT rcCaption = GetControlRect(IDC_CHECK_CAPTION);
    RECT rcStatus = GetControlRect(IDC_STATUS_BUTTON);
    MoveControl(IDC_STATUS_BUTTON, rcCaption.right, rcStatus.top, width(rcStatus), height(rcStatus));
    RECT rcMark = GetControlRect(IDC_ERROR_MARK);
    RECT rcError = GetControlRect(IDC_ERROR_TEXT);
    MoveControl(IDC_ERROR_TEXT, rcMark.right, rcError.top, width(rcError), height(rcError));
    m_ByNameMode.Layout(cx);
}

void CKorvelLoginDlg::OnPaint()
{
    CPaintDC dc(this);
    m_BkHelper.DrawParentBackground(this, &dc);
}

BOOL CKorvelLoginDlg::OnEraseBkgnd(CDC*) { return TRUE; }
