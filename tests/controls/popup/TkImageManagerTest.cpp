// Storing icons by id, state and width, and handing back the best fit.
#include "controls/popup/CTkImageManager.h"
#include "controls/popup/CTkImageManagerIcon.h"
#include "controls/popup/CTkImageManagerIconSet.h"
#include "TkRectPrinting.h"
#include "TkTestImages.h"
#include <gtest/gtest.h>

namespace {

class TkImageManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_manager = new CTkImageManager;
        m_icon16 = tkimages::MakeIcon(16, 16, RGB(255, 0, 0));
        m_icon32 = tkimages::MakeIcon(32, 32, RGB(0, 0, 255));
        m_icon48x24 = tkimages::MakeIcon(48, 24, RGB(0, 255, 0));
    }
    void TearDown() override
    {
        m_manager->InternalRelease();
        ::DestroyIcon(m_icon16);
        ::DestroyIcon(m_icon32);
        ::DestroyIcon(m_icon48x24);
    }
    CTkImageManagerIconSet* SetOf(UINT nID)
    {
        CTkImageManagerIconSet* pSet = nullptr;
        m_manager->m_mapIcons.Lookup(nID, pSet);
        return pSet;
    }

    CTkImageManager* m_manager = nullptr;
    HICON m_icon16 = nullptr, m_icon32 = nullptr, m_icon48x24 = nullptr;
};

} // namespace

TEST_F(TkImageManagerTest, HotImageNeedsANormalImageFirst)
{
    EXPECT_FALSE(m_manager->SetIcon(CTkImageHandle(m_icon16), 7, CSize(0, 0), CTkImageManager::kStateHot));
    EXPECT_FALSE(m_manager->IsIconSet(7));
    EXPECT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon16), 7, CSize(0, 0), CTkImageManager::kStateNormal));
    EXPECT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon16), 7, CSize(0, 0), CTkImageManager::kStateHot));
    CTkImageManagerIcon* pIcon = m_manager->GetImage(7, 16);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_NE(nullptr, pIcon->m_imgHot.m_hIcon);
    EXPECT_NE(m_icon16, pIcon->m_imgHot.m_hIcon); // a copy, owned by the manager
    EXPECT_EQ(&pIcon->m_imgHot, &pIcon->GetHotIcon());
    EXPECT_EQ(&pIcon->m_imgHot, &pIcon->GetCheckedIcon()); // checked falls back to hot
}

TEST_F(TkImageManagerTest, EmptyOrSizelessImagesAreRefused)
{
    EXPECT_FALSE(m_manager->SetIcon(CTkImageHandle(), 1, CSize(16, 16)));
    EXPECT_FALSE(m_manager->GetImage(1));
    EXPECT_FALSE(m_manager->SetIcon(CTkImageHandle(m_icon16), 1, CSize(16, 16), 9)); // no set and not normal
    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon16), 1, CSize(16, 16)));
    EXPECT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon32), 1, CSize(16, 16), 9)); // unknown state: stores nothing
    EXPECT_EQ(16, m_manager->GetImage(1, 16)->GetWidth());
}

TEST_F(TkImageManagerTest, WidthZeroGivesTheSmallestStoredIconUnscaled)
{
    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon32), 5, CSize(0, 0)));
    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon16), 5, CSize(0, 0)));
    CTkImageManagerIcon* pIcon = m_manager->GetImage(5, 0);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(16, pIcon->GetWidth());
    EXPECT_FALSE(pIcon->IsScaled());
    EXPECT_EQ(2, SetOf(5)->m_mapIcons.GetCount());
    EXPECT_EQ(nullptr, m_manager->GetImage(6, 0)); // no set for that id
}

TEST_F(TkImageManagerTest, MissingWidthIsScaledOnceAndDroppedByANewNormalImage)
{
    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon16), 5, CSize(0, 0)));
    CTkImageManagerIcon* pScaled = m_manager->GetImage(5, 32);
    ASSERT_NE(nullptr, pScaled);
    EXPECT_TRUE(pScaled->IsScaled());
    EXPECT_EQ(32, pScaled->GetWidth());
    EXPECT_EQ(32, pScaled->GetHeight());
    EXPECT_EQ(CSize(32, 32), pScaled->GetIcon().GetExtent());
    EXPECT_EQ(pScaled, m_manager->GetImage(5, 32)); // the same copy again
    EXPECT_EQ(2, SetOf(5)->m_mapIcons.GetCount());

    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon16), 5, CSize(0, 0)));
    EXPECT_EQ(1, SetOf(5)->m_mapIcons.GetCount()); // the scaled copy is gone
    EXPECT_FALSE(SetOf(5)->GetIcon(32, FALSE));
}

TEST_F(TkImageManagerTest, NearestWidthIsTheSourceOfTheCopy)
{
    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon16), 9, CSize(0, 0)));
    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon48x24), 9, CSize(0, 0)));
    CTkImageManagerIcon* pIcon = m_manager->GetImage(9, 40);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(40, pIcon->GetWidth());
    EXPECT_EQ(20, pIcon->GetHeight()); // 24 × 40 / 48: scaled from the 48-wide icon
    EXPECT_EQ(20, m_manager->GetImage(9, 20)->GetHeight()); // 20 is nearer the square 16
}

TEST_F(TkImageManagerTest, AlphaImagesAreNeverScaled)
{
    HBITMAP hAlpha = tkimages::MakeAlphaBitmap(16, 16, RGB(10, 20, 30), 200);
    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(hAlpha), 3, CSize(0, 0)));
    CTkImageManagerIcon* pIcon = m_manager->GetImage(3, 32);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(16, pIcon->GetWidth());
    EXPECT_FALSE(pIcon->IsScaled());
    EXPECT_TRUE(pIcon->IsAlpha());
    EXPECT_NE(hAlpha, pIcon->GetIcon().GetBitmap()); // stored as its own copy
    ::DeleteObject(hAlpha);
}

TEST_F(TkImageManagerTest, RemoveAllLeavesAnEmptyUsableManager)
{
    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon16), 1, CSize(0, 0)));
    ASSERT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon32), 2, CSize(0, 0)));
    m_manager->RemoveAll();
    EXPECT_EQ(0, m_manager->m_mapIcons.GetCount());
    EXPECT_EQ(nullptr, m_manager->GetImage(1));
    EXPECT_TRUE(m_manager->SetIcon(CTkImageHandle(m_icon16), 1, CSize(0, 0)));
    EXPECT_NE(nullptr, m_manager->GetImage(1));
}

TEST_F(TkImageManagerTest, GeneratedIdsSharingAndRemoval)
{
    EXPECT_EQ(0x10AABu, m_manager->AddIcon(CTkImageHandle(m_icon16)));
    EXPECT_EQ(0x10AACu, m_manager->AddIcon(CTkImageHandle(m_icon32)));
    EXPECT_EQ(0u, m_manager->AddIcon(CTkImageHandle()));

    CTkImageManager* pOther = new CTkImageManager;
    pOther->CopyFrom(m_manager);
    EXPECT_TRUE(pOther->IsIconSet(0x10AAB));
    EXPECT_EQ(SetOf(0x10AAB), [&] {
        CTkImageManagerIconSet* p = nullptr;
        pOther->m_mapIcons.Lookup(0x10AAB, p);
        return p;
    }());
    pOther->InternalRelease(); // the shared sets live on here
    EXPECT_NE(nullptr, m_manager->GetImage(0x10AAB));

    EXPECT_TRUE(m_manager->RemoveIcon(0x10AAB));
    EXPECT_FALSE(m_manager->RemoveIcon(0x10AAB));
    EXPECT_FALSE(m_manager->IsIconSet(0x10AAB));
}

TEST_F(TkImageManagerTest, StripsAreCutIntoOneIconPerId)
{
    HBITMAP hStrip = tkimages::MakeAlphaBitmap(48, 16, RGB(1, 2, 3));
    const UINT ids[4] = {100, 0, 101, 102}; // a separator in a longer list
    EXPECT_TRUE(m_manager->SetIcons(hStrip, ids, 4, CSize(16, 16)));
    EXPECT_TRUE(m_manager->IsIconSet(100));
    EXPECT_TRUE(m_manager->IsIconSet(101));
    EXPECT_TRUE(m_manager->IsIconSet(102));
    EXPECT_TRUE(m_manager->GetImage(101)->IsAlpha());
    ::DeleteObject(hStrip);
}

TEST(TkImageHandle, ExtentOwnershipAndArchive)
{
    HICON hIcon = tkimages::MakeIcon(24, 16, RGB(9, 9, 9));
    CTkImageHandle borrowed(hIcon);
    EXPECT_FALSE(borrowed.m_bOwns);
    EXPECT_EQ(CSize(24, 16), borrowed.GetExtent());
    EXPECT_FALSE(borrowed.IsAlpha());

    CTkImageHandle owned;
    owned.CopyIn(borrowed);
    EXPECT_TRUE(owned.m_bOwns);
    EXPECT_NE(hIcon, owned.m_hIcon);
    std::vector<BYTE> archive;
    owned.Write(archive);
    owned.Clear();
    EXPECT_TRUE(owned.IsEmpty());

    CTkImageHandle read;
    const BYTE* p = archive.data();
    ASSERT_TRUE(read.Read(&p, archive.data() + archive.size()));
    EXPECT_NE(nullptr, read.m_hIcon);
    EXPECT_EQ(CSize(24, 16), read.GetExtent());
    read.Clear();

    HBITMAP hAlpha = tkimages::MakeAlphaBitmap(5, 7, RGB(1, 1, 1), 10);
    CTkImageHandle alpha(hAlpha);
    EXPECT_EQ(CSize(5, 7), alpha.GetExtent());
    EXPECT_TRUE(alpha.IsAlpha());
    EXPECT_NE(nullptr, alpha.GetPremultipliedBitmap());
    archive.clear();
    alpha.Write(archive);
    alpha.Clear(); // deletes the premultiplied copy only: the bitmap is borrowed
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), ::GetObjectType(hAlpha));
    p = archive.data();
    ASSERT_TRUE(read.Read(&p, archive.data() + archive.size()));
    EXPECT_NE(nullptr, read.GetBitmap());
    EXPECT_EQ(nullptr, read.m_hIcon);
    read.Clear();

    archive.clear();
    CTkImageHandle().Write(archive);
    p = archive.data();
    ASSERT_TRUE(read.Read(&p, archive.data() + archive.size()));
    EXPECT_TRUE(read.IsEmpty());

    ::DeleteObject(hAlpha);
    ::DestroyIcon(hIcon);
}

TEST(TkImageManagerIcon, GeneratedImagesAndDrawing)
{
    CTkImageManager* pManager = new CTkImageManager;
    HICON hIcon = tkimages::MakeIcon(16, 16, RGB(200, 0, 0));
    ASSERT_TRUE(pManager->SetIcon(CTkImageHandle(hIcon), 1, CSize(0, 0)));
    CTkImageManagerIcon* pIcon = pManager->GetImage(1);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_FALSE(pIcon->GetFadedIcon().IsEmpty());
    EXPECT_FALSE(pIcon->GetShadowIcon().IsEmpty());
    EXPECT_FALSE(pIcon->GetDisabledIcon().IsEmpty());

    HBITMAP hTarget = TkCreateAlphaBitmap(20, 20, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc.SelectObject(static_cast<HGDIOBJ>(hTarget));
    dc.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    EXPECT_TRUE(pIcon->Draw(&dc, CPoint(2, 2)));
    EXPECT_EQ(RGB(200, 0, 0), dc.GetPixel(5, 5));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(19, 19));
    EXPECT_TRUE(pIcon->DrawShadow(&dc, CPoint(0, 0), RGB(0, 0, 0)));
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(1, 1));

    HBITMAP hAlpha = tkimages::MakeAlphaBitmap(4, 4, RGB(0, 0, 255), 255);
    ASSERT_TRUE(pManager->SetIcon(CTkImageHandle(hAlpha), 2, CSize(0, 0)));
    dc.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    EXPECT_TRUE(pManager->GetImage(2)->Draw(&dc, CPoint(10, 10)));
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(11, 11));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(15, 15));

    dc.SelectObject(old);
    ::DeleteObject(hTarget);
    ::DeleteObject(hAlpha);
    ::DestroyIcon(hIcon);
    pManager->InternalRelease();
}
