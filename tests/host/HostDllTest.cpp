// Loads the real cmndll.dll the way a host does and drives it through its
// exported interface only: a class derived from the exported CWnd, the
// configuration calls and the registered application-name message.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include <cmndll.h>

namespace {

// A host window class: overrides across the whole virtual table must reach
// the host's code when the library dispatches.
class CHostWnd : public CWnd {
public:
    std::vector<std::string> calls;
    BOOL OnCreate(CREATESTRUCTA* pCS) override
    {
        calls.push_back(m_hWnd != NULL ? "OnCreate(bound)" : "OnCreate(unbound)");
        return CWnd::OnCreate(pCS);
    }
    void OnSize(UINT uType, int cx, int cy) override
    {
        calls.push_back("OnSize");
        CWnd::OnSize(uType, cx, cy);
    }
    void OnLClick(int, int, UINT) override { calls.push_back("OnLClick"); }
    int LoadData(int) override
    {
        calls.push_back("LoadData");
        return 0;
    }
    void OnDestroy() override
    {
        calls.push_back("OnDestroy");
        CWnd::OnDestroy();
    }
};

}  // namespace

TEST(HostDll, DerivedWindowReceivesItsMessages)
{
    CHostWnd wnd;
    HWND hWnd = wnd.CreateEx(0, "HostDllTestClass", "host", WS_POPUP, 0, 0, 200, 100, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(&wnd, CWnd::GetWindow(hWnd));
    SendMessageA(hWnd, WM_SIZE, 0, MAKELPARAM(20, 10));
    SendMessageA(hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    DestroyWindow(hWnd);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ("OnCreate(bound)", wnd.calls.front());
    EXPECT_EQ("OnDestroy", wnd.calls.back());
    EXPECT_NE(wnd.calls.end(), std::find(wnd.calls.begin(), wnd.calls.end(), "OnLClick"));
}

TEST(HostDll, ConfigurationReachesTheLibrary)
{
    SetCmnDllRegSection("Software\\cmndll-tests\\host", "CmnHostDllTest");
    CWnd wnd;
    HWND hWnd = wnd.Create();
    ASSERT_NE(nullptr, hWnd);
    const UINT uAppName = RegisterWindowMessageA("CmnHostDllTest");
    // No main window yet: the window answers with itself.
    EXPECT_EQ(reinterpret_cast<LRESULT>(hWnd), SendMessageA(hWnd, uAppName, 0, 0));

    CWnd main;
    main.SetMainWindow();
    ASSERT_NE(nullptr, main.Create());
    EXPECT_EQ(reinterpret_cast<LRESULT>(main.m_hWnd), SendMessageA(hWnd, uAppName, 0, 0));

    // Destroying the main window ends the host's message loop.
    main.m_nResult = 3;
    DestroyWindow(main.m_hWnd);
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT && msg.wParam == 3)
            quit = true;
    EXPECT_TRUE(quit);
    DestroyWindow(hWnd);
}

TEST(HostDll, SubclassedControlThroughTheDll)
{
    HWND hEdit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    CWnd wrapper;
    ASSERT_TRUE(wrapper.Attach(hEdit, true));
    wrapper.SetWindowTextA("through");
    char text[16] = "";
    GetWindowTextA(hEdit, text, sizeof(text));
    EXPECT_STREQ("through", text);
    wrapper.Detach();
    EXPECT_EQ(nullptr, CWnd::GetWindow(hEdit));
    DestroyWindow(hEdit);
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
