// Window and application data in the real registry, under a section of the
// test's own that is erased afterwards.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include "common/TestUtil.h"
#include "frame/Globals_int.h"
#include "wnd/CWnd.h"

namespace {

class CWndData : public ::testing::Test {
protected:
    TestRegSection section{"wnd-data"};
    const char* savedSection = nullptr;
    void SetUp() override
    {
        savedSection = g_pszRegSection;
        g_pszRegSection = section.path();
    }
    void TearDown() override { g_pszRegSection = savedSection; }

    std::string Key(const char* sub) const
    {
        return sub != NULL ? std::string(section.path()) + "\\" + sub : section.path();
    }
    bool KeyExists(const char* sub) const
    {
        HKEY h;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Key(sub).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        RegCloseKey(h);
        return true;
    }
    // The stored type and size of a value, or type REG_NONE and size 0 when missing.
    std::pair<DWORD, DWORD> Stored(const char* sub, const char* name) const
    {
        DWORD type = REG_NONE, size = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, Key(sub).c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, NULL,
                         &size) != ERROR_SUCCESS)
            return {REG_NONE, 0};
        return {type, size};
    }
    void WriteRaw(const char* sub, const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY h;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, Key(sub).c_str(), &h));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(h, name, 0, type, static_cast<const BYTE*>(data), size));
        RegCloseKey(h);
    }
};

}  // namespace

TEST_F(CWndData, ValuesRoundTripWithTheirTypes)
{
    CWnd wnd;
    wnd.m_pszRegKey = "Main";
    EXPECT_TRUE(wnd.SaveRegData("nCount", -7));
    EXPECT_TRUE(wnd.SaveAppData("uTotal", 0xFFFFFFF0u));
    EXPECT_TRUE(CWnd::SaveAppFlag("bFlag", true));
    EXPECT_EQ(std::make_pair(DWORD(REG_DWORD), DWORD(4)), Stored("Main", "nCount"));
    EXPECT_EQ(std::make_pair(DWORD(REG_DWORD), DWORD(4)), Stored(NULL, "uTotal"));
    EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), DWORD(1)), Stored(NULL, "bFlag"));

    int n = 0;
    unsigned int u = 0;
    bool b = false;
    EXPECT_TRUE(wnd.LoadRegData("nCount", n));
    EXPECT_TRUE(wnd.LoadAppData("uTotal", u));
    EXPECT_TRUE(CWnd::LoadAppFlag("bFlag", b));
    EXPECT_EQ(-7, n);
    EXPECT_EQ(0xFFFFFFF0u, u);
    EXPECT_TRUE(b);
}

TEST_F(CWndData, FailedReadsLeaveTheVariableButCreateTheKey)
{
    CWnd wnd;
    wnd.m_pszRegKey = "Fresh";
    int value = 1234;
    EXPECT_FALSE(wnd.LoadRegData("nMissing", value));
    EXPECT_EQ(1234, value);
    EXPECT_TRUE(KeyExists("Fresh"));

    // A one-byte binary value changes only the low byte.
    const BYTE one = 0x5A;
    WriteRaw("Fresh", "nByte", REG_BINARY, &one, 1);
    value = 0x11223344;
    EXPECT_TRUE(wnd.LoadRegData("nByte", value));
    EXPECT_EQ(0x1122335A, value);

    // A value too large for four bytes fails and changes nothing.
    const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    WriteRaw("Fresh", "nWide", REG_BINARY, eight, sizeof(eight));
    EXPECT_FALSE(wnd.LoadRegData("nWide", value));
    EXPECT_EQ(0x1122335A, value);
}

TEST_F(CWndData, WindowRecordFollowsTheKindRules)
{
    CWnd wnd;
    wnd.m_pszRegKey = "Dlg";
    SetRect(&wnd.m_rcWindow, -10, 20, 300, 400);
    struct {
        int kind;
        bool written;
    } saves[] = {{3, false}, {-1, false}, {2, true}};
    for (const auto& s : saves) {
        RegDeleteTreeA(HKEY_CURRENT_USER, section.path());
        wnd.SaveData(s.kind);
        EXPECT_EQ(s.written ? std::make_pair(DWORD(REG_BINARY), DWORD(16)) : std::make_pair(DWORD(REG_NONE), DWORD(0)),
                  Stored("Dlg", NULL))
            << "kind " << s.kind;
    }
    wnd.SaveData(0);

    CWnd other;
    other.m_pszRegKey = "Dlg";
    EXPECT_EQ(0, other.LoadData(1));
    EXPECT_EQ(0, other.m_rcWindow.right);
    EXPECT_NE(0, other.LoadData(0));
    EXPECT_TRUE(EqualRect(&wnd.m_rcWindow, &other.m_rcWindow));

    // A shorter record overwrites only its leading bytes.
    const LONG eight[2] = {1, 2};
    WriteRaw("Dlg", NULL, REG_BINARY, eight, sizeof(eight));
    EXPECT_NE(0, other.LoadData(0));
    EXPECT_EQ(1, other.m_rcWindow.left);
    EXPECT_EQ(2, other.m_rcWindow.top);
    EXPECT_EQ(300, other.m_rcWindow.right);
}

TEST_F(CWndData, WithoutAKeyOnlyTheSectionIsUsed)
{
    CWnd wnd;
    RegDeleteTreeA(HKEY_CURRENT_USER, section.path());
    SetRect(&wnd.m_rcWindow, 1, 2, 3, 4);
    wnd.SaveData(0);
    EXPECT_EQ(0, wnd.LoadData(0));
    EXPECT_FALSE(KeyExists(NULL));

    EXPECT_TRUE(wnd.SaveRegData("nInSection", 5));
    EXPECT_EQ(std::make_pair(DWORD(REG_DWORD), DWORD(4)), Stored(NULL, "nInSection"));
    int v = 0;
    EXPECT_TRUE(wnd.LoadRegData("nInSection", v));
    EXPECT_EQ(5, v);
}

TEST_F(CWndData, WindowComesBackWhereItWas)
{
    RECT placed;
    {
        CWnd wnd;
        wnd.m_pszRegKey = "Game";
        ASSERT_NE(nullptr, wnd.CreateEx(0, NULL, NULL, WS_POPUP, 10, 10, 200, 150, NULL, NULL, NULL));
        wnd.MoveWindow(123, 45, 210, 160, false);
        placed = wnd.m_rcWindow;
        wnd.SaveData(0);
        wnd.DestroyWindow();
    }
    EXPECT_EQ(123, placed.left);
    EXPECT_EQ(205, placed.bottom);

    CWnd again;
    again.m_pszRegKey = "Game";
    ASSERT_NE(0, again.LoadData(0));
    EXPECT_TRUE(EqualRect(&placed, &again.m_rcWindow));
    ASSERT_NE(nullptr, again.CreateEx(0, NULL, NULL, WS_POPUP, again.m_rcWindow.left, again.m_rcWindow.top,
                                      again.m_rcWindow.right - again.m_rcWindow.left,
                                      again.m_rcWindow.bottom - again.m_rcWindow.top, NULL, NULL, NULL));
    RECT rc;
    again.GetWindowRect(&rc);
    EXPECT_TRUE(EqualRect(&placed, &rc));
    again.DestroyWindow();
}

TEST_F(CWndData, CheckBoxesAndItemTexts)
{
    CWnd dlg;
    ASSERT_NE(nullptr, dlg.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL));
    CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_AUTO3STATE, 0, 0, 20, 20, dlg.m_hWnd,
                    reinterpret_cast<HMENU>(10), NULL, NULL);
    CreateWindowExA(0, "STATIC", "old", WS_CHILD, 0, 30, 50, 20, dlg.m_hWnd, reinterpret_cast<HMENU>(11), NULL, NULL);

    struct {
        WPARAM state;
        BYTE stored;
    } cases[] = {{BST_CHECKED, 1}, {BST_UNCHECKED, 0}, {BST_INDETERMINATE, 2}};
    for (const auto& c : cases) {
        SendDlgItemMessageA(dlg.m_hWnd, 10, BM_SETCHECK, c.state, 0);
        bool checked = false;
        dlg.GetCtrlData(10, checked);
        BYTE byte;
        memcpy(&byte, &checked, 1);
        EXPECT_EQ(c.stored, byte);
    }
    bool none = true;
    dlg.GetCtrlData(99, none);
    EXPECT_FALSE(none);
    dlg.SetCtrlData(10, true);
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(dlg.m_hWnd, 10, BM_GETCHECK, 0, 0));

    dlg.SetItemText(11, "new");
    char text[16] = "";
    dlg.GetItemText(11, text, sizeof(text));
    EXPECT_STREQ("new", text);
    dlg.SetItemText(99, "ignored");
    dlg.DestroyWindow();
}
