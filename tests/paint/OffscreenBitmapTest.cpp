// The bitmap the off-screen buffers keep between paints, and the gradient
// drawn with the DC's own pen, against rows drawn with a pen made for each.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "common/TestUtil.h"
#include "paint/BlendColor.h"
#include "paint/OffscreenBuffer_int.h"
#include "PaintTestUtil.h"

namespace {

// A DIB section of any depth in a memory DC; 16 bits are 5-6-5, 8 bits a grey palette.
class DibSurface {
public:
    DibSurface(int cx, int cy, WORD bits) : m_cx(cx), m_cy(cy)
    {
        std::vector<char> buf(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        BITMAPINFO* bmi = reinterpret_cast<BITMAPINFO*>(buf.data());
        bmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi->bmiHeader.biWidth = cx;
        bmi->bmiHeader.biHeight = -cy;
        bmi->bmiHeader.biPlanes = 1;
        bmi->bmiHeader.biBitCount = bits;
        bmi->bmiHeader.biCompression = bits == 16 ? BI_BITFIELDS : BI_RGB;
        DWORD* masks = reinterpret_cast<DWORD*>(bmi->bmiColors);
        if (bits == 16) {
            masks[0] = 0xF800;
            masks[1] = 0x07E0;
            masks[2] = 0x001F;
        } else if (bits == 8) {
            for (int i = 0; i < 256; ++i) {
                const BYTE v = static_cast<BYTE>(i);
                bmi->bmiColors[i] = RGBQUAD{v, v, v, 0};
            }
        }
        void* pBits = NULL;
        m_hdc = CreateCompatibleDC(NULL);
        m_hbm = CreateDIBSection(m_hdc, bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        m_old = SelectObject(m_hdc, m_hbm);
        Fill(RGB(1, 2, 3));
    }
    ~DibSurface()
    {
        SelectObject(m_hdc, m_old);
        DeleteObject(m_hbm);
        DeleteDC(m_hdc);
    }
    HDC dc() const { return m_hdc; }
    COLORREF Pixel(int x, int y) const { return GetPixel(m_hdc, x, y); }
    void Fill(COLORREF clr)
    {
        HBRUSH hBrush = CreateSolidBrush(clr);
        const RECT rc = {0, 0, m_cx, m_cy};
        FillRect(m_hdc, &rc, hBrush);
        DeleteObject(hBrush);
    }

private:
    int m_cx, m_cy;
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_old;
};

HGDIOBJ BitmapIn(HDC hdc)
{
    return GetCurrentObject(hdc, OBJ_BITMAP);
}

SIZE BitmapSize(HGDIOBJ hBitmap)
{
    BITMAP bm = {};
    GetObjectA(hBitmap, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

bool Alive(HGDIOBJ h)
{
    return GetObjectType(h) == OBJ_BITMAP;
}

// Fills rc of the buffer DC (target coordinates) with one colour.
void Paint(HDC hdc, const RECT& rc, COLORREF clr)
{
    HBRUSH hBrush = CreateSolidBrush(clr);
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
}

class KeptBitmap : public ::testing::Test {
protected:
    void SetUp() override { ReleaseOffscreenBitmap(); }
    void TearDown() override { ReleaseOffscreenBitmap(); }
};

}  // namespace

TEST_F(KeptBitmap, ServesSmallerPaintsAndGrowsForLargerOnes)
{
    DibSurface target(200, 150, 32);
    OffscreenBuffer buffer;
    const RECT rcFirst = {0, 0, 100, 80};
    const HGDIOBJ hFirst = BitmapIn(buffer.Begin(target.dc(), &rcFirst, false));
    buffer.End();
    ASSERT_TRUE(Alive(hFirst)) << "kept after End";
    target.Fill(RGB(1, 2, 3));

    const RECT rcSmall = {50, 40, 80, 60};
    HDC hdc = buffer.Begin(target.dc(), &rcSmall, false);
    EXPECT_EQ(hFirst, BitmapIn(hdc)) << "a smaller paint reuses it";
    Paint(hdc, RECT{60, 45, 70, 50}, RGB(200, 10, 10));
    buffer.End();
    EXPECT_EQ(RGB(200, 10, 10), target.Pixel(60, 45));
    EXPECT_EQ(RGB(200, 10, 10), target.Pixel(69, 49));
    EXPECT_EQ(RGB(0, 0, 0), target.Pixel(50, 40)) << "the unpainted part is black, as from a new bitmap";
    EXPECT_EQ(RGB(0, 0, 0), target.Pixel(79, 59));
    EXPECT_EQ(RGB(1, 2, 3), target.Pixel(80, 60)) << "outside the rectangle";
    EXPECT_EQ(RGB(1, 2, 3), target.Pixel(49, 40));

    const RECT rcWide = {0, 0, 180, 30};
    hdc = buffer.Begin(target.dc(), &rcWide, true);
    const HGDIOBJ hWide = BitmapIn(hdc);
    EXPECT_NE(hFirst, hWide) << "a larger paint replaces it";
    EXPECT_FALSE(Alive(hFirst)) << "the smaller one is deleted";
    const SIZE size = BitmapSize(hWide);
    EXPECT_EQ(180, size.cx);
    EXPECT_EQ(80, size.cy) << "grown in both directions";
    EXPECT_EQ(RGB(1, 2, 3), GetPixel(hdc, 170, 20)) << "copied from the target";
    buffer.End();

    const RECT rcTall = {0, 0, 100, 80};
    EXPECT_EQ(hWide, BitmapIn(buffer.Begin(target.dc(), &rcTall, false)));
    buffer.End();
}

// The kept bitmap serves one buffer at a time and only targets of its own
// layout; palette targets always get a bitmap of their own.
TEST_F(KeptBitmap, NestedBuffersAndOtherFormatsGetTheirOwn)
{
    DibSurface target(40, 40, 32);
    const RECT rc = {0, 0, 40, 40};
    OffscreenBuffer outer;
    HDC hdcOuter = outer.Begin(target.dc(), &rc, false);
    const HGDIOBJ hKept = BitmapIn(hdcOuter);
    Paint(hdcOuter, rc, RGB(10, 20, 30));
    {
        // A child painting its parent's background into the outer buffer.
        OffscreenBuffer inner;
        const RECT rcInner = {5, 5, 15, 15};
        HDC hdcInner = inner.Begin(hdcOuter, &rcInner, true);
        const HGDIOBJ hOwn = BitmapIn(hdcInner);
        EXPECT_NE(hKept, hOwn);
        EXPECT_EQ(RGB(10, 20, 30), GetPixel(hdcInner, 5, 5));
        Paint(hdcInner, RECT{5, 5, 10, 10}, RGB(250, 0, 0));
        inner.End();
        EXPECT_FALSE(Alive(hOwn)) << "deleted at End";
    }
    outer.End();
    EXPECT_EQ(RGB(250, 0, 0), target.Pixel(5, 5));
    EXPECT_EQ(RGB(10, 20, 30), target.Pixel(10, 10));
    EXPECT_EQ(RGB(10, 20, 30), target.Pixel(39, 39));

    struct {
        WORD bits;
        bool kept;
        COLORREF paint, shown;
    } cases[] = {
        {16, true, RGB(255, 128, 8), RGB(255, 130, 8)},    // 5-6-5 keeps the 6-bit green
        {24, true, RGB(1, 2, 3), RGB(1, 2, 3)},
        {8, false, RGB(100, 100, 100), RGB(100, 100, 100)},   // on the grey palette
        {32, true, RGB(4, 5, 6), RGB(4, 5, 6)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        DibSurface other(40, 40, c.bits);
        OffscreenBuffer buffer;
        HDC hdc = buffer.Begin(other.dc(), &rc, false);
        const HGDIOBJ hBitmap = BitmapIn(hdc);
        BITMAP bm = {};
        GetObjectA(hBitmap, sizeof(bm), &bm);
        EXPECT_EQ(c.bits, bm.bmBitsPixel);
        Paint(hdc, RECT{0, 0, 20, 40}, c.paint);
        buffer.End();
        EXPECT_EQ(c.kept, Alive(hBitmap));
        EXPECT_EQ(c.shown, other.Pixel(0, 0));
        EXPECT_EQ(RGB(0, 0, 0), other.Pixel(20, 0));
    }
}

TEST_F(KeptBitmap, ReleasedAtUnloadEvenWhileLent)
{
    DibSurface target(30, 30, 32);
    const RECT rc = {0, 0, 30, 30};
    OffscreenBuffer buffer;
    const HGDIOBJ hKept = BitmapIn(buffer.Begin(target.dc(), &rc, false));
    buffer.End();
    ReleaseOffscreenBitmap();
    EXPECT_FALSE(Alive(hKept));

    HDC hdc = buffer.Begin(target.dc(), &rc, false);
    const HGDIOBJ hLent = BitmapIn(hdc);
    ReleaseOffscreenBitmap();
    EXPECT_TRUE(Alive(hLent)) << "still drawn into";
    Paint(hdc, rc, RGB(9, 9, 9));
    buffer.End();
    EXPECT_FALSE(Alive(hLent)) << "the buffer deletes what the cache let go";
    EXPECT_EQ(RGB(9, 9, 9), target.Pixel(29, 29));
    const HGDIOBJ hNew = BitmapIn(buffer.Begin(target.dc(), &rc, false));
    buffer.End();
    EXPECT_TRUE(Alive(hNew));
}

// On a 32-bit target the kept bitmap is a DIB section whose memory a painter
// may write, after what was drawn through the DC has landed; other depths and
// bitmaps made for one paint offer no memory.
TEST_F(KeptBitmap, ThirtyTwoBitPixelsCanBeWrittenDirectly)
{
    DibSurface target(60, 50, 32);
    const RECT rc = {10, 20, 40, 45};
    OffscreenBuffer buffer;
    HDC hdc = buffer.Begin(target.dc(), &rc, false);
    Paint(hdc, RECT{10, 20, 12, 22}, RGB(5, 6, 7));
    int stride = 0;
    DWORD* pPixels = buffer.Pixels(&stride);
    ASSERT_NE(nullptr, pPixels);
    EXPECT_GE(stride, 30);
    EXPECT_EQ(0x050607u, pPixels[stride + 1]) << "drawn through the DC before";
    pPixels[0] = 0x112233;
    pPixels[24 * stride + 29] = 0xA0B0C0;
    {
        OffscreenBuffer inner;   // the kept bitmap is lent out
        const RECT rcInner = {20, 30, 25, 35};
        inner.Begin(hdc, &rcInner, true);
        EXPECT_EQ(nullptr, inner.Pixels(&stride));
    }
    buffer.End();
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), target.Pixel(10, 20));
    EXPECT_EQ(RGB(0xA0, 0xB0, 0xC0), target.Pixel(39, 44));
    EXPECT_EQ(RGB(5, 6, 7), target.Pixel(11, 21));
    EXPECT_EQ(nullptr, buffer.Pixels(&stride)) << "ended";

    DibSurface other(60, 50, 16);
    buffer.Begin(other.dc(), &rc, false);
    EXPECT_EQ(nullptr, buffer.Pixels(&stride));
    buffer.End();
}

namespace {

// The colour of row (or column) p, worked out here from the blend alone.
COLORREF Expected(COLORREF f, COLORREF g, int p, int n, bool bMirror)
{
    if (!bMirror)
        return BlendColor(f, g, p, n, BLEND_LINEAR);
    return p < n / 2 ? BlendColor(f, g, p, n / 2, BLEND_CONVEX) : BlendColor(g, f, p - n / 2, n / 2, BLEND_CONCAVE);
}

// What one pen made per line draws.
void DrawReference(HDC hdc, const RECT& rc, bool bHorz, COLORREF f, COLORREF g, int n, bool bMirror)
{
    const int from = bHorz ? rc.left : rc.top, to = bHorz ? rc.right : rc.bottom;
    for (int p = from; p < to; ++p) {
        HPEN hPen = CreatePen(PS_SOLID, 1, Expected(f, g, p, n, bMirror));
        HGDIOBJ hOld = SelectObject(hdc, hPen);
        if (bHorz) {
            MoveToEx(hdc, p, rc.top, NULL);
            LineTo(hdc, p, rc.bottom);
        } else {
            MoveToEx(hdc, rc.left, p, NULL);
            LineTo(hdc, rc.right, p);
        }
        SelectObject(hdc, hOld);
        DeleteObject(hPen);
    }
}

}  // namespace

// Rows that share a colour are drawn together: runs longer than a batch, runs
// of one, both directions, partial repaints and several target depths.
TEST(GradientLines, SameAsAPenMadeForEachLine)
{
    ScopedPrefs prefs(true, false);
    struct {
        const char* name;
        DWORD flags;
        COLORREF back, second;
        int cx, cy;
        RECT rc;
    } cases[] = {
        {"one colour, 300 rows", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_DOUBLE, RGB(7, 7, 7), RGB(7, 7, 7), 20, 300, {0, 0, 20, 300}},
        {"black to white, 600 rows", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_DOUBLE, RGB(0, 0, 0), RGB(255, 255, 255), 30, 600,
         {0, 0, 30, 600}},
        {"slow ramp, columns", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_HORZ | CWndEx_Clr::GF_DOUBLE, RGB(40, 90, 170),
         RGB(50, 95, 171), 500, 12, {0, 0, 500, 12}},
        {"mirrored, part of the rows", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_MIRROR | CWndEx_Clr::GF_DOUBLE, RGB(0, 40, 80),
         RGB(250, 200, 10), 25, 400, {3, 77, 21, 333}},
        {"swapped black end, part of the columns", CWndEx_Clr::GF_ON | CWndEx_Clr::GF_HORZ | CWndEx_Clr::GF_BLACK | CWndEx_Clr::GF_SWAP,
         RGB(180, 60, 240), 0, 333, 20, {100, 2, 301, 19}},
    };
    for (WORD bits : {32, 16, 8}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(bits) + " bits");
            CTestGradientWnd wnd;
            wnd.gradientFlags = c.flags;
            wnd.gradientColor = c.second;
            wnd.blendPos = wnd.blendRange = 32;
            ASSERT_NE(nullptr, wnd.CreatePopup(c.cx, c.cy, c.back));
            DibSurface painted(c.cx, c.cy, bits), reference(c.cx, c.cy, bits);
            wnd.Erase(painted.dc(), c.rc);
            const bool bSwap = (c.flags & CWndEx_Clr::GF_SWAP) != 0;
            const COLORREF end = (c.flags & CWndEx_Clr::GF_DOUBLE) ? c.second : RGB(0, 0, 0);
            const bool bHorz = (c.flags & CWndEx_Clr::GF_HORZ) != 0;
            DrawReference(reference.dc(), c.rc, bHorz, bSwap ? end : c.back, bSwap ? c.back : end, bHorz ? c.cx : c.cy,
                          (c.flags & CWndEx_Clr::GF_MIRROR) != 0);
            for (int y = 0; y < c.cy; ++y)
                for (int x = 0; x < c.cx; ++x)
                    ASSERT_EQ(reference.Pixel(x, y), painted.Pixel(x, y)) << x << "," << y;
            wnd.DestroyWindow();
        }
    }
}

// With no room left for a buffer the lines go straight to the target, which
// keeps its pen and DC pen colour; its current position ends where drawing
// line by line leaves it.
TEST(GradientLines, StraightIntoTheTargetWhenNoBufferCanBeMade)
{
    ScopedPrefs prefs(true, false);
    CTestGradientWnd wnd;
    wnd.gradientFlags = CWndEx_Clr::GF_ON | CWndEx_Clr::GF_HORZ;
    ASSERT_NE(nullptr, wnd.CreatePopup(90, 10, RGB(0, 100, 200)));
    DibSurface painted(90, 10, 32), reference(90, 10, 32);
    HPEN hPen = CreatePen(PS_DOT, 1, RGB(1, 1, 1));
    SelectObject(painted.dc(), hPen);
    SetDCPenColor(painted.dc(), RGB(3, 4, 5));
    const RECT rc = {10, 1, 80, 9};
    {
        std::vector<HGDIOBJ> filler;   // every free handle, so no memory DC can be made
        for (HGDIOBJ h; (h = CreatePen(PS_SOLID, 1, 0)) != NULL;)
            filler.push_back(h);
        HDC hdcProbe = CreateCompatibleDC(painted.dc());
        const bool bFull = hdcProbe == NULL;
        if (hdcProbe != NULL)
            DeleteDC(hdcProbe);
        wnd.Erase(painted.dc(), rc);
        for (HGDIOBJ h : filler)
            DeleteObject(h);
        if (!bFull)
            GTEST_SKIP() << "memory DCs do not share the handle table here";
    }
    EXPECT_EQ(hPen, GetCurrentObject(painted.dc(), OBJ_PEN));
    EXPECT_EQ(RGB(3, 4, 5), GetDCPenColor(painted.dc()));
    POINT pt = {};
    GetCurrentPositionEx(painted.dc(), &pt);
    EXPECT_EQ(79, pt.x);
    EXPECT_EQ(9, pt.y);
    const COLORREF end = BlendColor(RGB(0, 100, 200), RGB(255, 255, 255), 24, 32, BLEND_LINEAR);
    DrawReference(reference.dc(), rc, true, RGB(0, 100, 200), end, 90, false);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 90; ++x)
            ASSERT_EQ(reference.Pixel(x, y), painted.Pixel(x, y)) << x << "," << y;
    SelectObject(painted.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(hPen);
    wnd.DestroyWindow();
}
