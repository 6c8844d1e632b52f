// CWndEx_Clr's settings and the window events that keep its gradient whole,
// the colour record in the registry, the off-screen buffer, and invalidation
// through transparent windows.
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>
#include "common/TestUtil.h"
#include "paint/OffscreenBuffer_int.h"
#include "PaintTestUtil.h"

namespace {

const DWORD kOn = CWndEx_Clr::GF_ON;

// Counts background paints and remembers the rectangle of the last one.
template <class Base>
class CEraseRecorder : public Base {
public:
    int erases = 0;
    RECT lastErase = {0, 0, 0, 0};
    BOOL PaintBackground(HDC hdc, RECT* pRect) override
    {
        ++erases;
        if (pRect != NULL)
            lastErase = *pRect;
        return Base::PaintBackground(hdc, pRect);
    }
};

std::vector<int> Rect(const RECT& rc)
{
    return {rc.left, rc.top, rc.right, rc.bottom};
}

}  // namespace

TEST(CWndEx_Clr, DefaultsAndFlagSetters)
{
    CTestGradientWnd w;
    EXPECT_EQ(RGB(247, 233, 213), w.gradientColor);
    EXPECT_EQ(kOn, w.gradientFlags);
    EXPECT_EQ(24, w.blendPos);
    EXPECT_EQ(32, w.blendRange);
    EXPECT_TRUE(w.HasGradientColor());
    EXPECT_FALSE(w.SaveLoad());

    struct {
        void (CWndEx_Clr::*set)();
        DWORD flags;   // after this and every setter before it
    } steps[] = {
        {&CWndEx_Clr::SetGradientColorVert, kOn},
        {&CWndEx_Clr::SetGradientColorHorz, kOn | CWndEx_Clr::GF_HORZ},
        {&CWndEx_Clr::SetGradientColorBlack, kOn | CWndEx_Clr::GF_HORZ | CWndEx_Clr::GF_BLACK},
        {&CWndEx_Clr::SetGradientColorDouble, kOn | CWndEx_Clr::GF_HORZ | CWndEx_Clr::GF_BLACK | CWndEx_Clr::GF_DOUBLE},
        {&CWndEx_Clr::SetGradientColorWhite, kOn | CWndEx_Clr::GF_HORZ | CWndEx_Clr::GF_DOUBLE},
        {&CWndEx_Clr::SetGradientColorVert, kOn | CWndEx_Clr::GF_DOUBLE},
        {&CWndEx_Clr::SetSaveAndLoadGradient, kOn | CWndEx_Clr::GF_DOUBLE | CWndEx_Clr::GF_SAVELOAD},
    };
    for (const auto& s : steps) {
        (w.*s.set)();
        EXPECT_EQ(s.flags, w.gradientFlags);
    }
    EXPECT_TRUE(w.SaveLoad());
    w.SetGradientEnabled(false);
    EXPECT_FALSE(w.HasGradientColor());
    EXPECT_EQ(static_cast<DWORD>(CWndEx_Clr::GF_DOUBLE | CWndEx_Clr::GF_SAVELOAD), w.gradientFlags);
    w.SetGradientEnabled(true);
    EXPECT_TRUE(w.HasGradientColor());
}

TEST(CWndEx_Clr, CopiesTakeTheGradientSettings)
{
    CTestGradientWnd a;
    a.gradientColor = 0x010203;
    a.gradientFlags = 0x7F;
    a.blendPos = 5;
    a.blendRange = 9;
    a.m_clrOwnBackNorm = 0x445566;
    CTestGradientWnd b(a);   // through CWndEx_Clr's copy constructor
    CTestGradientWnd c;
    static_cast<CWndEx_Clr&>(c) = a;
    for (CTestGradientWnd* w : {&b, &c}) {
        EXPECT_EQ(0x010203u, w->gradientColor);
        EXPECT_EQ(0x7Fu, w->gradientFlags);
        EXPECT_EQ(5, w->blendPos);
        EXPECT_EQ(9, w->blendRange);
        EXPECT_EQ(0x445566u, w->m_clrOwnBackNorm);
    }
}

// A gradient window drops its class brush (deleting a real one); a window
// without gradient bits keeps it.
TEST(CWndEx_Clr, CreationDropsTheClassBrush)
{
    ScopedPrefs prefs(true, false);
    CTestGradientWnd plain;
    plain.gradientFlags = CWndEx_Clr::GF_SAVELOAD;
    ASSERT_NE(nullptr, plain.CreateEx(0, "PaintTestClassBrush", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    EXPECT_EQ(static_cast<ULONG_PTR>(COLOR_WINDOWTEXT + 1), GetClassLongPtrA(plain.m_hWnd, GCLP_HBRBACKGROUND));
    HBRUSH hReal = CreateSolidBrush(0x102030);
    plain.SetBrush(hReal);

    CTestGradientWnd gradient;
    gradient.gradientFlags = CWndEx_Clr::GF_MIRROR;
    ASSERT_NE(nullptr, gradient.CreateEx(0, "PaintTestClassBrush", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(GetStockObject(NULL_BRUSH)),
              GetClassLongPtrA(gradient.m_hWnd, GCLP_HBRBACKGROUND));
    EXPECT_EQ(0, GetObjectType(hReal)) << "the replaced class brush is deleted";
    gradient.DestroyWindow();
    plain.DestroyWindow();
}

TEST(CWndEx_Clr, ResizingInvalidatesWithoutErasing)
{
    struct {
        const char* name;
        bool ownerDrawn;
        DWORD flags;
        WPARAM sizeType;
        bool invalidates;
    } cases[] = {
        {"restored", true, kOn, SIZE_RESTORED, true},
        {"maximized", true, CWndEx_Clr::GF_HORZ, SIZE_MAXIMIZED, true},
        {"minimized", true, kOn, SIZE_MINIMIZED, false},
        {"owner drawing off", false, kOn, SIZE_RESTORED, false},
        {"no gradient bits", true, CWndEx_Clr::GF_SAVELOAD, SIZE_RESTORED, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedPrefs prefs(c.ownerDrawn, false);
        CEraseRecorder<CTestGradientWnd> w;
        w.gradientFlags = c.flags;
        ASSERT_NE(nullptr, w.CreateEx(0, "PaintTestResize", "", WS_POPUP | WS_VISIBLE, 0, 0, 30, 20, NULL, NULL, NULL));
        UpdateWindow(w.m_hWnd);
        ValidateRect(w.m_hWnd, NULL);
        w.erases = 0;
        SendMessageA(w.m_hWnd, WM_SIZE, c.sizeType, MAKELPARAM(30, 20));
        RECT rc;
        EXPECT_EQ(c.invalidates, GetUpdateRect(w.m_hWnd, &rc, FALSE) != FALSE);
        if (c.invalidates) {
            EXPECT_EQ((std::vector<int>{0, 0, 30, 20}), Rect(rc));
        }
        UpdateWindow(w.m_hWnd);
        EXPECT_EQ(0, w.erases) << "no erasing asked for";
        w.DestroyWindow();
    }
}

class ColorsRecord : public ::testing::Test {
protected:
    TestRegSection section{"paint-colors"};
    const char* savedSection = nullptr;
    CTestGradientWnd w;
    void SetUp() override
    {
        savedSection = g_pszRegSection;
        g_pszRegSection = section.path();
        w.m_pszRegKey = "Grad";
    }
    void TearDown() override { g_pszRegSection = savedSection; }

    std::string Key() const { return std::string(section.path()) + "\\Grad"; }
    std::vector<BYTE> Stored() const
    {
        BYTE data[64];
        DWORD size = sizeof(data), type = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, Key().c_str(), "dColorsPlus", RRF_RT_ANY, &type, data, &size) !=
            ERROR_SUCCESS)
            return {};
        EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
        return std::vector<BYTE>(data, data + size);
    }
    void Store(const std::vector<BYTE>& bytes)
    {
        HKEY h;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, Key().c_str(), &h));
        RegSetValueExA(h, "dColorsPlus", 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
        RegCloseKey(h);
    }
    void Erase() { RegDeleteKeyValueA(HKEY_CURRENT_USER, Key().c_str(), "dColorsPlus"); }
};

TEST_F(ColorsRecord, WrittenAsSixteenLittleEndianBytes)
{
    w.SetSaveAndLoadGradient();
    w.gradientColor = 0x00332211;
    w.blendPos = -2;
    w.blendRange = 0x01020304;
    w.SaveData(0);
    EXPECT_EQ((std::vector<BYTE>{0x11, 0x22, 0x33, 0x00, 0x41, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1}), Stored());
}

TEST_F(ColorsRecord, OnlyWithSaveAndLoadAndTheRightKinds)
{
    struct {
        const char* name;
        bool saveLoad;
        int kind;
        bool written;
    } saves[] = {
        {"flag clear", false, 0, false}, {"init", true, 0, true}, {"OK", true, 1, true},
        {"cancel", true, 2, true},       {"kind 3", true, 3, false}, {"kind -1", true, -1, false},
    };
    for (const auto& s : saves) {
        SCOPED_TRACE(s.name);
        Erase();
        CTestGradientWnd x;
        x.m_pszRegKey = "Grad";
        if (s.saveLoad)
            x.SetSaveAndLoadGradient();
        x.SaveData(s.kind);
        EXPECT_EQ(s.written, !Stored().empty());
    }

    Store({0xAA, 0xBB, 0xCC, 0x00, 0x03, 0, 0, 0, 7, 0, 0, 0, 8, 0, 0, 0});
    struct {
        const char* name;
        bool saveLoad;
        int kind;
        bool read;
    } loads[] = {{"flag clear", false, 0, false}, {"kind 1", true, 1, false}, {"kind 0", true, 0, true}};
    for (const auto& l : loads) {
        SCOPED_TRACE(l.name);
        CTestGradientWnd x;
        x.m_pszRegKey = "Grad";
        if (l.saveLoad)
            x.SetSaveAndLoadGradient();
        x.LoadData(l.kind);
        EXPECT_EQ(l.read ? 0x00CCBBAAu : RGB(247, 233, 213), x.gradientColor);
        EXPECT_EQ(l.read ? 3u : x.gradientFlags, x.gradientFlags);
        EXPECT_EQ(l.read ? 7 : 24, x.blendPos);
        EXPECT_EQ(l.read ? 8 : 32, x.blendRange);
    }
}

TEST_F(ColorsRecord, ShortRecordsReplaceTheirLeadingBytesAndLongOnesNothing)
{
    w.SetSaveAndLoadGradient();
    Store({0x01, 0x02, 0x03, 0x00, 0x49, 0, 0, 0});
    w.LoadData(0);
    EXPECT_EQ(0x030201u, w.gradientColor);
    EXPECT_EQ(0x49u, w.gradientFlags);
    EXPECT_EQ(24, w.blendPos);
    EXPECT_EQ(32, w.blendRange);

    Store(std::vector<BYTE>(20, 0x11));
    w.LoadData(0);
    EXPECT_EQ(0x030201u, w.gradientColor) << "a record too long for the fields is not read";
    EXPECT_EQ(24, w.blendPos);

    Erase();
    w.LoadData(0);
    EXPECT_EQ(0x49u, w.gradientFlags) << "no record, nothing changes";
}

TEST_F(ColorsRecord, LoadResultIsTheWindowRectangleRead)
{
    w.SetSaveAndLoadGradient();
    w.SaveData(1);   // the colour record, and the rectangle
    CTestGradientWnd x;
    x.m_pszRegKey = "Grad";
    x.SetSaveAndLoadGradient();
    EXPECT_NE(0, x.LoadData(0));
    RegDeleteKeyValueA(HKEY_CURRENT_USER, Key().c_str(), NULL);
    EXPECT_EQ(0, x.LoadData(0)) << "the colour record alone does not make the load succeed";
}

TEST(OffscreenBuffer, DrawsInTargetCoordinatesAndCopiesAtEnd)
{
    TestBitmap target(40, 30);
    target.Fill(RGB(1, 1, 1));
    const RECT rc = {10, 5, 30, 25};
    {
        OffscreenBuffer buffer;
        EXPECT_EQ(nullptr, buffer.End()) << "End before Begin does nothing";
        HDC hdc = buffer.Begin(target.dc(), &rc, false);
        ASSERT_NE(target.dc(), hdc);
        EXPECT_EQ(target.dc(), buffer.targetDC);
        EXPECT_EQ(20, buffer.width);
        EXPECT_EQ(20, buffer.height);
        HBRUSH hBrush = CreateSolidBrush(RGB(200, 0, 0));
        const RECT rcDraw = {10, 5, 20, 15};   // target coordinates
        FillRect(hdc, &rcDraw, hBrush);
        DeleteObject(hBrush);
        EXPECT_EQ(RGB(1, 1, 1), target.Pixel(10, 5)) << "nothing reaches the target before End";
        // the destructor ends the buffer
    }
    EXPECT_EQ(RGB(200, 0, 0), target.Pixel(10, 5));
    EXPECT_EQ(RGB(200, 0, 0), target.Pixel(19, 14));
    EXPECT_EQ(RGB(0, 0, 0), target.Pixel(20, 15)) << "the unpainted buffer is copied too";
    EXPECT_EQ(RGB(1, 1, 1), target.Pixel(9, 5)) << "outside the rectangle";
    EXPECT_EQ(RGB(1, 1, 1), target.Pixel(30, 25));
}

TEST(OffscreenBuffer, CopyTargetStartsFromWhatTheTargetShows)
{
    TestBitmap target(20, 20);
    target.Fill(RGB(7, 8, 9));
    const RECT rc = {2, 2, 12, 12};
    OffscreenBuffer buffer;
    HDC hdc = buffer.Begin(target.dc(), &rc, true);
    SetPixelV(hdc, 5, 5, RGB(255, 0, 0));
    EXPECT_EQ(target.dc(), buffer.End());
    EXPECT_EQ(nullptr, buffer.memDC);
    EXPECT_EQ(RGB(255, 0, 0), target.Pixel(5, 5));
    EXPECT_EQ(RGB(7, 8, 9), target.Pixel(6, 6));
    target.Fill(RGB(0, 0, 0));
    buffer.End();
    EXPECT_EQ(RGB(0, 0, 0), target.Pixel(5, 5)) << "a second End copies nothing";
}

// Erasing a transparent child means repainting its parent there, at once.
TEST(InvalidateThrough, ClimbsFromTransparentWindows)
{
    ScopedPrefs prefs(true, false);
    CEraseRecorder<CCtlColorWnd<CWnd>> parent;
    ASSERT_NE(nullptr,
              parent.CreateEx(0, "PaintTestInvalidate", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, NULL, NULL, NULL));
    CWnd clear, opaque;
    ASSERT_NE(nullptr, clear.CreateEx(WS_EX_TRANSPARENT, "PaintTestInvalidate", "", WS_CHILD | WS_VISIBLE, 20, 10,
                                      30, 30, parent.m_hWnd, NULL, NULL));
    ASSERT_NE(nullptr, opaque.CreateEx(0, "PaintTestInvalidate", "", WS_CHILD | WS_VISIBLE, 60, 10, 30, 30,
                                       parent.m_hWnd, NULL, NULL));
    UpdateWindow(parent.m_hWnd);
    parent.erases = 0;

    const RECT rcPart = {5, 5, 15, 25};
    EXPECT_TRUE(clear.InvalidateThrough(&rcPart, true, false));
    // The parent erases, and so does the child it invalidated, through the parent.
    EXPECT_GE(parent.erases, 1) << "the parent was updated at once";
    const int erases = parent.erases;
    EXPECT_EQ((std::vector<int>{25, 15, 35, 35}), Rect(parent.lastErase));

    // Without erasing, or for an opaque window, the window itself is invalidated.
    RECT rc;
    EXPECT_TRUE(CWnd::InvalidateThrough(clear.m_hWnd, &rcPart, false, false));
    EXPECT_TRUE(GetUpdateRect(clear.m_hWnd, &rc, FALSE));
    EXPECT_EQ(Rect(rcPart), Rect(rc));
    EXPECT_TRUE(CWnd::InvalidateThrough(opaque.m_hWnd, NULL, true, false));
    EXPECT_TRUE(GetUpdateRect(opaque.m_hWnd, &rc, FALSE));
    EXPECT_EQ((std::vector<int>{0, 0, 30, 30}), Rect(rc));
    EXPECT_EQ(erases, parent.erases);

    // A transparent window without a parent has nothing to erase.
    CWnd top;
    ASSERT_NE(nullptr, top.CreateEx(WS_EX_TRANSPARENT, "PaintTestInvalidate", "", WS_POPUP, 0, 0, 10, 10, NULL,
                                    NULL, NULL));
    EXPECT_FALSE(top.InvalidateThrough(NULL, true, true));
    top.DestroyWindow();
    parent.DestroyWindow();
}
