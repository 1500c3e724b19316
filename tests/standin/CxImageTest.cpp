// The image library stand-in: decoding through GDI+ and the frames of an animation.
#include "platform/cximage/CxImage.h"
#include "platform/cximage/CxImageTestHooks.h"
#include "tests/standin/DibCanvas.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

std::wstring TestData(const wchar_t* name)
{
    return testsupport::ExeDir() + L"\\testdata\\" + name;
}

DWORD Rgb(const CxImage& img, long x, long y)
{
    return img.GetPixelArgb(x, y) & 0xFFFFFF;
}

std::vector<BYTE> ReadAll(const std::wstring& path)
{
    std::vector<BYTE> data;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    data.resize(::GetFileSize(h, nullptr));
    DWORD n = 0;
    ::ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &n, nullptr);
    ::CloseHandle(h);
    return data;
}

} // namespace

TEST(CxImage, AnimatedGifLoadsEveryFrameWhenAsked)
{
    int liveBefore = CxImageTest_GetLiveBitmaps();
    {
        // As the animated picture control does: a first load for the size, then all frames.
        CxImage img;
        ASSERT_TRUE(img.Load(TestData(L"frames3.gif").c_str(), CXIMAGE_FORMAT_UNKNOWN));
        EXPECT_EQ(img.GetWidth(), 20u);
        EXPECT_EQ(img.GetHeight(), 12u);
        EXPECT_EQ(img.GetNumFrames(), 3);
        EXPECT_EQ(img.GetType(), static_cast<DWORD>(CXIMAGE_FORMAT_GIF));
        EXPECT_EQ(Rgb(img, 5, 5), 0xFF0000u);

        img.SetRetreiveAllFrames(true);
        ASSERT_TRUE(img.Load(TestData(L"frames3.gif").c_str(), CXIMAGE_FORMAT_GIF));
        EXPECT_EQ(img.GetNumFrames(), 3);
        EXPECT_EQ(img.GetFrame(), 0);
        EXPECT_EQ(Rgb(img, 5, 5), 0xFF0000u);
        img.SetFrame(1);
        EXPECT_EQ(Rgb(img, 5, 5), 0x00FF00u);
        img.SetFrame(2);
        EXPECT_EQ(Rgb(img, 5, 5), 0x0000FFu);
        EXPECT_EQ(img.GetFrameDelay(), 100u);
        img.SetFrame(3); // outside: unchanged
        EXPECT_EQ(img.GetFrame(), 2);

        DibCanvas canvas(40, 24, RGB(0, 0, 0));
        EXPECT_EQ(img.Draw(canvas.dc(), RECT{ 0, 0, 40, 24 }), 1);
        EXPECT_EQ(canvas.At(30, 20), RGB(0, 0, 255)) << "the selected frame, stretched";
    }
    EXPECT_EQ(CxImageTest_GetLiveBitmaps(), liveBefore) << "every frame bitmap was freed";
}

TEST(CxImage, SingleFrameChosenBeforeDecoding)
{
    std::vector<BYTE> gif = ReadAll(TestData(L"frames3.gif"));
    ASSERT_FALSE(gif.empty());
    CxImage img;
    img.SetFrame(2);
    ASSERT_TRUE(img.Decode(gif.data(), static_cast<DWORD>(gif.size()), CXIMAGE_FORMAT_GIF));
    EXPECT_EQ(Rgb(img, 0, 0), 0x0000FFu);
    EXPECT_EQ(img.GetNumFrames(), 3);
}

TEST(CxImage, PngDecodesWithItsPixels)
{
    std::vector<BYTE> png = ReadAll(TestData(L"halves.png"));
    ASSERT_FALSE(png.empty());
    CxImage img;
    ASSERT_TRUE(img.Decode(png.data(), static_cast<DWORD>(png.size()), CXIMAGE_FORMAT_UNKNOWN));
    EXPECT_EQ(img.GetWidth(), 24u);
    EXPECT_EQ(img.GetHeight(), 16u);
    EXPECT_EQ(img.GetNumFrames(), 1);
    EXPECT_EQ(img.GetPixelArgb(2, 2), 0xFFFF0000u);
    EXPECT_EQ(img.GetPixelArgb(20, 2), 0xFF0000FFu);
    EXPECT_EQ(img.GetPixelArgb(24, 2), 0u) << "outside the image";
}

TEST(CxImage, WhatCannotBeDecodedIsRefused)
{
    CxImage img;
    EXPECT_FALSE(img.Load((testsupport::ExeDir() + L"\\testdata\\missing.gif").c_str()));
    EXPECT_FALSE(img.Load(TestData(L"halves.png").c_str(), CXIMAGE_FORMAT_GIF)) << "not the type asked for";
    EXPECT_FALSE(img.IsValid());
    const BYTE junk[] = "GIF89a but nothing after";
    EXPECT_FALSE(img.Decode(junk, sizeof(junk), CXIMAGE_FORMAT_UNKNOWN));
    EXPECT_FALSE(img.Decode(nullptr, 10, CXIMAGE_FORMAT_UNKNOWN));
    DibCanvas canvas(4, 4);
    EXPECT_EQ(img.Draw(canvas.dc()), 0);
    EXPECT_EQ(img.GetNumFrames(), 0);
}
