// Which colours a window paints with: the effective set, the state choice,
// the DC preparation and the brushes it owns.
#include <windows.h>
#include <gtest/gtest.h>
#include "common/TestUtil.h"
#include "paint/BlendColor.h"
#include "PaintTestUtil.h"

namespace {

const COLORREF kUnset = static_cast<COLORREF>(-1);

// Own colours that cannot be mistaken for system colours.
const COLORREF kOwnText[4] = {0x000011, 0x000022, 0x000033, 0x000044};   // norm, over, down, focus
const COLORREF kOwnBack[4] = {0x110000, 0x220000, 0x330000, 0x440000};

class CSchemeWnd : public CCtlColorWnd<CWnd> {
public:
    void SetOwnColors()
    {
        COLORREF* text[4] = {&m_clrOwnTextNorm, &m_clrOwnTextOver, &m_clrOwnTextDown, &m_clrOwnTextFocus};
        COLORREF* back[4] = {&m_clrOwnBackNorm, &m_clrOwnBackOver, &m_clrOwnBackDown, &m_clrOwnBackFocus};
        for (int i = 0; i < 4; ++i) {
            *text[i] = kOwnText[i];
            *back[i] = kOwnBack[i];
        }
    }
    HWND CreateVisible(DWORD dwExStyle = 0)
    {
        HWND h = CreateEx(dwExStyle, "PaintTestScheme", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 20, NULL, NULL, NULL);
        ::SetForegroundWindow(h);
        return h;
    }
};

}  // namespace

TEST(ColourScheme, GettersShowTheLastQueryOnly)
{
    ScopedPrefs prefs(true, false);
    CSchemeWnd w;
    EXPECT_EQ(kUnset, w.GetTextNormColor());
    EXPECT_EQ(kUnset, w.GetTextOverColor());
    EXPECT_EQ(kUnset, w.GetTextDownColor());
    EXPECT_EQ(kUnset, w.GetBackNormColor());
    EXPECT_EQ(kUnset, w.GetBackOverColor());
    EXPECT_EQ(kUnset, w.GetBackDownColor());

    // Every own colour unset: the system set is used, pressed text included.
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), w.GetStateTextColor());
    const COLORREF clrMid = BlendColor(GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_WINDOWTEXT), 1, 2, BLEND_LINEAR);
    EXPECT_EQ(clrMid, w.GetTextDownColor());
    EXPECT_EQ(GetSysColor(COLOR_HOTLIGHT), w.GetTextOverColor());
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), w.GetBackNormColor());
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), w.GetBackDownColor());

    // Changing the own colours shows only after the next query.
    w.m_clrOwnTextNorm = 0x123456;
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), w.GetTextNormColor());
    w.UpdateColors();
    EXPECT_EQ(0x123456u, w.GetTextNormColor());
}

TEST(ColourScheme, EffectiveSetFollowsThePreferences)
{
    struct {
        const char* name;
        bool ownerDrawn, systemColor;
        bool own;   // the own colours are in use
    } cases[] = {
        {"owner-drawn, own colours", true, false, true},
        {"owner-drawn, system colours asked for", true, true, false},
        {"owner drawing off ignores own colours", false, false, false},
        {"owner drawing off, system colours", false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedPrefs prefs(c.ownerDrawn, c.systemColor);
        CSchemeWnd w;
        w.SetOwnColors();
        w.UpdateColors();
        EXPECT_EQ(c.own ? kOwnText[0] : w.m_clrSysTextNorm, w.m_clrTextNorm);
        EXPECT_EQ(c.own ? kOwnText[1] : w.m_clrSysTextOver, w.m_clrTextOver);
        EXPECT_EQ(c.own ? kOwnText[2] : w.m_clrSysTextDown, w.m_clrTextDown);
        EXPECT_EQ(c.own ? kOwnText[3] : w.m_clrSysTextFocus, w.m_clrTextFocus);
        EXPECT_EQ(c.own ? kOwnBack[0] : w.m_clrSysBackNorm, w.m_clrBackNorm);
        EXPECT_EQ(c.own ? kOwnBack[1] : w.m_clrSysBackOver, w.m_clrBackOver);
        EXPECT_EQ(c.own ? kOwnBack[2] : w.m_clrSysBackDown, w.m_clrBackDown);
        EXPECT_EQ(c.own ? kOwnBack[3] : w.m_clrSysBackFocus, w.m_clrBackFocus);
    }
}

TEST(ColourScheme, GapsAreFilledFromTheSystemSetAndFocusFallsBackToNormal)
{
    ScopedPrefs prefs(true, false);
    CSchemeWnd w;
    w.SetOwnColors();
    w.m_clrOwnTextOver = kUnset;                       // the system colour fills the gap
    w.m_clrOwnTextFocus = w.m_clrSysTextFocus = kUnset;  // nobody gives one: normal text
    w.m_clrOwnBackFocus = w.m_clrSysBackFocus = kUnset;
    w.m_clrOwnBackDown = w.m_clrSysBackDown = kUnset;    // other roles may stay unset
    w.UpdateColors();
    EXPECT_EQ(w.m_clrSysTextOver, w.m_clrTextOver);
    EXPECT_EQ(kOwnText[0], w.m_clrTextFocus);
    EXPECT_EQ(kOwnBack[0], w.m_clrBackFocus);
    EXPECT_EQ(kUnset, w.m_clrBackDown);
}

// The state choice, one row per situation; 0..3 index norm, over, down, focus.
TEST(ColourScheme, StateColourChoice)
{
    enum { NORM, OVER, DOWN, FOCUS };
    struct {
        const char* name;
        bool mouseOver, lDown, hotByZone, inZone, focused;
        bool unsetDown, unsetFocus;   // leave the role unset in both sets
        int expected;
    } cases[] = {
        {"normal", false, false, false, false, false, false, false, NORM},
        {"hot, button up", true, false, false, false, false, false, false, OVER},
        {"hot, button down", true, true, false, false, false, false, false, DOWN},
        {"pressed but no longer hot", false, true, false, false, false, false, false, NORM},
        {"hot, pressed colour unset", true, true, false, false, false, true, false, OVER},
        {"hot by zone: over the client, outside the zone", true, false, true, false, false, false, false, NORM},
        {"hot by zone: inside the zone", false, false, true, true, false, false, false, OVER},
        {"zone ignored without hot-by-zone", false, false, false, true, false, false, false, NORM},
        {"focused", false, false, false, false, true, false, false, FOCUS},
        {"focused, focus colour unset: normal", false, false, false, false, true, false, true, NORM},
        {"hot wins over focus", true, false, false, false, true, false, false, OVER},
        {"pressed while not hot shows focus", false, true, false, false, true, false, false, FOCUS},
    };
    ScopedPrefs prefs(true, false);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CSchemeWnd w;
        w.SetOwnColors();
        if (c.unsetDown)
            w.m_clrOwnTextDown = w.m_clrSysTextDown = w.m_clrOwnBackDown = w.m_clrSysBackDown = kUnset;
        if (c.unsetFocus)
            w.m_clrOwnTextFocus = w.m_clrSysTextFocus = w.m_clrOwnBackFocus = w.m_clrSysBackFocus = kUnset;
        ASSERT_NE(nullptr, w.CreateVisible());
        w.m_bMouseOver = c.mouseOver;
        w.m_bLDown = c.lDown;
        w.m_bHotByZone = c.hotByZone;
        w.m_bInZone = c.inZone;
        ::SetFocus(c.focused ? w.m_hWnd : NULL);
        ASSERT_EQ(c.focused, ::GetFocus() == w.m_hWnd);
        EXPECT_EQ(kOwnText[c.expected], w.GetStateTextColor());
        EXPECT_EQ(kOwnBack[c.expected], w.GetStateBackColor());
        w.DestroyWindow();
    }
}

TEST(ColourScheme, CtlColorBrushAsksTheParentFirst)
{
    ScopedPrefs prefs(true, false);
    HBRUSH hParentBrush = CreateSolidBrush(0x010203);
    HBRUSH hOwnBrush = CreateSolidBrush(0x040506);
    CCtlColorWnd<CWnd> parent;
    ASSERT_NE(nullptr, parent.CreateEx(0, "PaintTestScheme", "", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL));
    CCtlColorWnd<CWnd> child;
    ASSERT_NE(nullptr, child.CreateEx(0, "PaintTestScheme", "", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, NULL, NULL));
    child.ctlBrush = hOwnBrush;
    TestBitmap bmp(4, 4);

    parent.ctlBrush = hParentBrush;
    EXPECT_EQ(hParentBrush, child.GetCtlColorBrush(bmp.dc()));
    EXPECT_EQ(0, child.ctlColorCalls);

    parent.ctlBrush = NULL;
    EXPECT_EQ(hOwnBrush, child.GetCtlColorBrush(bmp.dc()));
    EXPECT_EQ(1, child.ctlColorCalls);

    child.ctlBrush = NULL;
    EXPECT_EQ(nullptr, child.GetCtlColorBrush(bmp.dc()));

    child.DestroyWindow();
    parent.DestroyWindow();
    DeleteObject(hParentBrush);
    DeleteObject(hOwnBrush);
}

TEST(ColourScheme, PrepareDCSetsStateColoursAndOwnsItsBrush)
{
    ScopedPrefs prefs(true, false);
    CSchemeWnd w;
    w.SetOwnColors();
    ASSERT_NE(nullptr, w.CreateVisible());
    ::SetFocus(NULL);
    TestBitmap bmp(4, 4);

    HBRUSH hFirst = w.PrepareDC(bmp.dc());
    ASSERT_NE(nullptr, hFirst);
    EXPECT_EQ(hFirst, w.m_hOwnBrush);
    EXPECT_EQ(hFirst, w.m_hCurBrush);
    EXPECT_EQ(kOwnText[0], GetTextColor(bmp.dc()));
    EXPECT_EQ(kOwnBack[0], GetBkColor(bmp.dc()));
    EXPECT_EQ(kOwnText[0], w.m_clrText);
    EXPECT_EQ(kOwnBack[0], w.m_clrBack);
    const RECT rcAll = {0, 0, 4, 4};
    FillRect(bmp.dc(), &rcAll, hFirst);
    EXPECT_EQ(kOwnBack[0], bmp.Pixel(3, 3));

    // Hot now: a new brush of the hot colour replaces (and deletes) the first.
    w.m_bMouseOver = true;
    HBRUSH hSecond = w.PrepareDC(bmp.dc());
    EXPECT_EQ(hSecond, w.m_hOwnBrush);
    EXPECT_EQ(kOwnText[1], GetTextColor(bmp.dc()));
    EXPECT_EQ(kOwnBack[1], GetBkColor(bmp.dc()));
    EXPECT_EQ(0, GetObjectType(hFirst)) << "the replaced brush is deleted";

    // A WM_CTLCOLOR brush is handed out as it is and not taken over.
    HBRUSH hCtl = CreateSolidBrush(0x0A0B0C);
    w.ctlBrush = hCtl;
    EXPECT_EQ(hCtl, w.PrepareDC(bmp.dc()));
    EXPECT_EQ(hSecond, w.m_hOwnBrush);

    // Unset colours take the DC's own.
    w.ctlBrush = NULL;
    w.m_clrOwnTextOver = w.m_clrSysTextOver = kUnset;
    w.m_clrOwnBackOver = w.m_clrSysBackOver = kUnset;
    w.m_clrOwnTextNorm = w.m_clrSysTextNorm = kUnset;
    w.m_clrOwnBackNorm = w.m_clrSysBackNorm = kUnset;
    SetTextColor(bmp.dc(), 0x070809);
    SetBkColor(bmp.dc(), 0x0D0E0F);
    EXPECT_EQ(nullptr, w.PrepareDC(bmp.dc())) << "no colour, no brush";
    EXPECT_EQ(hSecond, w.m_hOwnBrush);
    EXPECT_EQ(0x070809u, w.m_clrText);
    EXPECT_EQ(0x0D0E0Fu, w.m_clrBack);

    w.DestroyWindow();
    EXPECT_EQ(nullptr, w.m_hOwnBrush);
    EXPECT_EQ(0, GetObjectType(hSecond)) << "destroying the window deletes its brush";
    DeleteObject(hCtl);
}

TEST(ColourScheme, TransparentWindowGetsTheNullBrush)
{
    struct {
        const char* name;
        bool ownerDrawn, transparentPref;
        DWORD exStyle;
        bool transparent;
    } cases[] = {
        {"transparent", true, true, WS_EX_TRANSPARENT, true},
        {"no WS_EX_TRANSPARENT", true, true, 0, false},
        {"owner drawing off", false, true, WS_EX_TRANSPARENT, false},
        {"transparency off", true, false, WS_EX_TRANSPARENT, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedPrefs prefs(c.ownerDrawn, false, true, c.transparentPref);
        CSchemeWnd w;
        w.SetOwnColors();
        ASSERT_NE(nullptr, w.CreateVisible(c.exStyle));
        EXPECT_EQ(c.transparent, w.IsTransparent());
        TestBitmap bmp(4, 4);
        SetBkMode(bmp.dc(), OPAQUE);
        HBRUSH hBrush = w.PrepareDC(bmp.dc());
        EXPECT_EQ(c.transparent, hBrush == GetStockObject(NULL_BRUSH));
        EXPECT_EQ(c.transparent ? TRANSPARENT : OPAQUE, GetBkMode(bmp.dc()));
        EXPECT_EQ(c.transparent, w.m_hOwnBrush == NULL);
        w.DestroyWindow();
    }
}

TEST(ColourScheme, SetBrushReplacesTheClassBrush)
{
    CWnd w;
    ASSERT_NE(nullptr, w.CreateEx(0, "PaintTestSetBrush", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    HBRUSH hFirst = CreateSolidBrush(0x112233);
    HBRUSH hSecond = CreateSolidBrush(0x445566);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_WINDOWTEXT + 1), w.SetBrush(hFirst));
    EXPECT_EQ(hFirst, w.SetBrush(hSecond));
    EXPECT_EQ(OBJ_BRUSH, GetObjectType(hFirst)) << "the previous class brush is not deleted";
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(hSecond), GetClassLongPtrA(w.m_hWnd, GCLP_HBRBACKGROUND));
    w.SetBrush(reinterpret_cast<HBRUSH>(COLOR_WINDOWTEXT + 1));
    w.DestroyWindow();
    DeleteObject(hFirst);
    DeleteObject(hSecond);
}
