// Mouse tracking driven by the messages the system sends: enter and exit of
// the client area, the hit zone and the capture zone, and the click rule.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "common/TestUtil.h"
#include "wnd/CWnd.h"

namespace {

class CMouseWnd : public CWnd {
public:
    std::vector<std::string> calls;
    void OnMouseEnter() override { calls.push_back("enter"); CWnd::OnMouseEnter(); }
    void OnMouseExit() override { calls.push_back("exit"); CWnd::OnMouseExit(); }
    void OnZoneEnter() override { calls.push_back("zone+"); CWnd::OnZoneEnter(); }
    void OnZoneExit() override { calls.push_back("zone-"); CWnd::OnZoneExit(); }
    void OnCaptureEnter() override { calls.push_back("capture+"); CWnd::OnCaptureEnter(); }
    void OnCaptureExit() override { calls.push_back("capture-"); CWnd::OnCaptureExit(); }
    void OnLClick(int x, int y, UINT) override
    {
        calls.push_back("lclick(" + std::to_string(x) + "," + std::to_string(y) + ")" + (m_bLDown ? "down" : "up"));
    }
    void OnRClick(int, int, UINT) override { calls.push_back("rclick"); }
    void OnMClick(int, int, UINT) override { calls.push_back("mclick"); }
    void OnLButtonDblClk(int x, int y, UINT k) override { calls.push_back("ldblclk"); CWnd::OnLButtonDblClk(x, y, k); }

    void Send(UINT msg, int x, int y, WPARAM keys = 0) { ::SendMessageA(m_hWnd, msg, keys, MAKELPARAM(x, y)); }
    std::string Take()
    {
        std::string all;
        for (const std::string& c : calls)
            all += (all.empty() ? "" : " ") + c;
        calls.clear();
        return all;
    }
};

// One message sent and the enter/exit/click calls it must cause.
struct Step {
    UINT msg;
    int x, y;
    const char* calls;
};

class CWndMouse : public ::testing::Test {
protected:
    CMouseWnd wnd;
    template <size_t N>
    void Play(const Step (&steps)[N])
    {
        for (const Step& s : steps) {
            SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << s.msg << std::dec << " at " << s.x
                                            << "," << s.y);
            wnd.Send(s.msg, s.x, s.y);
            EXPECT_EQ(s.calls, wnd.Take());
        }
    }
    void SetUp() override
    {
        ASSERT_NE(nullptr, wnd.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 100, 60, NULL, NULL, NULL));
    }
    void TearDown() override
    {
        if (::GetCapture() == wnd.m_hWnd)
            ::ReleaseCapture();
        DestroyWindow(wnd.m_hWnd);
    }
};

POINT Pt(int x, int y)
{
    POINT pt = {x, y};
    return pt;
}

}  // namespace

TEST_F(CWndMouse, PointTestsIncludeBothEdges)
{
    RECT rc = {10, 10, 20, 20};
    struct {
        POINT pt;
        bool inside;
    } cases[] = {
        {Pt(10, 10), true}, {Pt(20, 20), true}, {Pt(20, 10), true}, {Pt(21, 15), false},
        {Pt(15, 9), false}, {Pt(15, 21), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.inside, wnd.InRect(rc, c.pt)) << c.pt.x << "," << c.pt.y;

    RECT origin = {-5, -5, 5, 5};
    EXPECT_FALSE(wnd.InRect(origin, Pt(-1, -1)));   // "no mouse" is never inside
    EXPECT_TRUE(wnd.InClient(Pt(100, 60)));
    EXPECT_FALSE(wnd.InClient(Pt(101, 0)));
    EXPECT_FALSE(wnd.InZone(Pt(5, 5)));              // zone tracking off
    wnd.m_bCaptureAlways = true;
    EXPECT_TRUE(wnd.InCapture(Pt(-50, 500)));
}

TEST_F(CWndMouse, UnsetZoneIsTheClientAreaOfTheFirstTest)
{
    wnd.m_bZone = true;
    EXPECT_TRUE(wnd.InZone(Pt(100, 60)));
    EXPECT_EQ(100, wnd.m_rcZone.right);
    MoveWindow(wnd.m_hWnd, 0, 0, 200, 120, FALSE);
    EXPECT_FALSE(wnd.InZone(Pt(150, 30)));           // frozen at the first size
    EXPECT_TRUE(wnd.InClient(Pt(150, 30)));          // the client test is always fresh
}

TEST_F(CWndMouse, EachCrossingCallsOneEnterOrExit)
{
    wnd.m_bZone = true;
    SetRect(&wnd.m_rcZone, 40, 20, 60, 40);
    const Step steps[] = {
        {WM_MOUSEMOVE, 5, 5, "enter"},
        {WM_MOUSEMOVE, 6, 5, ""},
        {WM_MOUSEMOVE, 40, 40, "zone+"},
        {WM_MOUSEMOVE, 50, 30, ""},
        {WM_MOUSEMOVE, 61, 30, "zone-"},
        {WM_MOUSEMOVE, 50, 30, "zone+"},
        {WM_MOUSEMOVE, 150, 30, "exit zone-"},   // moves outside arrive while the button is held
        {WM_MOUSEMOVE, 50, 30, "enter zone+"},
        {WM_MOUSELEAVE, 0, 0, "exit zone-"},
        {WM_MOUSELEAVE, 0, 0, ""},
    };
    Play(steps);
    EXPECT_EQ(-1, wnd.m_ptMouse.x);
    EXPECT_EQ(-1, wnd.m_ptMouse.y);
    EXPECT_FALSE(wnd.m_bMouseOver);
}

namespace {

int s_leaveRequests = 0;
BOOL WINAPI CountingTrackMouseEvent(TRACKMOUSEEVENT* pTme)
{
    if (pTme->dwFlags == TME_LEAVE && pTme->dwHoverTime == HOVER_DEFAULT && pTme->cbSize == sizeof(TRACKMOUSEEVENT))
        ++s_leaveRequests;
    return TRUE;
}

}  // namespace

TEST_F(CWndMouse, EachEntryRequestsOneLeaveNotification)
{
    void* original = PatchImport("user32.dll", "TrackMouseEvent", reinterpret_cast<void*>(CountingTrackMouseEvent));
    ASSERT_NE(nullptr, original);
    s_leaveRequests = 0;
    wnd.Send(WM_MOUSEMOVE, 10, 10);
    wnd.Send(WM_MOUSEMOVE, 11, 10);
    wnd.Send(WM_MOUSEMOVE, 12, 10);
    EXPECT_EQ(12, wnd.m_ptMouse.x);
    EXPECT_EQ("enter", wnd.Take());
    EXPECT_EQ(1, s_leaveRequests);
    wnd.Send(WM_MOUSEMOVE, 150, 10);   // out: no request
    EXPECT_EQ(1, s_leaveRequests);
    wnd.Send(WM_MOUSEMOVE, 20, 10);    // in again: a new request
    EXPECT_EQ(2, s_leaveRequests);
    PatchImport("user32.dll", "TrackMouseEvent", original);
}

TEST_F(CWndMouse, ClicksFollowPressAndRelease)
{
    const Step steps[] = {
        {WM_MOUSEMOVE, 5, 5, "enter"},
        {WM_LBUTTONDOWN, 5, 5, ""},
        {WM_LBUTTONUP, 90, 50, "lclick(90,50)down"},   // anywhere in the window; still pressed during the click
        {WM_LBUTTONUP, 90, 50, ""},                    // no press, no click
        {WM_LBUTTONDOWN, 5, 5, ""},
        {WM_MOUSELEAVE, 0, 0, "exit"},                 // leaving cancels the click
        {WM_LBUTTONUP, 5, 5, ""},
        {WM_RBUTTONDOWN, 5, 5, ""},
        {WM_RBUTTONUP, 5, 5, "rclick"},
        {WM_MBUTTONDOWN, 5, 5, ""},
        {WM_MBUTTONUP, 5, 5, "mclick"},
        // A double-click: down, up, double-click, up.
        {WM_LBUTTONDOWN, 5, 5, ""},
        {WM_LBUTTONUP, 5, 5, "lclick(5,5)down"},
        {WM_LBUTTONDBLCLK, 5, 5, "ldblclk"},
        {WM_LBUTTONUP, 5, 5, ""},
    };
    Play(steps);
    EXPECT_FALSE(wnd.m_bLDown || wnd.m_bRDown || wnd.m_bMDown);
}

TEST_F(CWndMouse, AlwaysCaptureZoneKeepsTheCaptureUntilAnotherWindowTakesIt)
{
    wnd.m_bCaptureZone = true;
    wnd.m_bCaptureAlways = true;
    wnd.Send(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ("enter capture+", wnd.Take());
    EXPECT_EQ(wnd.m_hWnd, ::GetCapture());
    wnd.Send(WM_MOUSEMOVE, 500, 500);   // outside the window, still captured
    EXPECT_EQ("exit", wnd.Take());
    EXPECT_EQ(wnd.m_hWnd, ::GetCapture());
    EXPECT_TRUE(wnd.m_bInCapture);

    CWnd other;
    ASSERT_NE(nullptr, other.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    ::SetCapture(other.m_hWnd);
    EXPECT_EQ("capture-", wnd.Take());
    EXPECT_FALSE(wnd.m_bInCapture);
    ::ReleaseCapture();
    DestroyWindow(other.m_hWnd);
}

TEST_F(CWndMouse, CaptureZoneIsTakenAndReleasedAtItsEdges)
{
    wnd.m_bCaptureZone = true;
    SetRect(&wnd.m_rcCapture, 0, 0, 50, 60);
    wnd.Send(WM_MOUSEMOVE, 50, 10);
    EXPECT_EQ("enter capture+", wnd.Take());
    EXPECT_EQ(wnd.m_hWnd, ::GetCapture());
    wnd.Send(WM_MOUSEMOVE, 51, 10);
    EXPECT_EQ("capture-", wnd.Take());
    EXPECT_EQ(nullptr, ::GetCapture());
    // Losing the capture while outside the zone calls nothing more.
    wnd.Send(WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ("", wnd.Take());
}
