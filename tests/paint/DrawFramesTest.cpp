// The frame primitives on a grey memory bitmap. Expected pictures are maps,
// one letter per pixel: on grey 100, 'W' is 178 and 'w' 139 (half and quarter
// way to white), 'K' is 50 and 'k' 75 (half and quarter way to black), '.' is
// the grey left alone.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "common/TestUtil.h"
#include "paint/DrawFrames_int.h"

namespace {

const COLORREF kGrey = RGB(100, 100, 100);

COLORREF Grey(int v)
{
    return RGB(v, v, v);
}

COLORREF FromLetter(char c)
{
    switch (c) {
    case 'W': return Grey(178);
    case 'w': return Grey(139);
    case 'K': return Grey(50);
    case 'k': return Grey(75);
    default: return kGrey;
    }
}

// The first row, column and colour where the bitmap differs from the map.
std::string Differences(const TestBitmap& bmp, const std::vector<std::string>& map)
{
    for (size_t y = 0; y < map.size(); ++y)
        for (size_t x = 0; x < map[y].size(); ++x) {
            const COLORREF got = bmp.Pixel(static_cast<int>(x), static_cast<int>(y));
            if (got != FromLetter(map[y][x]))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " is " + std::to_string(got & 0xFF) +
                       ", map says '" + map[y][x] + "'";
        }
    return "";
}

struct GreyBitmap : TestBitmap {
    GreyBitmap(int cx, int cy) : TestBitmap(cx, cy) { Fill(kGrey); }
};

}  // namespace

TEST(BlendLine, OnlyAxisParallelLinesWithoutTheirEndPoint)
{
    const COLORREF kWhite = RGB(255, 255, 255);
    struct {
        const char* name;
        int x1, y1, x2, y2;
        std::vector<std::string> map;
    } cases[] = {
        {"diagonal: nothing", 0, 0, 3, 3, {"....", "....", "....", "...."}},
        {"single point", 2, 1, 2, 1, {"....", "..W.", "....", "...."}},
        {"down", 1, 0, 1, 3, {".W..", ".W..", ".W..", "...."}},
        {"up", 1, 3, 1, 0, {"....", ".W..", ".W..", ".W.."}},
        {"right", 0, 2, 3, 2, {"....", "....", "WWW.", "...."}},
        {"left", 3, 2, 0, 2, {"....", "....", ".WWW", "...."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GreyBitmap bmp(4, 4);
        BlendLine(bmp.dc(), c.x1, c.y1, c.x2, c.y2, 1, 2, kWhite);
        EXPECT_EQ("", Differences(bmp, c.map));
    }
}

TEST(BlendFrame, ColumnFrameIsBlendedOnceWithEachColour)
{
    GreyBitmap bmp(3, 4);
    const RECT rc = {1, 0, 1, 3};   // inclusive, left equals right
    BlendFrame(bmp.dc(), &rc, 1, 2, RGB(255, 255, 255), RGB(0, 0, 0));
    // 100 -> 178 (white half way) -> 89 (black half way).
    for (int y = 0; y <= 3; ++y)
        EXPECT_EQ(Grey(89), bmp.Pixel(1, y)) << "y = " << y;
    EXPECT_EQ(kGrey, bmp.Pixel(0, 1));
    EXPECT_EQ(kGrey, bmp.Pixel(2, 1));
}

TEST(Frames, RaisedSunkenAndEtched)
{
    const RECT rc = {0, 0, 10, 10};
    struct {
        const char* name;
        void (*draw)(HDC, const RECT*);
        std::vector<std::string> map;
    } cases[] = {
        {"raised, one ring", [](HDC h, const RECT* r) { DrawRaisedFrame(h, r, false, false); },
         {"WWWWWWWWWK", "W........K", "W........K", "W........K", "W........K", "W........K", "W........K",
          "W........K", "W........K", "WKKKKKKKKK"}},
        {"raised, soft outer ring", [](HDC h, const RECT* r) { DrawRaisedFrame(h, r, true, true); },
         {"wwwwwwwwwk", "wWWWWWWWKk", "wW......Kk", "wW......Kk", "wW......Kk", "wW......Kk", "wW......Kk",
          "wW......Kk", "wWKKKKKKKk", "wkkkkkkkkk"}},
        {"raised, soft inner ring", [](HDC h, const RECT* r) { DrawRaisedFrame(h, r, true, false); },
         {"WWWWWWWWWK", "WwwwwwwwkK", "Ww......kK", "Ww......kK", "Ww......kK", "Ww......kK", "Ww......kK",
          "Ww......kK", "WwkkkkkkkK", "WKKKKKKKKK"}},
        {"sunken, one ring", [](HDC h, const RECT* r) { DrawSunkenFrame(h, r, false, true); },
         {"KKKKKKKKKW", "K........W", "K........W", "K........W", "K........W", "K........W", "K........W",
          "K........W", "K........W", "KWWWWWWWWW"}},
        {"sunken, soft outer ring", [](HDC h, const RECT* r) { DrawSunkenFrame(h, r, true, false); },
         {"kkkkkkkkkw", "kKKKKKKKWw", "kK......Ww", "kK......Ww", "kK......Ww", "kK......Ww", "kK......Ww",
          "kK......Ww", "kKWWWWWWWw", "kwwwwwwwww"}},
        {"etched, light first, inset 2", [](HDC h, const RECT* r) { DrawEtchedFrame(h, r, 2, false); },
         {"wwwwwwwwwk", "w........k", "w.kkkkkw.k", "w.k....w.k", "w.k....w.k", "w.k....w.k", "w.k....w.k",
          "w.kwwwww.k", "w........k", "wkkkkkkkkk"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GreyBitmap bmp(11, 11);
        c.draw(bmp.dc(), &rc);
        EXPECT_EQ("", Differences(bmp, c.map));
        for (int i = 0; i <= 10; ++i) {
            ASSERT_EQ(kGrey, bmp.Pixel(10, i)) << "outside the exclusive rectangle";
            ASSERT_EQ(kGrey, bmp.Pixel(i, 10)) << "outside the exclusive rectangle";
        }
    }
}

// Two rings fading toward the base: Light 178 and Dark 50 outside, half way
// back to the base grey inside (139 and 75).
TEST(Frames, GradientFrameRings)
{
    const RECT rc = {0, 0, 6, 6};
    struct {
        const char* name;
        unsigned count;
        bool sunken;
        std::vector<std::string> map;
    } cases[] = {
        {"raised, two rings", 2, false, {"WWWWWK", "WwwwkK", "Ww..kK", "Ww..kK", "WwkkkK", "WKKKKK"}},
        {"sunken, one ring", 1, true, {"KKKKKW", "K....W", "K....W", "K....W", "K....W", "KWWWWW"}},
        {"no rings", 0, false, {"......", "......", "......", "......", "......", "......"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GreyBitmap bmp(7, 7);
        RECT rcCopy = rc;
        DrawGradientFrame(bmp.dc(), &rcCopy, kGrey, c.count, c.sunken);
        EXPECT_EQ("", Differences(bmp, c.map));
        EXPECT_TRUE(EqualRect(&rc, &rcCopy)) << "the caller's rectangle stays";
    }
}

TEST(Frames, TwoColorFrameMovesTheRectangleIn)
{
    GreyBitmap bmp(5, 5);
    HGDIOBJ hPenBefore = GetCurrentObject(bmp.dc(), OBJ_PEN);
    RECT rc = {0, 0, 3, 3};   // inclusive
    EXPECT_EQ(&rc, DrawTwoColorFrame(bmp.dc(), &rc, Grey(178), static_cast<COLORREF>(-1)));
    EXPECT_EQ("", Differences(bmp, {"WWWW.", "W..W.", "W..W.", "WWWW.", "....."})) << "one colour when the second is unset";
    EXPECT_EQ(1, rc.left);
    EXPECT_EQ(1, rc.top);
    EXPECT_EQ(2, rc.right);
    EXPECT_EQ(2, rc.bottom);
    EXPECT_EQ(hPenBefore, GetCurrentObject(bmp.dc(), OBJ_PEN));
}

TEST(Frames, PenFrame)
{
    GreyBitmap bmp(6, 6);
    const RECT rc = {1, 1, 5, 5};
    DrawPenFrame(bmp.dc(), &rc, Grey(50), PS_SOLID);
    EXPECT_EQ("", Differences(bmp, {"......", ".KKKK.", ".K..K.", ".K..K.", ".KKKK.", "......"}));

    // -1: the DC's own pen draws.
    GreyBitmap bmp2(6, 6);
    HPEN hPen = CreatePen(PS_SOLID, 1, Grey(178));
    HGDIOBJ hOld = SelectObject(bmp2.dc(), hPen);
    DrawPenFrame(bmp2.dc(), &rc, static_cast<COLORREF>(-1), PS_SOLID);
    EXPECT_EQ("", Differences(bmp2, {"......", ".WWWW.", ".W..W.", ".W..W.", ".WWWW.", "......"}));
    EXPECT_EQ(hPen, GetCurrentObject(bmp2.dc(), OBJ_PEN));
    SelectObject(bmp2.dc(), hOld);
    DeleteObject(hPen);
}

TEST(Frames, RectangleAdjustments)
{
    RECT rc = {10, 20, 30, 40};
    EXPECT_EQ(&rc, DeflateRect1(&rc));
    EXPECT_TRUE(EqualRect(&rc, std::vector<RECT>{{11, 21, 29, 39}}.data()));
    EXPECT_EQ(&rc, DeflateRectN(&rc, 3));
    EXPECT_TRUE(EqualRect(&rc, std::vector<RECT>{{14, 24, 26, 36}}.data()));
    EXPECT_EQ(&rc, OffsetRect1(&rc));
    EXPECT_TRUE(EqualRect(&rc, std::vector<RECT>{{15, 25, 27, 37}}.data()));
}

TEST(BlendPixel, MovesThePixelTowardTheColour)
{
    GreyBitmap bmp(2, 2);
    EXPECT_TRUE(BlendPixel(bmp.dc(), 1, 1, 1, 2, RGB(0, 0, 0)));
    EXPECT_EQ(Grey(50), bmp.Pixel(1, 1));
    EXPECT_TRUE(BlendPixel(bmp.dc(), 1, 1, 3, 3, RGB(255, 0, 10)));
    EXPECT_EQ(RGB(255, 0, 10), bmp.Pixel(1, 1));
    EXPECT_EQ(kGrey, bmp.Pixel(0, 0));
}
