// Item measuring, icon centring and the setters that redraw.
#include "controls/popup/CTkImageManager.h"
#include "controls/popup/CTkImageManagerIcon.h"
#include "controls/popup/CTkPopupControl.h"
#include "controls/popup/CTkPopupItem.h"
#include "TkRectPrinting.h"
#include "TkTestImages.h"
#include <gtest/gtest.h>

TEST(TkPopupItem, DefaultsAndDynamicCreation)
{
    CObject* pObject = RUNTIME_CLASS(CTkPopupItem)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    auto* pItem = static_cast<CTkPopupItem*>(pObject);
    EXPECT_TRUE(pItem->GetRect().IsRectEmpty());
    EXPECT_TRUE(pItem->GetCaption().IsEmpty());
    EXPECT_EQ(static_cast<COLORREF>(-1), pItem->GetBackgroundColor());
    EXPECT_EQ(static_cast<COLORREF>(-1), pItem->GetTextColor());
    EXPECT_TRUE(pItem->IsHyperLink());
    EXPECT_EQ(-1, pItem->GetIconIndex());
    EXPECT_EQ(nullptr, pItem->GetFont()); // no popup, no paint manager font
    pItem->Draw(nullptr);                 // not in a popup: nothing happens
    pItem->InternalRelease();
}

TEST(TkPopupItem, MeasuresItsCaptionAndCentresItsIcon)
{
    CTkPopupControl popup;
    CTkPopupItem* pItem = popup.AddItem(new CTkPopupItem(CRect(10, 20, 300, 21), L"Some caption"));
    ASSERT_NE(nullptr, pItem->GetFont()); // the paint manager's
    pItem->CalculateHeight();
    EXPECT_GT(pItem->GetRect().Height(), 5);
    pItem->CalculateWidth();
    const int width = pItem->GetRect().Width();
    EXPECT_GT(width, 20);
    EXPECT_LT(width, 290);
    pItem->SetCaption(L"Some caption that is longer");
    pItem->CalculateWidth();
    EXPECT_GT(pItem->GetRect().Width(), width);
    pItem->SetTextAlignment(DT_WORDBREAK);
    pItem->SetCaption(L"x");
    pItem->CalculateWidth(); // wrapping text keeps its width
    EXPECT_GT(pItem->GetRect().Width(), width);

    LOGFONTW lf = {};
    lf.lfHeight = -40;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    pItem->SetFont(&lf);
    EXPECT_NE(nullptr, pItem->m_fntItem.GetSafeHandle());
    EXPECT_EQ(&pItem->m_fntItem, pItem->GetFont());
    pItem->SetTextAlignment(0);
    pItem->CalculateHeight();
    EXPECT_GE(pItem->GetRect().Height(), 40);

    CTkPopupItem* pIconItem = popup.AddItem(new CTkPopupItem(CRect(0, 0, 40, 30)));
    HICON hIcon = tkimages::MakeIcon(16, 16, RGB(1, 2, 3));
    pIconItem->SetIcon(hIcon, 1);
    pIconItem->CenterIcon();
    EXPECT_EQ(CPoint(12, 7), pIconItem->GetIconOffset());
    pIconItem->SetIconIndex(77); // the icon is now looked up under 77: there is none
    EXPECT_EQ(nullptr, pIconItem->GetImage());
    ::DestroyIcon(hIcon);
}

TEST(TkPopupItem, StripOfIconsIsRegisteredPerFlag)
{
    CTkPopupControl popup;
    CTkPopupItem* pItem = popup.AddItem(new CTkPopupItem(CRect(0, 0, 16, 16)));
    HDC screen = ::GetDC(nullptr);
    HBITMAP hStrip = ::CreateCompatibleBitmap(screen, 32, 16);
    ::ReleaseDC(nullptr, screen);
    EXPECT_TRUE(pItem->SetIcons(hStrip, RGB(255, 0, 255), 1 | 4));
    CTkImageManagerIcon* pIcon = pItem->GetImage();
    ASSERT_NE(nullptr, pIcon);
    EXPECT_NE(nullptr, pIcon->m_imgNormal.m_hIcon);  // flag 1: the first image
    EXPECT_NE(nullptr, pIcon->m_imgChecked.m_hIcon); // flag 4: the second
    EXPECT_EQ(nullptr, pIcon->m_imgHot.m_hIcon);
    EXPECT_FALSE(pItem->SetIcons(hStrip, RGB(255, 0, 255), 0));
    ::DeleteObject(hStrip);
}
