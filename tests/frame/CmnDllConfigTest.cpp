// The host's configuration calls and the library's defaults.
#include <windows.h>
#include <gtest/gtest.h>
#include "frame/CmnDllConfig.h"
#include "frame/Globals_int.h"
#include "frame/ResModules_int.h"

namespace {

// Restores the configuration a test changed.
class CmnDllConfig : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetCmnDllResources(NULL, NULL);
        g_hResInstance = g_hDllInstance;
        SetCmnDllRegSection(g_pszDefaultRegSection, g_pszDefaultAppName);
        g_hMainWnd = NULL;
    }
};

HINSTANCE Fake(UINT_PTR v) { return reinterpret_cast<HINSTANCE>(v); }

}  // namespace

TEST_F(CmnDllConfig, DefaultsBeforeAnyCall)
{
    EXPECT_STREQ("Software\\Varnholt\\Tessary", g_pszRegSection);
    EXPECT_STREQ("Tessary", g_pszAppName);
    EXPECT_EQ(RegisterWindowMessageA("Tessary"), g_uAppNameMsg);
    EXPECT_EQ(RegisterWindowMessageA("QueryCancelAutoPlay"), g_uQueryCancelAutoPlayMsg);
    EXPECT_EQ(GetModuleHandleA(NULL), g_hDllInstance);
    EXPECT_EQ(g_hDllInstance, g_hResInstance);
    ASSERT_EQ(1, ResModulesCount());
    EXPECT_EQ(g_hDllInstance, ResModuleAt(0));
    EXPECT_EQ(0, g_nLanguage);
    EXPECT_TRUE(g_bOwnerDrawn && g_bSystemColor && g_bGradientColor && g_bTransparent && g_bEnableToolTips);
    EXPECT_EQ(4000u, g_dwToolTipPopup);
    EXPECT_EQ(700u, g_dwToolTipInitial);
    EXPECT_FALSE(g_bToolTipsAvailable);
    EXPECT_TRUE(g_bPrefsPending);
    EXPECT_EQ(2, g_nEditMarginLeft);
    EXPECT_EQ(HKEY_CURRENT_USER, g_hkeyDataRoot);
    EXPECT_EQ(nullptr, g_hMainWnd);
}

TEST_F(CmnDllConfig, ResourceModulesAreListedLibraryFirst)
{
    struct {
        HINSTANCE first, second;
        int count;
        HINSTANCE listed1, listed2;
        HINSTANCE resInstance;
    } cases[] = {
        {NULL, NULL, 1, NULL, NULL, NULL},            // g_hResInstance unchanged
        {Fake(0x1000), NULL, 2, Fake(0x1000), NULL, Fake(0x1000)},
        {Fake(0x1000), Fake(0x2000), 3, Fake(0x1000), Fake(0x2000), Fake(0x2000)},
        {NULL, Fake(0x2000), 2, Fake(0x2000), NULL, Fake(0x2000)},
        {Fake(0x1000), Fake(0x1000), 3, Fake(0x1000), Fake(0x1000), Fake(0x1000)},
    };
    for (const auto& c : cases) {
        g_hResInstance = Fake(0x9000);
        SetCmnDllResources(c.first, c.second);
        ASSERT_EQ(c.count, ResModulesCount());
        EXPECT_EQ(g_hDllInstance, ResModuleAt(0));
        EXPECT_EQ(c.listed1, ResModuleAt(1));
        EXPECT_EQ(c.listed2, ResModuleAt(2));
        EXPECT_EQ(c.resInstance != NULL ? c.resInstance : Fake(0x9000), g_hResInstance);
    }
    // With nothing given and no module yet, the library's own module serves.
    g_hResInstance = NULL;
    SetCmnDllResources(NULL, NULL);
    EXPECT_EQ(g_hDllInstance, g_hResInstance);
}

TEST_F(CmnDllConfig, SectionAndApplicationName)
{
    static const char kSection[] = "Software\\cmndll-tests\\config";
    const UINT uBefore = g_uAppNameMsg;
    SetCmnDllRegSection(kSection, NULL);
    EXPECT_EQ(kSection, g_pszRegSection);
    EXPECT_STREQ("Tessary", g_pszAppName);
    EXPECT_EQ(uBefore, g_uAppNameMsg);

    static const char kName[] = "CmnConfigTestApp";
    SetCmnDllRegSection(NULL, kName);
    EXPECT_EQ(nullptr, g_pszRegSection);
    EXPECT_EQ(kName, g_pszAppName);
    EXPECT_EQ(RegisterWindowMessageA(kName), g_uAppNameMsg);
}

TEST_F(CmnDllConfig, MainWindowIsNeverCleared)
{
    HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    SetCmnDllMainWindow(hWnd);
    EXPECT_EQ(hWnd, g_hMainWnd);
    SetCmnDllMainWindow(NULL);
    EXPECT_EQ(hWnd, g_hMainWnd);
    DestroyWindow(hWnd);
}
