// The gradient background of CWndEx_Clr, painted into memory bitmaps through
// WM_ERASEBKGND with a rectangle, the way the library asks windows to paint.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "common/TestUtil.h"
#include "paint/BlendColor.h"
#include "PaintTestUtil.h"

namespace {

const COLORREF kMarker = RGB(1, 2, 3);

class Gradient : public ::testing::Test {
protected:
    ScopedPrefs prefs{true, false, true, true};
    CTestGradientWnd wnd;
    void TearDown() override { wnd.DestroyWindow(); }
};

}  // namespace

// Defaults: vertical, white end colour moved 24/32 of the way from the back
// colour, so the end colour 0xBFBFBF itself is never reached.
TEST_F(Gradient, DefaultVerticalGradient)
{
    ASSERT_NE(nullptr, wnd.CreatePopup(50, 200, RGB(0, 0, 0)));
    EXPECT_EQ(static_cast<DWORD>(CWndEx_Clr::GF_ON), wnd.gradientFlags);
    TestBitmap bmp(50, 200);
    EXPECT_EQ(1, wnd.Erase(bmp.dc(), RECT{0, 0, 50, 200}));
    EXPECT_EQ(0x000000u, bmp.Pixel(0, 0));
    EXPECT_EQ(0x000000u, bmp.Pixel(49, 0));
    EXPECT_EQ(0xBEBEBEu, bmp.Pixel(0, 199));
    EXPECT_EQ(0xBEBEBEu, bmp.Pixel(49, 199));
    EXPECT_EQ(0x606060u, bmp.Pixel(25, 100));   // 191 * 100/200 = 95.5, rounded away from zero
    for (int y = 1; y < 200; ++y) {
        ASSERT_EQ(bmp.Pixel(0, y), bmp.Pixel(49, y)) << "row " << y << " is one colour";
        ASSERT_GE(bmp.Pixel(0, y) & 0xFF, bmp.Pixel(0, y - 1) & 0xFF) << "row " << y << " grows toward the end";
    }
}

TEST_F(Gradient, PartialRepaintGivesTheRowsOfAFullOne)
{
    ASSERT_NE(nullptr, wnd.CreatePopup(60, 200, RGB(40, 80, 160)));
    TestBitmap full(60, 200), part(60, 200);
    wnd.Erase(full.dc(), RECT{0, 0, 60, 200});
    part.Fill(kMarker);
    wnd.Erase(part.dc(), RECT{10, 100, 50, 200});
    for (int y = 0; y < 200; ++y) {
        for (int x : {0, 9, 10, 30, 49, 50, 59}) {
            const bool inside = y >= 100 && x >= 10 && x < 50;
            ASSERT_EQ(inside ? full.Pixel(x, y) : kMarker, part.Pixel(x, y)) << x << "," << y;
        }
    }
}

// Mirrored along x on a window 200 wide: H = 100, out on the convex curve and
// back on the concave one. With equal blend position and range the end
// colour is gradientColor itself.
TEST_F(Gradient, MirroredHorizontalGradient)
{
    wnd.gradientFlags = CWndEx_Clr::GF_ON | CWndEx_Clr::GF_HORZ | CWndEx_Clr::GF_MIRROR | CWndEx_Clr::GF_DOUBLE;
    wnd.gradientColor = RGB(200, 100, 0);
    wnd.blendPos = wnd.blendRange = 32;
    ASSERT_NE(nullptr, wnd.CreatePopup(200, 30, RGB(0, 0, 0)));
    TestBitmap bmp(200, 30);
    wnd.Erase(bmp.dc(), RECT{0, 0, 200, 30});
    struct {
        int x;
        COLORREF expected;
    } cases[] = {
        {0, RGB(0, 0, 0)},        // F
        {99, RGB(198, 99, 0)},    // 99 % of the way to G
        {100, RGB(200, 100, 0)},  // G
        {101, RGB(198, 99, 0)},   // 1 % of the way back
        {199, RGB(28, 14, 0)},    // 86 % of the way back
        {50, RGB(172, 86, 0)},    // the convex curve: 86 % at the half of the half
        {150, RGB(172, 86, 0)},   // the concave one: 14 % back
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, bmp.Pixel(c.x, 0)) << "x = " << c.x;
        EXPECT_EQ(c.expected, bmp.Pixel(c.x, 29)) << "x = " << c.x;
    }
}

// The end colour by flags, seen at the last row of a gradient 2 rows high:
// pos 1 of 2 is the midpoint of first and second colour.
TEST_F(Gradient, EndColourAndSwap)
{
    const COLORREF kBack = RGB(100, 100, 100);
    struct {
        const char* name;
        DWORD flags;
        int blendPos, blendRange;
        COLORREF row0, row1;
    } cases[] = {
        {"white, full way", CWndEx_Clr::GF_ON, 5, 5, kBack, RGB(178, 178, 178)},
        {"black, full way", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_BLACK, 5, 5, kBack, RGB(50, 50, 50)},
        {"double", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_DOUBLE | CWndEx_Clr::GF_BLACK, 5, 5, kBack, RGB(150, 100, 50)},
        {"black, half way", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_BLACK, 1, 2, kBack, RGB(75, 75, 75)},
        {"swapped", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_BLACK | CWndEx_Clr::GF_SWAP, 5, 5, RGB(0, 0, 0),
         RGB(50, 50, 50)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTestGradientWnd w;
        w.gradientFlags = c.flags;
        w.gradientColor = RGB(200, 100, 0);
        w.blendPos = c.blendPos;
        w.blendRange = c.blendRange;
        ASSERT_NE(nullptr, w.CreatePopup(4, 2, kBack));
        TestBitmap bmp(4, 2);
        w.Erase(bmp.dc(), RECT{0, 0, 4, 2});
        EXPECT_EQ(c.row0, bmp.Pixel(0, 0));
        EXPECT_EQ(c.row1, bmp.Pixel(3, 1));
        w.DestroyWindow();
    }
}

TEST_F(Gradient, WithoutTheGradientTheCtlColorBrushFills)
{
    HBRUSH hBrush = CreateSolidBrush(RGB(9, 99, 199));
    wnd.ctlBrush = hBrush;
    ASSERT_NE(nullptr, wnd.CreatePopup(20, 20, RGB(0, 0, 0)));
    struct {
        const char* name;
        bool gradientPref;
        DWORD flags;
    } cases[] = {
        {"gradient preference off", false, CWndEx_Clr::GF_ON},
        {"gradient off for the window", true, CWndEx_Clr::GF_HORZ},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_bGradientColor = c.gradientPref;
        wnd.gradientFlags = c.flags;
        TestBitmap bmp(20, 20);
        bmp.Fill(kMarker);
        EXPECT_EQ(1, wnd.Erase(bmp.dc(), RECT{5, 5, 15, 15}));
        EXPECT_EQ(RGB(9, 99, 199), bmp.Pixel(5, 5));
        EXPECT_EQ(RGB(9, 99, 199), bmp.Pixel(14, 14));
        EXPECT_EQ(kMarker, bmp.Pixel(15, 15));
        EXPECT_EQ(kMarker, bmp.Pixel(4, 4));
    }
    // Nobody answers WM_CTLCOLOR: the buffer is filled with the back colour
    // rather than reaching the target unpainted.
    wnd.ctlBrush = NULL;
    TestBitmap bmp(20, 20);
    bmp.Fill(kMarker);
    wnd.Erase(bmp.dc(), RECT{0, 0, 20, 20});
    EXPECT_EQ(RGB(0, 0, 0), bmp.Pixel(10, 10));
    DeleteObject(hBrush);
}

TEST_F(Gradient, NotHandledWithoutOwnerDrawingOrWhenTransparent)
{
    ASSERT_NE(nullptr, wnd.CreatePopup(20, 20, RGB(0, 0, 0)));
    TestBitmap bmp(20, 20);
    bmp.Fill(kMarker);
    g_bOwnerDrawn = false;
    RECT rc = {0, 0, 20, 20};
    EXPECT_FALSE(wnd.PaintBackground(bmp.dc(), &rc));
    EXPECT_EQ(kMarker, bmp.Pixel(10, 10));

    g_bOwnerDrawn = true;
    CWnd::SetExStyle(wnd.m_hWnd, WS_EX_TRANSPARENT, static_cast<UINT>(-1));
    EXPECT_FALSE(wnd.PaintBackground(bmp.dc(), &rc)) << "a transparent window has no parent to show";
    EXPECT_EQ(kMarker, bmp.Pixel(10, 10));
}

// What lies under a transparent child is its gradient parent: the child,
// asked to erase into its own bitmap, shows the parent's pixels at its place,
// also through a transparent grandchild.
TEST_F(Gradient, TransparentChildShowsTheParentGradient)
{
    struct {
        const char* name;
        DWORD flags;
    } cases[] = {
        {"vertical", CWndEx_Clr::GF_ON},
        {"horizontal mirrored", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_HORZ | CWndEx_Clr::GF_MIRROR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTestGradientWnd parent;
        parent.gradientFlags = c.flags;
        ASSERT_NE(nullptr, parent.CreatePopup(120, 100, RGB(0, 40, 200)));
        CWnd child, grandchild;
        ASSERT_NE(nullptr, child.CreateEx(WS_EX_TRANSPARENT, "PaintTestChild", "", WS_CHILD | WS_VISIBLE, 30, 20,
                                          60, 50, parent.m_hWnd, NULL, NULL));
        ASSERT_NE(nullptr, grandchild.CreateEx(WS_EX_TRANSPARENT, "PaintTestChild", "", WS_CHILD | WS_VISIBLE, 10,
                                               5, 20, 20, child.m_hWnd, NULL, NULL));
        TestBitmap whole(120, 100);
        parent.Erase(whole.dc(), RECT{0, 0, 120, 100});

        TestBitmap childBmp(60, 50);
        childBmp.Fill(kMarker);
        RECT rc = {0, 0, 60, 50};
        EXPECT_EQ(1, SendMessageA(child.m_hWnd, WM_ERASEBKGND, (WPARAM)childBmp.dc(), (LPARAM)&rc));
        for (int y = 0; y < 50; y += 7)
            for (int x = 0; x < 60; x += 3)
                ASSERT_EQ(whole.Pixel(x + 30, y + 20), childBmp.Pixel(x, y)) << x << "," << y;

        TestBitmap grandBmp(20, 20);
        grandBmp.Fill(kMarker);
        RECT rcPart = {5, 5, 15, 15};
        EXPECT_EQ(1, SendMessageA(grandchild.m_hWnd, WM_ERASEBKGND, (WPARAM)grandBmp.dc(), (LPARAM)&rcPart));
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= 5 && x < 15 && y >= 5 && y < 15;
                ASSERT_EQ(inside ? whole.Pixel(x + 40, y + 25) : kMarker, grandBmp.Pixel(x, y)) << x << "," << y;
            }
        POINT ptOrg;
        GetWindowOrgEx(grandBmp.dc(), &ptOrg);
        EXPECT_EQ(0, ptOrg.x) << "the origin is given back";
        EXPECT_EQ(0, ptOrg.y);
        parent.DestroyWindow();
    }
}

TEST_F(Gradient, PaintParentBackgroundWithoutAParentPaintsNothing)
{
    CWnd top;
    ASSERT_NE(nullptr, top.CreateEx(WS_EX_TRANSPARENT, "PaintTestChild", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    TestBitmap bmp(10, 10);
    bmp.Fill(kMarker);
    RECT rc = {0, 0, 10, 10};
    EXPECT_FALSE(CWnd::PaintParentBackground(top.m_hWnd, bmp.dc(), &rc));
    EXPECT_EQ(kMarker, bmp.Pixel(5, 5));
    EXPECT_FALSE(CWnd::PaintParentBackground(NULL, NULL, &rc));
    top.DestroyWindow();
}

// Writes the gradients as BMP files into the folder named by
// CMNDLL_PAINT_IMAGES, for a person to look at; skipped otherwise.
TEST_F(Gradient, RenderForInspection)
{
    const char* folder = getenv("CMNDLL_PAINT_IMAGES");
    if (folder == NULL)
        GTEST_SKIP() << "CMNDLL_PAINT_IMAGES not set";
    struct {
        const char* name;
        DWORD flags;
    } modes[] = {
        {"vertical", CWndEx_Clr::GF_ON},
        {"horizontal", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_HORZ},
        {"black", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_BLACK},
        {"double", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_DOUBLE},
        {"mirror-vertical", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_MIRROR},
        {"mirror-horizontal", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_HORZ | CWndEx_Clr::GF_MIRROR | CWndEx_Clr::GF_DOUBLE},
        {"swap", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_SWAP},
    };
    for (const auto& m : modes) {
        CTestGradientWnd w;
        w.gradientFlags = m.flags;
        ASSERT_NE(nullptr, w.CreatePopup(240, 160, RGB(40, 90, 170)));
        TestBitmap bmp(240, 160);
        w.Erase(bmp.dc(), RECT{0, 0, 240, 160});
        EXPECT_TRUE(bmp.SaveBmp((std::string(folder) + "\\" + m.name + ".bmp").c_str()));
        w.DestroyWindow();
    }
}
