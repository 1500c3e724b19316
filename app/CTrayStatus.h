#pragma once
// The main window's tray icon as the user's status: the icon itself (created with the product
// tooltip), its status images cut from one strip, and the blank image that makes the icon blink
// while unread messages wait.
#include "controls/CTrayIcon.h"
#include "framework/CImageList.h"
#include "framework/CString.h"

class CWnd;

class CTrayStatus {
public:
    enum : int {
        kBlankImage = 7,      // the flashing icon's "off" phase
        kImageSize = 16,
    };
    enum : UINT { kTrayIconId = 128 };

    CTrayStatus() = default;
    ~CTrayStatus();
    CTrayStatus(const CTrayStatus&) = delete;
    CTrayStatus& operator=(const CTrayStatus&) = delete;

    // Index of the image of a user status: 1 -> 0, 4 -> 1, 3 -> 2, 6 -> 3, 5 and 7 -> 4,
    // 8 -> 5, anything else 0.
    static int ImageForStatus(int nStatus);
    // The tooltip: string 147 with the product name (string 61952) as its one insert.
    static CString Tooltip();

    // Builds the image list (once), adds the icon with the callback message to pOwner and hides
    // the tray's own window. FALSE when the shell refused the icon.
    BOOL Create(CWnd* pOwner, UINT uCallbackMessage);
    // Shows image nImage of the strip; FALSE when the strip has no such image.
    BOOL SetImage(int nImage);
    BOOL ShowStatus(int nStatus) { return SetImage(ImageForStatus(nStatus)); }
    // One phase of the unread blink: 1 the status image, 0 the blank one; the icon is shown.
    BOOL Flash(int nPhase, int nStatus);

    // The icon itself (its tooltip, its removal) and the status strip.
    CTrayIcon& GetTrayIcon() { return m_tray; }
    CImageList& GetImages() { return m_images; }

private:
    CTrayIcon m_tray;
    CImageList m_images;
    HICON m_hIcon = nullptr; // the image last given to the tray; owned
};
