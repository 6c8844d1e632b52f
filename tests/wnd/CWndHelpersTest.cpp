// CWnd's helper operations that do more than pass a call on: style changes
// with their frame refresh, class tests, timers, rectangles in the parent and
// the tooltip forwarders.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "common/TestUtil.h"
#include "frame/Globals_int.h"
#include "wnd/CWnd.h"
#include "ctrl/CToolTip.h"

namespace {

// Counts the style and position changes the window is told about.
class CStyleSpy : public CWnd {
public:
    int styleChanges = 0;
    int posChanges = 0;
    UINT lastPosFlags = 0;
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (uMsg == WM_STYLECHANGED)
            ++styleChanges;
        if (uMsg == WM_WINDOWPOSCHANGING) {
            ++posChanges;
            lastPosFlags = reinterpret_cast<WINDOWPOS*>(lParam)->flags;
        }
        return CWnd::WindowProc(uMsg, wParam, lParam);
    }
    void Reset() { styleChanges = posChanges = 0; lastPosFlags = 0; }
};

class CWndHelpers : public ::testing::Test {
protected:
    CStyleSpy wnd;
    void SetUp() override
    {
        ASSERT_NE(nullptr, wnd.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 100, 80, NULL, NULL, NULL));
        wnd.Reset();
    }
    void TearDown() override
    {
        if (wnd.m_hWnd != NULL)
            DestroyWindow(wnd.m_hWnd);
    }
};

}  // namespace

TEST_F(CWndHelpers, StyleChangesRefreshTheFrameAsAsked)
{
    const UINT kFrame = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                        SWP_NOCOPYBITS | SWP_NOOWNERZORDER;
    struct {
        UINT swp;
        int posChanges;
        UINT flagsSet;   // flags that must reach WM_WINDOWPOSCHANGING
    } cases[] = {
        {(UINT)-1, 0, 0},
        {0, 1, kFrame},
        {SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER, 1, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER},
    };
    DWORD ex = WS_EX_TOOLWINDOW;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.swp);
        wnd.Reset();
        ex ^= WS_EX_TOOLWINDOW;
        const DWORD previous = wnd.GetExStyle();
        EXPECT_EQ(previous, CWnd::SetExStyle(wnd.m_hWnd, ex, c.swp));
        EXPECT_EQ(ex, wnd.GetExStyle() & WS_EX_TOOLWINDOW);
        EXPECT_EQ(1, wnd.styleChanges);
        EXPECT_EQ(c.posChanges, wnd.posChanges);
        EXPECT_EQ(c.flagsSet, wnd.lastPosFlags & c.flagsSet);
    }

    wnd.Reset();
    const DWORD style = wnd.GetStyle();
    EXPECT_EQ(style, CWnd::SetStyle(wnd.m_hWnd, style | WS_BORDER, (UINT)-1));
    EXPECT_TRUE(wnd.GetStyle() & WS_BORDER);
    EXPECT_EQ(0, wnd.posChanges);
}

TEST_F(CWndHelpers, ModifyExStyleTouchesNothingWhenUnchanged)
{
    CWnd::SetExStyle(wnd.m_hWnd, WS_EX_TRANSPARENT, (UINT)-1);
    wnd.Reset();
    wnd.ModifyExStyle(WS_EX_TOOLWINDOW, WS_EX_TRANSPARENT, 0);   // removes nothing set, adds what is there
    EXPECT_EQ(0, wnd.styleChanges);
    EXPECT_EQ(0, wnd.posChanges);

    wnd.ModifyExStyle(WS_EX_TRANSPARENT, WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(1, wnd.styleChanges);
    EXPECT_EQ(1, wnd.posChanges);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW), wnd.GetExStyle() & (WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT));
}

TEST_F(CWndHelpers, TransparencyFollowsTheStyleAndTheSwitches)
{
    EXPECT_FALSE(wnd.HasTransparentStyle());
    CWnd::SetExStyle(wnd.m_hWnd, wnd.GetExStyle() | WS_EX_TRANSPARENT, (UINT)-1);
    EXPECT_TRUE(wnd.HasTransparentStyle());
    EXPECT_TRUE(CWnd::IsTransparentWnd(wnd.m_hWnd));
    g_bTransparent = false;
    EXPECT_FALSE(CWnd::IsTransparentWnd(wnd.m_hWnd));
    g_bTransparent = true;
    g_bOwnerDrawn = false;
    EXPECT_FALSE(wnd.IsTransparent());
    g_bOwnerDrawn = true;
    EXPECT_TRUE(wnd.IsTransparent());
}

TEST_F(CWndHelpers, ClassNamesCompareWithoutCase)
{
    HWND hButton = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 5, 5, wnd.m_hWnd, NULL, NULL, NULL);
    EXPECT_TRUE(CWnd::IsClass(hButton, "Button"));
    EXPECT_TRUE(CWnd::IsClass(hButton, "bUtToN"));
    EXPECT_FALSE(CWnd::IsClass(hButton, "Butto"));
    EXPECT_FALSE(CWnd::IsClass(hButton, "Static"));
    EXPECT_FALSE(CWnd::IsClass(NULL, "Button"));
    EXPECT_TRUE(CWnd::IsClass(wnd.m_hWnd, "cwnd"));
}

TEST_F(CWndHelpers, KillTimerAlwaysZeroesTheId)
{
    struct CTicker : CWnd {
        int ticks = 0;
        void OnTimer(UINT) override { ++ticks; }
    } ticker;
    ASSERT_NE(nullptr, ticker.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    UINT id = 5;
    ASSERT_NE(0u, ticker.SetTimer(id, 1));
    ticker.KillTimer(&id);
    EXPECT_EQ(0u, id);
    Sleep(30);
    PumpMessages();
    EXPECT_EQ(0, ticker.ticks);
    // The timer is gone: killing it again through the system fails.
    EXPECT_FALSE(::KillTimer(ticker.m_hWnd, 5));

    UINT none = 0;
    ticker.KillTimer(&none);
    EXPECT_EQ(0u, none);

    CWnd windowless;
    UINT stored = 9;
    windowless.KillTimer(&stored);
    EXPECT_EQ(0u, stored);
    DestroyWindow(ticker.m_hWnd);
}

TEST_F(CWndHelpers, RectanglesInTheParent)
{
    CWnd child;
    ASSERT_NE(nullptr, child.CreateEx(0, NULL, NULL, WS_CHILD, 7, 9, 30, 20, wnd.m_hWnd, NULL, NULL));
    RECT rc;
    EXPECT_EQ(wnd.m_hWnd, CWnd::WindowRectInParent(child.m_hWnd, &rc));
    EXPECT_EQ(7, rc.left);
    EXPECT_EQ(9, rc.top);
    EXPECT_EQ(37, rc.right);
    EXPECT_EQ(29, rc.bottom);

    POINT pts[2] = {{0, 0}, {30, 20}};
    EXPECT_EQ(wnd.m_hWnd, CWnd::ClientRectToParent(child.m_hWnd, pts));
    EXPECT_EQ(7, pts[0].x);
    EXPECT_EQ(29, pts[1].y);
}

TEST_F(CWndHelpers, MessagesToNoWindowAnswerZero)
{
    EXPECT_EQ(0, CWnd::SendMessageTo(NULL, WM_GETTEXTLENGTH));
    CWnd windowless;
    EXPECT_EQ(0, windowless.SendMessage(WM_GETTEXTLENGTH));
    wnd.SetWindowTextA("abc");
    EXPECT_EQ(3, wnd.SendMessage(WM_GETTEXTLENGTH));
    EXPECT_EQ(3, CWnd::SendMessageTo(wnd.m_hWnd, WM_GETTEXTLENGTH, 0));
}

TEST_F(CWndHelpers, TooltipForwardersNeedTheSharedTooltip)
{
    ASSERT_EQ(nullptr, g_pToolTip);
    RECT rc = {0, 0, 10, 10};
    HWND hChild = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, wnd.m_hWnd, NULL, NULL, NULL);
    EXPECT_EQ(0, wnd.AddToolWnd(hChild));
    EXPECT_EQ(0, wnd.AddToolRect(&rc, 3));
    EXPECT_EQ(0, wnd.RemoveToolWnd(hChild));

    CToolTip* pTip = new CToolTip;
    pTip->m_hWnd = CreateWindowExA(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_NOPREFIX, 0, 0, 0, 0,
                                   NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, pTip->m_hWnd);
    g_pToolTip = pTip;
    const HWND hTip = pTip->m_hWnd;
    auto count = [&] { return SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0); };

    EXPECT_TRUE(wnd.AddToolWnd(hChild));
    EXPECT_TRUE(wnd.AddToolRect(&rc, 3));
    EXPECT_EQ(2, count());
    wnd.RemoveToolWnd(hChild);
    EXPECT_EQ(1, count());
    wnd.RemoveToolRect(3);
    EXPECT_EQ(0, count());

    g_pToolTip = NULL;
    pTip->m_hWnd = NULL;
    delete pTip;
    DestroyWindow(hTip);
}

TEST_F(CWndHelpers, CentringStaysInsideTheWorkArea)
{
    RECT wa;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    wnd.CenterWindow(NULL);
    RECT rc;
    wnd.GetWindowRect(&rc);
    EXPECT_EQ((wa.left + wa.right - 100) / 2, rc.left);
    EXPECT_EQ((wa.top + wa.bottom - 80) / 2, rc.top);

    // Over a reference near the corner, the window is pushed back inside.
    CWnd ref;
    ASSERT_NE(nullptr, ref.CreateEx(0, NULL, NULL, WS_POPUP, wa.left - 40, wa.top - 40, 20, 20, NULL, NULL, NULL));
    wnd.CenterWindow(ref.m_hWnd);
    wnd.GetWindowRect(&rc);
    EXPECT_EQ(wa.left, rc.left);
    EXPECT_EQ(wa.top, rc.top);
    DestroyWindow(ref.m_hWnd);
}
