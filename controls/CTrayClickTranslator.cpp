#include "controls/CTrayClickTranslator.h"

CTrayClickAction CTrayClickTranslator::OnMouseMessage(UINT nMouseMsg, UINT nIconId)
{
    CTrayClickAction action;
    switch (nMouseMsg) {
    case WM_LBUTTONDOWN:
        m_bClickPending = true;
        action.bStartClickTimer = true;
        break;
    case WM_LBUTTONDBLCLK:
        // The target is not brought forward here: it decides itself how to show up.
        m_bClickPending = false;
        action.bKillClickTimer = true;
        action.nMessage = WM_TRAY_LBUTTONDBLCLK;
        action.wParam = nIconId;
        break;
    case WM_RBUTTONDOWN:
        action.bForegroundIfSignedIn = true;
        action.nMessage = WM_TRAY_RBUTTONDOWN;
        break;
    case WM_RBUTTONDBLCLK:
        m_bClickPending = false;
        action.bForegroundIfSignedIn = true;
        action.nMessage = WM_TRAY_RBUTTONDBLCLK;
        break;
    default:
        break;
    }
    return action;
}

CTrayClickAction CTrayClickTranslator::OnClickTimer()
{
    CTrayClickAction action;
    action.bKillClickTimer = true;
    // The pending flag stays set: the next press sets it again anyway.
    if (m_bClickPending) {
        action.bForegroundIfSignedIn = true;
        action.nMessage = WM_TRAY_LBUTTONCLICK;
    }
    return action;
}
