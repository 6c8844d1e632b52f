// The dispatcher: each message reaches its own virtual operation with its
// parameters unpacked, and the result goes back as the message result.
// A recording window logs every call; one table drives the cases.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <vector>
#include "common/TestUtil.h"
#include "frame/Globals_int.h"
#include "wnd/CWnd.h"
#include "wnd/WndBinding_int.h"

namespace {

std::string Fmt(const char* format, ...)
{
    char buf[256];
    va_list args;
    va_start(args, format);
    vsnprintf(buf, sizeof(buf), format, args);
    va_end(args);
    return buf;
}

// Logs "Operation(arguments)" for every call and answers `answer` where the
// operation has a result. Pointers and handles are logged as numbers.
class CRecWnd : public CWnd {
public:
    std::vector<std::string> log;
    LRESULT answer = 0;
    bool recording = false;

    void Rec(const std::string& s)
    {
        if (recording)
            log.push_back(s);
    }
    static unsigned long long P(const void* p) { return reinterpret_cast<unsigned long long>(p); }

    LRESULT OnSysCommand(UINT c) override { Rec(Fmt("OnSysCommand(%#x)", c)); return answer; }
    LRESULT OnNotify(int id, NMHDR* h) override { Rec(Fmt("OnNotify(%d,%llx)", id, P(h))); return answer; }
    void OnCommand(UINT id, HWND h, UINT code) override { Rec(Fmt("OnCommand(%u,%llx,%u)", id, P(h), code)); }
    void OnPaint(HDC dc, HWND h) override { Rec(Fmt("OnPaint(%llx,%llx)", P(dc), P(h))); }
    LRESULT OnEraseBkgnd(HDC dc, RECT* r) override { Rec(Fmt("OnEraseBkgnd(%llx,%llx)", P(dc), P(r))); return answer; }
    void OnSysColorChange() override { Rec("OnSysColorChange()"); }
    void OnSetFont(HFONT f, BOOL redraw) override { Rec(Fmt("OnSetFont(%llx,%d)", P(f), redraw)); }
    LRESULT OnGetFont() override { Rec("OnGetFont()"); return answer; }
    void OnHelp(HELPINFO* hi) override { Rec(Fmt("OnHelp(%llx)", P(hi))); }
    void OnTimer(UINT id) override { Rec(Fmt("OnTimer(%u)", id)); }
    void OnSize(UINT t, int cx, int cy) override { Rec(Fmt("OnSize(%u,%d,%d)", t, cx, cy)); }
    void OnMove(int x, int y) override { Rec(Fmt("OnMove(%d,%d)", x, y)); }
    void OnClose() override { Rec("OnClose()"); }
    void OnActivate(UINT s, HWND h, UINT m) override { Rec(Fmt("OnActivate(%u,%llx,%u)", s, P(h), m)); }
    void OnActivateApp(BOOL a, DWORD t) override { Rec(Fmt("OnActivateApp(%d,%lu)", a, t)); }
    LRESULT OnQueryEndSession() override { Rec("OnQueryEndSession()"); return answer; }
    void OnEndSession(BOOL e, bool logoff) override { Rec(Fmt("OnEndSession(%d,%d)", e, logoff)); }
    void OnContextMenu(HWND h, UINT x, UINT y) override { Rec(Fmt("OnContextMenu(%llx,%u,%u)", P(h), x, y)); }
    void OnShowWindow(BOOL s, UINT st) override { Rec(Fmt("OnShowWindow(%d,%u)", s, st)); }
    void OnVScroll(HWND h, UINT c, int p) override { Rec(Fmt("OnVScroll(%llx,%u,%d)", P(h), c, p)); }
    void OnHScroll(HWND h, UINT c, int p) override { Rec(Fmt("OnHScroll(%llx,%u,%d)", P(h), c, p)); }
    void OnKey(UINT vk, bool d, int r, UINT f) override { Rec(Fmt("OnKey(%u,%d,%d,%#x)", vk, d, r, f)); }
    void OnSysKey(UINT vk, bool d, int r, UINT f) override { Rec(Fmt("OnSysKey(%u,%d,%d,%#x)", vk, d, r, f)); }
    void OnMouseMove(int x, int y, UINT k) override { Rec(Fmt("OnMouseMove(%d,%d,%u)", x, y, k)); }
    void OnMouseLeave() override { Rec("OnMouseLeave()"); }
    void OnMouseHover() override { Rec("OnMouseHover()"); }
    void OnLButtonUp(int x, int y, UINT k) override { Rec(Fmt("OnLButtonUp(%d,%d,%u)", x, y, k)); }
    void OnMButtonUp(int x, int y, UINT k) override { Rec(Fmt("OnMButtonUp(%d,%d,%u)", x, y, k)); }
    void OnRButtonUp(int x, int y, UINT k) override { Rec(Fmt("OnRButtonUp(%d,%d,%u)", x, y, k)); }
    void OnLButtonDown(int x, int y, UINT k) override { Rec(Fmt("OnLButtonDown(%d,%d,%u)", x, y, k)); }
    void OnMButtonDown(int x, int y, UINT k) override { Rec(Fmt("OnMButtonDown(%d,%d,%u)", x, y, k)); }
    void OnRButtonDown(int x, int y, UINT k) override { Rec(Fmt("OnRButtonDown(%d,%d,%u)", x, y, k)); }
    void OnLButtonDblClk(int x, int y, UINT k) override { Rec(Fmt("OnLButtonDblClk(%d,%d,%u)", x, y, k)); }
    void OnMButtonDblClk(int x, int y, UINT k) override { Rec(Fmt("OnMButtonDblClk(%d,%d,%u)", x, y, k)); }
    void OnRButtonDblClk(int x, int y, UINT k) override { Rec(Fmt("OnRButtonDblClk(%d,%d,%u)", x, y, k)); }
    void OnCaptureChanged(HWND h) override { Rec(Fmt("OnCaptureChanged(%llx)", P(h))); }
    void OnEnterIdle(bool menu, HWND h) override { Rec(Fmt("OnEnterIdle(%d,%llx)", menu, P(h))); }
    void OnInitMenu(HMENU m) override { Rec(Fmt("OnInitMenu(%llx)", P(m))); }
    void OnInitMenuPopup(HMENU m, UINT i, UINT s) override { Rec(Fmt("OnInitMenuPopup(%llx,%u,%u)", P(m), i, s)); }
    void OnMenuSelect(HMENU m, UINT i, HMENU sub, int f) override
    {
        Rec(Fmt("OnMenuSelect(%llx,%u,%llx,%d)", P(m), i, P(sub), f));
    }
    void OnParentNotify(UINT e, LPARAM l, UINT id) override { Rec(Fmt("OnParentNotify(%u,%lld,%u)", e, (long long)l, id)); }
    LRESULT OnDeviceQueryRemove(DEV_BROADCAST_HDR*) override { Rec("OnDeviceQueryRemove()"); return answer; }
    void OnDeviceRemovePending(DEV_BROADCAST_HDR*) override { Rec("OnDeviceRemovePending()"); }
    void OnDeviceChange(DEV_BROADCAST_HDR*, bool arrived) override { Rec(Fmt("OnDeviceChange(%d)", arrived)); }
    LRESULT OnQueryCancelAutoPlay(WPARAM w, LPARAM l) override
    {
        Rec(Fmt("OnQueryCancelAutoPlay(%llu,%lld)", (unsigned long long)w, (long long)l));
        return answer;
    }
    LRESULT OnCtlColor(HDC dc, HWND h, int kind) override { Rec(Fmt("OnCtlColor(%llx,%llx,%d)", P(dc), P(h), kind)); return answer; }
    LRESULT OnDrawItem(UINT id, DRAWITEMSTRUCT* d) override { Rec(Fmt("OnDrawItem(%u,%llx)", id, P(d))); return answer; }
    LRESULT OnDeleteItem(UINT id, DELETEITEMSTRUCT* d) override { Rec(Fmt("OnDeleteItem(%u,%llx)", id, P(d))); return answer; }
    LRESULT OnMeasureItem(UINT id, MEASUREITEMSTRUCT* m) override { Rec(Fmt("OnMeasureItem(%u,%llx)", id, P(m))); return answer; }
    LRESULT OnCompareItem(UINT id, COMPAREITEMSTRUCT* c) override { Rec(Fmt("OnCompareItem(%u,%llx)", id, P(c))); return answer; }
    LRESULT OnDdeAck(WPARAM w, LPARAM l) override
    {
        Rec(Fmt("OnDdeAck(%llu,%lld)", (unsigned long long)w, (long long)l));
        return answer;
    }
    LRESULT DefWindowProc() override
    {
        Rec(Fmt("DefWindowProc(%#x)", m_uMsg));
        return CWnd::DefWindowProc();
    }
};

class CWndDispatch : public ::testing::Test {
protected:
    CRecWnd wnd;
    void SetUp() override
    {
        ASSERT_NE(nullptr, wnd.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 100, 80, NULL, NULL, NULL));
        wnd.recording = true;
    }
    void TearDown() override
    {
        wnd.recording = false;
        if (wnd.m_hWnd != NULL)
            DestroyWindow(wnd.m_hWnd);
    }
};

struct DispatchCase {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT answer;       // what the operation returns
    const char* call;     // the logged call
    LRESULT result;       // what SendMessage returns
};

const LPARAM kNeg = MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-7));

const DispatchCase kCases[] = {
    {WM_MOVE, 0, kNeg, 9, "OnMove(-5,-7)", 0},
    {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), 9, "OnSize(2,640,480)", 0},
    {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0x1234, 9, "OnActivate(2,1234,1)", 0},
    {WM_PAINT, 0x10, 0x20, 9, "OnPaint(10,20)", 0},
    {WM_CLOSE, 0, 0, 9, "OnClose()", 0},
    {WM_QUERYENDSESSION, 0, 0, 0x12345, "OnQueryEndSession()", 0x2345},
    {WM_ERASEBKGND, 0x30, 0x40, 0x77, "OnEraseBkgnd(30,40)", 0x77},
    {WM_SYSCOLORCHANGE, 0, 0, 9, "OnSysColorChange()", 0},
    {WM_ENDSESSION, TRUE, static_cast<LPARAM>(ENDSESSION_LOGOFF), 9, "OnEndSession(1,1)", 0},
    {WM_ENDSESSION, TRUE, 0, 9, "OnEndSession(1,0)", 0},
    {WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, 9, "OnShowWindow(1,3)", 0},
    {0x0019, 0x50, 0x60, 0x99, "OnCtlColor(50,60,-1)", 0x99},
    {WM_ACTIVATEAPP, TRUE, 77, 9, "OnActivateApp(1,77)", 0},
    {WM_DELETEITEM, 3, 0x70, 0x55, "OnDeleteItem(3,70)", 0x55},
    {WM_SETFONT, 0x80, TRUE, 9, "OnSetFont(80,1)", 0},
    {WM_GETFONT, 0, 0, 0x90, "OnGetFont()", 0x90},
    {WM_HELP, 0, 0xA0, 9, "OnHelp(a0)", 0},
    {WM_CONTEXTMENU, 0xB0, kNeg, 9, "OnContextMenu(b0,65531,65529)", 0},
    {WM_KEYDOWN, 'A', MAKELPARAM(0xFFFF, 0x1E), 9, "OnKey(65,1,-1,0x1e)", 0},
    {WM_KEYUP, 'A', MAKELPARAM(1, 0xC01E), 9, "OnKey(65,0,1,0xc01e)", 0},
    {WM_SYSKEYDOWN, VK_F2, MAKELPARAM(1, 0x2000), 9, "OnSysKey(113,1,1,0x2000)", 0},
    {WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0xC0, 9, "OnCommand(1001,c0,0)", 0},
    {WM_COMMAND, MAKEWPARAM(7, 1), 0, 9, "OnCommand(7,0,1)", 0},
    {WM_SYSCOMMAND, SC_MOVE | 2, 0, 0x66, "OnSysCommand(0xf012)", 0x66},
    {WM_TIMER, 12, 0, 9, "OnTimer(12)", 0},
    {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0xFFFE), 0xD0, 9, "OnHScroll(d0,5,-2)", 0},
    {WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 3), 0, 9, "OnVScroll(0,1,3)", 0},
    {WM_INITMENU, 0xE0, 0, 9, "OnInitMenu(e0)", 0},
    {WM_INITMENUPOPUP, 0xE0, MAKELPARAM(4, 1), 9, "OnInitMenuPopup(e0,4,1)", 0},
    {WM_MENUSELECT, MAKEWPARAM(5, 0xFFFF), 0, 9, "OnMenuSelect(0,5,0,-1)", 0},
    {WM_MENUSELECT, MAKEWPARAM(301, MF_HILITE), 0xF0, 9, "OnMenuSelect(f0,301,0,128)", 0},
    {WM_ENTERIDLE, MSGF_MENU, 0xF8, 9, "OnEnterIdle(1,f8)", 0},
    {WM_ENTERIDLE, MSGF_DIALOGBOX, 0, 9, "OnEnterIdle(0,0)", 0},
    {WM_CTLCOLORMSGBOX, 1, 2, 0x11, "OnCtlColor(1,2,0)", 0x11},
    {WM_CTLCOLOREDIT, 1, 2, 0x11, "OnCtlColor(1,2,1)", 0x11},
    {WM_CTLCOLORLISTBOX, 1, 2, 0x11, "OnCtlColor(1,2,2)", 0x11},
    {WM_CTLCOLORBTN, 1, 2, 0x11, "OnCtlColor(1,2,3)", 0x11},
    {WM_CTLCOLORDLG, 1, 2, 0x11, "OnCtlColor(1,2,4)", 0x11},
    {WM_CTLCOLORSCROLLBAR, 1, 2, 0x11, "OnCtlColor(1,2,5)", 0x11},
    {WM_CTLCOLORSTATIC, 1, 2, 0x11, "OnCtlColor(1,2,6)", 0x11},
    {WM_MOUSEMOVE, MK_LBUTTON, kNeg, 9, "OnMouseMove(-5,-7,1)", 0},
    {WM_LBUTTONDOWN, 0, MAKELPARAM(3, 4), 9, "OnLButtonDown(3,4,0)", 0},
    {WM_LBUTTONUP, 0, MAKELPARAM(3, 4), 9, "OnLButtonUp(3,4,0)", 0},
    {WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 4), 9, "OnLButtonDblClk(3,4,0)", 0},
    {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4), 9, "OnRButtonDown(3,4,2)", 0},
    {WM_RBUTTONUP, 0, MAKELPARAM(3, 4), 9, "OnRButtonUp(3,4,0)", 0},
    {WM_RBUTTONDBLCLK, 0, MAKELPARAM(3, 4), 9, "OnRButtonDblClk(3,4,0)", 0},
    {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 4), 9, "OnMButtonDown(3,4,16)", 0},
    {WM_MBUTTONUP, 0, MAKELPARAM(3, 4), 9, "OnMButtonUp(3,4,0)", 0},
    {WM_MBUTTONDBLCLK, 0, MAKELPARAM(3, 4), 9, "OnMButtonDblClk(3,4,0)", 0},
    {WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 5), 99, 9, "OnParentNotify(513,99,5)", 0},
    {WM_CAPTURECHANGED, 0, 0x123, 9, "OnCaptureChanged(123)", 0},
    {WM_MOUSEHOVER, 0, 0, 9, "OnMouseHover()", 0},
    {WM_MOUSELEAVE, 0, 0, 9, "OnMouseLeave()", 0},
    {0x03E4, 5, 6, 0x44, "OnDdeAck(5,6)", 0x44},
    {WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, 9, "", TRUE},
    {WM_DRAWITEM, 0, 0x10, 0x21, "OnDrawItem(0,10)", 0x21},
    {WM_MEASUREITEM, 0, 0x10, 0x22, "OnMeasureItem(0,10)", 0x22},
    {WM_COMPAREITEM, 0, 0x10, 0x23, "OnCompareItem(0,10)", 0x23},
};

}  // namespace

TEST_F(CWndDispatch, EachMessageReachesItsOperation)
{
    for (const DispatchCase& c : kCases) {
        SCOPED_TRACE(Fmt("message %#x, expected %s", c.msg, c.call));
        wnd.log.clear();
        wnd.answer = c.answer;
        const LRESULT result = SendMessageA(wnd.m_hWnd, c.msg, c.wParam, c.lParam);
        EXPECT_EQ(c.result, result);
        if (c.call[0] == '\0') {
            EXPECT_TRUE(wnd.log.empty());
        } else {
            ASSERT_FALSE(wnd.log.empty());
            EXPECT_EQ(c.call, wnd.log.front());
        }
    }
}

TEST_F(CWndDispatch, PopupMenuSelectionNamesTheSubmenu)
{
    HMENU hMenu = CreateMenu();
    HMENU hSub = CreatePopupMenu();
    AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), "File");
    SendMessageA(wnd.m_hWnd, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_HILITE), reinterpret_cast<LPARAM>(hMenu));
    ASSERT_FALSE(wnd.log.empty());
    EXPECT_EQ(Fmt("OnMenuSelect(%llx,0,%llx,%d)", CRecWnd::P(hMenu), CRecWnd::P(hSub), MF_POPUP | MF_HILITE),
              wnd.log.front());
    DestroyMenu(hMenu);
}

TEST_F(CWndDispatch, DeviceEventsReachTheOperationsForVolumesOnly)
{
    DEV_BROADCAST_HDR volume = {};
    volume.dbch_size = sizeof(volume);
    volume.dbch_devicetype = DBT_DEVTYP_VOLUME;
    DEV_BROADCAST_HDR port = volume;
    port.dbch_devicetype = DBT_DEVTYP_PORT;
    const LPARAM lVolume = reinterpret_cast<LPARAM>(&volume);
    const LPARAM lPort = reinterpret_cast<LPARAM>(&port);

    struct {
        WPARAM event;
        LPARAM hdr;
        const char* call;
        LRESULT result;
    } cases[] = {
        {DBT_DEVICEQUERYREMOVE, lVolume, "OnDeviceQueryRemove()", 0x3},
        {DBT_DEVICEQUERYREMOVE, lPort, "", TRUE},
        {DBT_DEVICEREMOVEPENDING, lVolume, "OnDeviceRemovePending()", TRUE},
        {DBT_DEVICEARRIVAL, lVolume, "OnDeviceChange(1)", TRUE},
        {DBT_DEVICEREMOVECOMPLETE, lVolume, "OnDeviceChange(0)", TRUE},
        {DBT_DEVICEARRIVAL, lPort, "", TRUE},
        {DBT_CONFIGCHANGED, 0, "", TRUE},
    };
    wnd.answer = 0x3;
    for (const auto& c : cases) {
        SCOPED_TRACE(Fmt("event %#llx", (unsigned long long)c.event));
        wnd.log.clear();
        EXPECT_EQ(c.result, SendMessageA(wnd.m_hWnd, WM_DEVICECHANGE, c.event, c.hdr));
        if (c.call[0] == '\0')
            EXPECT_TRUE(wnd.log.empty());
        else
            ASSERT_EQ(std::vector<std::string>{c.call}, wnd.log);
    }
}

TEST_F(CWndDispatch, RegisteredMessagesAreAnswered)
{
    const HWND hSavedMain = g_hMainWnd;
    g_hMainWnd = NULL;
    // The default application name is registered before any configuration.
    const UINT uTessary = RegisterWindowMessageA("Tessary");
    EXPECT_EQ(uTessary, g_uAppNameMsg);
    EXPECT_EQ(reinterpret_cast<LRESULT>(wnd.m_hWnd), SendMessageA(wnd.m_hWnd, uTessary, 0, 0));

    CWnd main;
    ASSERT_NE(nullptr, main.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    g_hMainWnd = main.m_hWnd;
    EXPECT_EQ(reinterpret_cast<LRESULT>(main.m_hWnd), SendMessageA(wnd.m_hWnd, uTessary, 0, 0));
    DestroyWindow(main.m_hWnd);

    wnd.answer = 1;
    const UINT uAutoPlay = RegisterWindowMessageA("QueryCancelAutoPlay");
    EXPECT_EQ(1, SendMessageA(wnd.m_hWnd, uAutoPlay, 4, 5));
    EXPECT_EQ("OnQueryCancelAutoPlay(4,5)", wnd.log.back());
    g_hMainWnd = hSavedMain;
}

TEST_F(CWndDispatch, CreationAndDestructionGoThroughTheirOperations)
{
    struct CRefusing : CWnd {
        BOOL OnCreate(CREATESTRUCTA*) override { return FALSE; }
    } refusing;
    EXPECT_EQ(nullptr, refusing.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    EXPECT_EQ(nullptr, PeekPendingWnd());

    struct COverridingDestroy : CWnd {
        int destroyed = 0;
        void OnDestroy() override { ++destroyed; }   // forgets the base call
    } wnd2;
    HWND h = wnd2.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL);
    ASSERT_NE(nullptr, h);
    DestroyWindow(h);
    EXPECT_EQ(1, wnd2.destroyed);
    EXPECT_EQ(nullptr, FindWnd(h));   // detached all the same
    EXPECT_EQ(nullptr, wnd2.m_hWnd);
}

// A WM_SIZE handler that sends a message to its own window in between.
class CNestingWnd : public CWnd {
public:
    bool inSize = false;
    UINT nestedLast = 0;
    std::vector<std::pair<UINT, LPARAM>> defaults;   // what DefWindowProc() processed in OnSize
    void OnSize(UINT, int, int) override
    {
        inSize = true;
        SendMessage(WM_USER + 5, 1, 2);
        DefWindowProc();
        inSize = false;
    }
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (uMsg == WM_USER + 5) {
            nestedLast = GetLastMessage()->message;
            return 0;
        }
        return CWnd::WindowProc(uMsg, wParam, lParam);
    }
    LRESULT DefWindowProc() override
    {
        if (inSize)
            defaults.emplace_back(m_uMsg, m_lParam);
        return CWnd::DefWindowProc();
    }
};

TEST(CWndNestedDispatch, OuterMessageIsRestoredAfterANestedSend)
{
    CNestingWnd wnd;
    ASSERT_NE(nullptr, wnd.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    wnd.defaults.clear();
    SendMessageA(wnd.m_hWnd, WM_SIZE, 0, MAKELPARAM(10, 11));
    EXPECT_EQ(static_cast<UINT>(WM_USER + 5), wnd.nestedLast);
    ASSERT_EQ(1u, wnd.defaults.size());
    EXPECT_EQ(static_cast<UINT>(WM_SIZE), wnd.defaults[0].first);
    EXPECT_EQ(MAKELPARAM(10, 11), wnd.defaults[0].second);
    EXPECT_EQ(nullptr, wnd.m_msgStack);
    DestroyWindow(wnd.m_hWnd);
}

// A bound child control that answers owner-draw messages (or not).
class CDrawingChild : public CWnd {
public:
    LRESULT answer = 0;
    int calls = 0;
    LRESULT OnDrawItem(UINT, DRAWITEMSTRUCT*) override { ++calls; return answer; }
    LRESULT OnMeasureItem(UINT, MEASUREITEMSTRUCT*) override { ++calls; return answer; }
    LRESULT OnCompareItem(UINT, COMPAREITEMSTRUCT*) override { ++calls; return answer; }
    LRESULT OnDeleteItem(UINT, DELETEITEMSTRUCT*) override { ++calls; return answer; }
};

TEST_F(CWndDispatch, OwnerDrawMessagesAreReflectedToBoundChildren)
{
    CDrawingChild child;
    ASSERT_NE(nullptr, child.CreateEx(0, NULL, NULL, WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                                      reinterpret_cast<HMENU>(5), NULL));
    HWND hUnbound = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, wnd.m_hWnd,
                                    reinterpret_cast<HMENU>(6), NULL, NULL);
    DRAWITEMSTRUCT dis = {};
    const LPARAM lDis = reinterpret_cast<LPARAM>(&dis);
    wnd.answer = 0x70;

    struct {
        UINT msg;
        WPARAM id;
        LRESULT childAnswer;
        int childCalls;
        size_t parentCalls;
        LRESULT result;
    } cases[] = {
        {WM_DRAWITEM, 5, 0x31, 1, 0, 0x31},      // the child handles it
        {WM_DRAWITEM, 5, 0, 1, 1, 0x70},         // the child declines: the parent runs too
        {WM_MEASUREITEM, 5, 0x32, 1, 0, 0x32},
        {WM_COMPAREITEM, 5, 0x33, 1, 0, 0x33},
        {WM_DELETEITEM, 5, 0x34, 0, 1, 0x70},     // never reflected
        {WM_DRAWITEM, 6, 0x35, 0, 1, 0x70},       // unbound control
        {WM_DRAWITEM, 0, 0x36, 0, 1, 0x70},       // a menu
        {WM_DRAWITEM, static_cast<WPARAM>(-5), 0x37, 0, 1, 0x70},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Fmt("message %#x id %lld", c.msg, (long long)c.id));
        child.calls = 0;
        child.answer = c.childAnswer;
        wnd.log.clear();
        EXPECT_EQ(c.result, SendMessageA(wnd.m_hWnd, c.msg, c.id, lDis));
        EXPECT_EQ(c.childCalls, child.calls);
        EXPECT_EQ(c.parentCalls, wnd.log.size());
    }
    DestroyWindow(hUnbound);
}

TEST(CWndSysKey, AltFunctionKeysPostSystemCommandsToTheTopLevelWindow)
{
    CRecWnd top;
    ASSERT_NE(nullptr, top.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL));
    CWnd middle;
    ASSERT_NE(nullptr, middle.CreateEx(0, NULL, NULL, WS_CHILD, 0, 0, 50, 50, top.m_hWnd, NULL, NULL));
    CWnd child;
    ASSERT_NE(nullptr, child.CreateEx(0, NULL, NULL, WS_CHILD, 0, 0, 20, 20, middle.m_hWnd, NULL, NULL));
    PumpMessages();

    BYTE keys[256] = {};
    struct {
        UINT msg;
        UINT vk;
        BYTE ctrl;
        BYTE shift;
        const char* posted;   // the command the top window receives, or ""
    } cases[] = {
        {WM_SYSKEYUP, VK_F1, 0, 0, "OnSysCommand(0xb0)"},
        {WM_SYSKEYUP, VK_F5, 0, 0, "OnSysCommand(0x150)"},
        {WM_SYSKEYUP, VK_F9, 0, 0, "OnSysCommand(0xc0)"},
        {WM_SYSKEYUP, VK_F1, 0x80, 0, ""},   // Ctrl+Alt+F1
        {WM_SYSKEYUP, VK_F1, 0, 0x80, ""},   // Shift+Alt+F1
        {WM_SYSKEYDOWN, VK_F1, 0, 0, ""},    // only on release
        {WM_SYSKEYUP, VK_F2, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Fmt("message %#x key %u ctrl %d shift %d", c.msg, c.vk, c.ctrl, c.shift));
        keys[VK_CONTROL] = c.ctrl;
        keys[VK_SHIFT] = c.shift;
        SetKeyboardState(keys);
        top.log.clear();
        top.recording = true;
        SendMessageA(child.m_hWnd, c.msg, c.vk, 1);
        PumpMessages();
        top.recording = false;
        if (c.posted[0] == '\0')
            EXPECT_TRUE(top.log.empty());
        else
            EXPECT_EQ(std::vector<std::string>{c.posted}, top.log);
    }
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    DestroyWindow(top.m_hWnd);
}

TEST_F(CWndDispatch, ToolTipTextRequestsAskTheWindow)
{
    struct CTipWnd : CWnd {
        UINT askedId = 0;
        bool askedWindow = false;
        bool GetToolTipText(char* text, UINT id, bool window) override
        {
            askedId = id;
            askedWindow = window;
            lstrcpyA(text, "tip");
            return id == 77;
        }
    } tips;
    ASSERT_NE(nullptr, tips.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    HWND hChild = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, tips.m_hWnd,
                                  reinterpret_cast<HMENU>(77), NULL, NULL);

    NMTTDISPINFOA info = {};
    info.hdr.code = TTN_NEEDTEXTA;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(hChild);
    info.uFlags = TTF_IDISHWND;
    EXPECT_EQ(77, SendMessageA(tips.m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_TRUE(tips.askedWindow);
    EXPECT_STREQ("tip", info.szText);
    EXPECT_TRUE(info.uFlags & TTF_DI_SETITEM);

    NMTTDISPINFOA rect = {};
    rect.hdr.code = TTN_NEEDTEXTA;
    rect.hdr.idFrom = 12;
    EXPECT_EQ(12, SendMessageA(tips.m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(12u, tips.askedId);
    EXPECT_FALSE(tips.askedWindow);
    EXPECT_FALSE(rect.uFlags & TTF_DI_SETITEM);
    DestroyWindow(tips.m_hWnd);
}

TEST_F(CWndDispatch, DefaultsOfMoveSizeAndSysColorChange)
{
    CWnd plain;
    ASSERT_NE(nullptr, plain.CreateEx(0, NULL, NULL, WS_POPUP, 10, 20, 100, 50, NULL, NULL, NULL));
    MoveWindow(plain.m_hWnd, 30, 40, 120, 60, FALSE);
    EXPECT_EQ(30, plain.m_rcWindow.left);
    EXPECT_EQ(40, plain.m_rcWindow.top);
    EXPECT_EQ(150, plain.m_rcWindow.right);
    EXPECT_EQ(100, plain.m_rcWindow.bottom);

    plain.m_rcUpdate.left = 5;
    plain.m_rcUpdate.right = 9;
    SendMessageA(plain.m_hWnd, WM_SIZE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(0, plain.m_rcUpdate.left);
    EXPECT_EQ(0, plain.m_rcUpdate.right);

    plain.m_clrBack = RGB(10, 20, 30);
    SendMessageA(plain.m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
    ASSERT_NE(nullptr, plain.m_hOwnBrush);
    EXPECT_EQ(plain.m_hOwnBrush, plain.m_hCurBrush);
    LOGBRUSH lb;
    ASSERT_EQ(static_cast<int>(sizeof(lb)), GetObjectA(plain.m_hOwnBrush, sizeof(lb), &lb));
    EXPECT_EQ(RGB(10, 20, 30), lb.lbColor);
    const HBRUSH hFirst = plain.m_hOwnBrush;
    SendMessageA(plain.m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(0u, GetObjectType(hFirst));   // the replaced brush is deleted
    DestroyWindow(plain.m_hWnd);
    EXPECT_EQ(nullptr, plain.m_hOwnBrush);
}

TEST_F(CWndDispatch, PaintGoesThroughPaintWithTheGivenDC)
{
    struct CPainter : CWnd {
        HDC seen = NULL;
        void Paint(HDC hdc, PAINTSTRUCT*) override { seen = hdc; }
    } painter;
    ASSERT_NE(nullptr, painter.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 40, 30, NULL, NULL, NULL));
    TestBitmap bmp(40, 30);
    SendMessageA(painter.m_hWnd, WM_PAINT, reinterpret_cast<WPARAM>(bmp.dc()), 0);
    EXPECT_EQ(bmp.dc(), painter.seen);
    EXPECT_EQ(40, painter.m_rcUpdate.right);   // the client rectangle afterwards
    EXPECT_EQ(30, painter.m_rcUpdate.bottom);
    DestroyWindow(painter.m_hWnd);
}
