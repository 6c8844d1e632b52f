// Binding CWnd objects to real windows: creation with lazy class
// registration, attaching and subclassing, detaching, the main window and
// the modal loop.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include "common/TestUtil.h"
#include "frame/Globals_int.h"
#include "wnd/CWnd.h"
#include "wnd/WndBinding_int.h"
#include "ctrl/CToolTip.h"

namespace {

// Counts native creation attempts and remembers what the object saw early.
class CProbeWnd : public CWnd {
public:
    int hookCalls = 0;
    HWND handleInCreate = NULL;
    HWND handleAtFirstMessage = NULL;
    UINT firstMessage = 0;
    bool sawFirst = false;
    int destroyResult = -1;   // m_nResult set in OnDestroy when >= 0

    HWND CreateWindowHook(CREATESTRUCTA* pCS) override
    {
        ++hookCalls;
        return CWnd::CreateWindowHook(pCS);
    }
    BOOL OnCreate(CREATESTRUCTA* pCS) override
    {
        handleInCreate = m_hWnd;
        return CWnd::OnCreate(pCS);
    }
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (!sawFirst) {
            sawFirst = true;
            firstMessage = uMsg;
            handleAtFirstMessage = m_hWnd;
        }
        return CWnd::WindowProc(uMsg, wParam, lParam);
    }
    void OnDestroy() override
    {
        if (destroyResult >= 0)
            m_nResult = destroyResult;
        CWnd::OnDestroy();
    }
};

// A tooltip whose deletion the test can see.
class CCountedToolTip : public CToolTip {
public:
    explicit CCountedToolTip(int* pDeleted) : m_pDeleted(pDeleted) {}
    ~CCountedToolTip() override { ++*m_pDeleted; }

private:
    int* m_pDeleted;
};

std::string ClassNameOf(HWND hWnd)
{
    char name[64] = "";
    GetClassNameA(hWnd, name, sizeof(name));
    return name;
}

HWND CreatePlainEdit(const char* text)
{
    return CreateWindowExA(0, "EDIT", text, WS_POPUP, 0, 0, 100, 20, NULL, NULL, NULL, NULL);
}

}  // namespace

TEST(CWndCreate, RegistersItsClassOnlyWhenCreationFails)
{
    const char* cls = "CmnTestLazyClass";
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_FALSE(GetClassInfoExA(g_hDllInstance, cls, &wc));

    CProbeWnd first;
    ASSERT_NE(nullptr, first.CreateEx(0, cls, "first", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL));
    EXPECT_EQ(2, first.hookCalls);
    ASSERT_TRUE(GetClassInfoExA(g_hDllInstance, cls, &wc));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(CmnWndProc), wc.lpfnWndProc);
    EXPECT_EQ(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, wc.style);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_WINDOWTEXT + 1), wc.hbrBackground);

    CProbeWnd second;
    ASSERT_NE(nullptr, second.CreateEx(0, cls, "second", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL));
    EXPECT_EQ(1, second.hookCalls);
    EXPECT_EQ(nullptr, PeekPendingWnd());

    DestroyWindow(first.m_hWnd);
    DestroyWindow(second.m_hWnd);
}

TEST(CWndCreate, ObjectSeesItsHandleFromTheFirstMessage)
{
    CProbeWnd wnd;
    HWND hWnd = wnd.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 40, 40, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(hWnd, wnd.handleInCreate);
    EXPECT_EQ(hWnd, wnd.handleAtFirstMessage);
    // Some messages come before WM_NCCREATE; they already reach the object.
    EXPECT_NE(static_cast<UINT>(WM_CREATE), wnd.firstMessage);
    EXPECT_EQ(&wnd, CWnd::GetWindow(hWnd));
    DestroyWindow(hWnd);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::GetWindow(hWnd));
}

TEST(CWndCreate, DefaultFormGivesAnOverlappedCWndWindow)
{
    CWnd wnd;
    HWND hWnd = wnd.Create();
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ("CWnd", ClassNameOf(hWnd));
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), wnd.GetStyle() & WS_OVERLAPPEDWINDOW);
    EXPECT_FALSE(wnd.GetStyle() & WS_CHILD);
    DestroyWindow(hWnd);

    CWnd styled;
    RECT rc = {10, 20, 310, 170};
    ASSERT_NE(nullptr, styled.CreateEx(WS_EX_TOOLWINDOW, NULL, "r", (DWORD)-1, &rc, NULL, NULL, NULL));
    EXPECT_EQ(static_cast<DWORD>(0x00CF0000), styled.GetStyle() & 0x00CF0000);
    EXPECT_TRUE(styled.GetExStyle() & WS_EX_TOOLWINDOW);
    RECT wr;
    styled.GetWindowRect(&wr);
    EXPECT_EQ(300, wr.right - wr.left);
    EXPECT_EQ(150, wr.bottom - wr.top);
    DestroyWindow(styled.m_hWnd);
}

TEST(CWndCreate, RefusalsLeaveNothingPending)
{
    struct CRefuseRegister : CWnd {
        BOOL PreRegisterClass(WNDCLASSEXA*) override { return FALSE; }
    } noClass;
    struct CRefuseCreate : CWnd {
        BOOL PreCreateWindow(CREATESTRUCTA*) override { return FALSE; }
    } noWindow;
    struct CRefuseOnCreate : CWnd {
        BOOL OnCreate(CREATESTRUCTA*) override { return FALSE; }
    } refused;

    EXPECT_EQ(nullptr, noClass.Create());
    EXPECT_EQ(nullptr, noWindow.Create());
    EXPECT_EQ(nullptr, refused.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    EXPECT_EQ(nullptr, refused.m_hWnd);
    EXPECT_EQ(nullptr, PeekPendingWnd());
}

TEST(CWndAttach, BoundHandlesAndBadInputAreRefused)
{
    CWnd owner;
    HWND hWnd = owner.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hWnd);

    CWnd other;
    EXPECT_FALSE(other.Attach(hWnd, true));
    EXPECT_FALSE(other.Attach(hWnd, false));
    EXPECT_EQ(nullptr, other.m_hWnd);
    EXPECT_EQ(&owner, FindWnd(hWnd));
    EXPECT_EQ(hWnd, owner.m_hWnd);

    EXPECT_FALSE(other.Attach(NULL, true));

    // A handle that is no longer a window must not enter the window map.
    HWND hStale = CreatePlainEdit("");
    DestroyWindow(hStale);
    EXPECT_FALSE(other.Attach(hStale, true));
    EXPECT_EQ(nullptr, FindWnd(hStale));
    EXPECT_EQ(nullptr, other.m_hWnd);
    EXPECT_EQ(nullptr, PeekPendingWnd());
    EXPECT_EQ(0, CmnWndProc(hStale, WM_USER, 0, 0));

    // Attached without subclassing: holds the handle only.
    HWND hEdit = CreatePlainEdit("x");
    CWnd holder;
    EXPECT_TRUE(holder.Attach(hEdit, false));
    EXPECT_EQ(hEdit, holder.m_hWnd);
    EXPECT_EQ(nullptr, FindWnd(hEdit));
    EXPECT_FALSE(holder.Attach(hEdit, false));   // already has a handle
    EXPECT_FALSE(holder.Subclass(NULL));          // not marked for subclassing

    DestroyWindow(hEdit);
    DestroyWindow(hWnd);
}

// Records the texts the subclassed edit is given, then lets the edit work.
class CEditSpy : public CWnd {
public:
    int setTexts = 0;
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (uMsg == WM_SETTEXT)
            ++setTexts;
        return CWnd::WindowProc(uMsg, wParam, lParam);
    }
};

TEST(CWndAttach, SubclassedControlKeepsWorkingAndIsRestoredOnDetach)
{
    HWND hEdit = CreatePlainEdit("before");
    ASSERT_NE(nullptr, hEdit);
    const LONG_PTR original = GetWindowLongPtrA(hEdit, GWLP_WNDPROC);

    CEditSpy spy;
    ASSERT_TRUE(spy.Attach(hEdit, true));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(CmnWndProc), GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(&spy, FindWnd(hEdit));

    // The edit's own procedure still does the work (reached through
    // CallWindowProcA, whatever kind of procedure value it is).
    SetWindowTextA(hEdit, "during");
    char text[32] = "";
    GetWindowTextA(hEdit, text, sizeof(text));
    EXPECT_STREQ("during", text);
    EXPECT_EQ(1, spy.setTexts);

    spy.Detach();
    EXPECT_EQ(original, GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, FindWnd(hEdit));
    EXPECT_EQ(nullptr, spy.m_hWnd);
    EXPECT_TRUE(spy.m_bDetached);

    SetWindowTextA(hEdit, "after");
    GetWindowTextA(hEdit, text, sizeof(text));
    EXPECT_STREQ("after", text);
    EXPECT_EQ(1, spy.setTexts);
    DestroyWindow(hEdit);
}

TEST(CWndAttach, DialogItemIsFoundById)
{
    CWnd parent;
    ASSERT_NE(nullptr, parent.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL));
    HWND hChild = CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                  reinterpret_cast<HMENU>(42), NULL, NULL);
    CWnd item;
    EXPECT_TRUE(item.AttachDlgItem(parent.m_hWnd, 42, true));
    EXPECT_EQ(&item, FindWnd(hChild));
    CWnd missing;
    EXPECT_FALSE(missing.AttachDlgItem(parent.m_hWnd, 43, true));
    DestroyWindow(parent.m_hWnd);
    EXPECT_EQ(nullptr, item.m_hWnd);   // destroyed with its parent: detached
}

TEST(CWndDetach, NeverCreatedObjectOnlyClearsItsState)
{
    CWnd wnd;
    wnd.m_bMainWnd = true;
    wnd.m_hOwnBrush = CreateSolidBrush(RGB(1, 2, 3));
    const HBRUSH hBrush = wnd.m_hOwnBrush;
    wnd.Detach();
    EXPECT_FALSE(wnd.m_bMainWnd);
    EXPECT_EQ(nullptr, wnd.m_hOwnBrush);
    EXPECT_TRUE(wnd.m_bDetached);
    EXPECT_EQ(0u, GetObjectType(hBrush));   // deleted
    EXPECT_EQ(0, wnd.DoModal(0));            // no window: no loop to wait in
}

TEST(CWndDetach, MainWindowDestructionDeletesTheTooltipAndQuits)
{
    PumpMessages();
    CProbeWnd other;
    ASSERT_NE(nullptr, other.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    DestroyWindow(other.m_hWnd);
    EXPECT_EQ(0, PumpMessages().quitCount);

    int deleted = 0;
    g_pToolTip = new CCountedToolTip(&deleted);
    CProbeWnd main;
    main.SetMainWindow();
    ASSERT_NE(nullptr, main.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    EXPECT_EQ(main.m_hWnd, g_hMainWnd);
    const HWND hMain = main.m_hWnd;
    main.destroyResult = 7;
    DestroyWindow(hMain);

    EXPECT_EQ(1, deleted);
    EXPECT_EQ(nullptr, g_pToolTip);
    EXPECT_EQ(hMain, g_hMainWnd);   // the main window stays known
    const PumpResult pumped = PumpMessages();
    EXPECT_EQ(1, pumped.quitCount);
    EXPECT_EQ(7u, pumped.lastQuitCode);
    g_hMainWnd = NULL;
}

TEST(CWndModal, LoopEndsWithTheWindowAndReturnsItsResult)
{
    class CClosingWnd : public CProbeWnd {
    public:
        void OnTimer(UINT) override { ::DestroyWindow(m_hWnd); }
    } wnd;
    ASSERT_NE(nullptr, wnd.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    wnd.destroyResult = 42;
    wnd.SetTimer(1, 10);
    // A quit message in the queue does not end the loop.
    PostQuitMessage(3);
    EXPECT_EQ(42, wnd.DoModal(0));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    PumpMessages();
}

TEST(CWndCopy, CopiesReferToTheWindowButAreNotBound)
{
    CProbeWnd source;
    ASSERT_NE(nullptr, source.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL));
    source.m_nResult = 5;
    source.m_clrOwnBackNorm = RGB(9, 8, 7);

    CWnd copy(source);
    EXPECT_EQ(source.m_hWnd, copy.m_hWnd);
    EXPECT_EQ(5, copy.m_nResult);
    EXPECT_EQ(RGB(9, 8, 7), copy.m_clrOwnBackNorm);
    EXPECT_EQ(&source, FindWnd(source.m_hWnd));

    CWnd assigned;
    assigned = source;
    EXPECT_EQ(source.m_hWnd, assigned.m_hWnd);
    EXPECT_EQ(&source, FindWnd(source.m_hWnd));

    // Destroying the copies must leave the source bound.
    copy.m_hWnd = NULL;
    assigned.m_hWnd = NULL;
    DestroyWindow(source.m_hWnd);
}

TEST(CWndConstruct, SystemColoursAndUnsetOwnColours)
{
    CWnd wnd;
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), wnd.m_clrText);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), wnd.m_clrBack);
    EXPECT_EQ(CLR_INVALID, wnd.m_clrTextNorm);
    EXPECT_EQ(CLR_INVALID, wnd.m_clrOwnBackFocus);
    EXPECT_EQ(GetSysColor(COLOR_HOTLIGHT), wnd.m_clrSysTextOver);
    const COLORREF hot = GetSysColor(COLOR_HOTLIGHT);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    // The midpoint of the hot and the normal text colour, channel by channel.
    auto mid = [](int a, int b) { return a + MulDiv(b - a, 1, 2); };
    EXPECT_EQ(RGB(mid(GetRValue(hot), GetRValue(text)), mid(GetGValue(hot), GetGValue(text)),
                  mid(GetBValue(hot), GetBValue(text))),
              wnd.m_clrSysTextDown);
    EXPECT_EQ(-1, wnd.m_ptMouse.x);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(DefWindowProcA), wnd.m_pfnPrevWndProc);
}
