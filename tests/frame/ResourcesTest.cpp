#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "frame/CResources.h"
#include "frame/CmnDllConfig.h"
#include "frame/Globals_int.h"
#include "frame/ResModules_int.h"
#include "frame/ResourceSearch_int.h"

namespace {

// Which module a resource is expected in: the test program stands for the
// library, resmod1.dll and resmod2.dll for the host's two modules.
enum Where { kNowhere, kLibrary, kFirst, kSecond };

const std::string kLong64E = std::string(63, 'L') + "E";
const std::string kLong63E = std::string(62, 'M') + "E";
const std::string kLong63F = std::string(62, 'M') + "F";

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_first = LoadLibraryA("resmod1.dll");
        s_second = LoadLibraryA("resmod2.dll");
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_first) << "resmod1.dll next to the test program";
        ASSERT_NE(nullptr, s_second) << "resmod2.dll next to the test program";
        m_language = g_nLanguage;
        m_resInstance = g_hResInstance;
        SetCmnDllResources(s_first, s_second);
    }

    void TearDown() override
    {
        g_nLanguage = m_language;
        g_hResInstance = m_resInstance;
        ResModulesReset(g_hDllInstance);
    }

    static HINSTANCE Module(Where where)
    {
        switch (where) {
        case kLibrary: return g_hDllInstance;
        case kFirst: return s_first;
        case kSecond: return s_second;
        default: return NULL;
        }
    }

    static SIZE BitmapSize(HBITMAP hbm)
    {
        BITMAP bm = {};
        GetObjectA(hbm, sizeof(bm), &bm);
        return SIZE{ bm.bmWidth, bm.bmHeight };
    }

    static const WORD* Words(void* data) { return static_cast<const WORD*>(data); }

    static HINSTANCE s_first;
    static HINSTANCE s_second;
    int m_language = 0;
    HINSTANCE m_resInstance = NULL;
};

HINSTANCE ResourcesTest::s_first = NULL;
HINSTANCE ResourcesTest::s_second = NULL;

TEST_F(ResourcesTest, FindDialogTriesTheLanguageVariantOverAllModulesFirst)
{
    const struct {
        int language;
        unsigned int id;
        Where where;
        unsigned int foundId;
    } cases[] = {
        { 0, 100, kLibrary, 100 },
        { 1, 100, kLibrary, 101 },
        { 2, 100, kLibrary, 102 },
        { 3, 100, kLibrary, 100 },   // 103 does not exist
        { 1, 300, kSecond, 301 },    // the variant in a later module beats the plain one
        { 2, 300, kLibrary, 300 },
        { 0, 301, kSecond, 301 },
        { 1, 0x10064, kLibrary, 101 },   // only the low 16 bits count
        { 0, 999, kNowhere, 0 },
        { 1, 999, kNowhere, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "language " << c.language << ", id " << c.id);
        g_nLanguage = c.language;
        HINSTANCE module = reinterpret_cast<HINSTANCE>(1);
        unsigned int foundId = 12345;
        const HRSRC hRes = CResources::FindDialog(c.id, &module, &foundId);
        if (c.where == kNowhere) {
            EXPECT_EQ(nullptr, hRes);
            EXPECT_EQ(reinterpret_cast<HINSTANCE>(1), module);   // untouched on failure
            EXPECT_EQ(12345u, foundId);
            continue;
        }
        ASSERT_NE(nullptr, hRes);
        EXPECT_EQ(Module(c.where), module);
        EXPECT_EQ(c.foundId, foundId);
        EXPECT_EQ(hRes, CResources::FindDialog(c.id, NULL, NULL));
    }
}

TEST_F(ResourcesTest, FindBitmapByNameTriesTheNameWithTheLanguageLetter)
{
    const struct {
        int language;
        const char* name;
        const char* found;   // NULL: nothing found
    } cases[] = {
        { 0, "PICTE", "PICTE" },
        { 2, "PICTE", "PICTF" },
        { 1, "PICTE", "PICTE" },   // no PICTR
        { 3, "PICTE", "PICTE" },   // no PICTG
        { 2, "PICTX", "PICTX" },   // not ending in E: no variant
        { 2, "picte", "picte" },   // a lower-case e is no language mark
        { 2, kLong63E.c_str(), kLong63F.c_str() },
        { 2, "NOSUCHE", NULL },
        { 2, "", NULL },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "language " << c.language << ", name " << c.name);
        g_nLanguage = c.language;
        HINSTANCE module = NULL;
        char found[kResNameMax] = "untouched";
        const HRSRC hRes = CResources::FindBitmap(c.name, &module, found);
        if (c.found == NULL) {
            EXPECT_EQ(nullptr, hRes);
            EXPECT_STREQ("untouched", found);
            continue;
        }
        ASSERT_NE(nullptr, hRes);
        EXPECT_EQ(g_hDllInstance, module);
        EXPECT_STREQ(c.found, found);
    }
}

TEST_F(ResourcesTest, NamesOf64CharactersAreSearchedAsTheyAreAndReportedWithoutOverrun)
{
    g_nLanguage = 2;
    char found[100];
    memset(found, 'x', sizeof(found));
    ASSERT_NE(nullptr, CResources::FindBitmap(kLong64E.c_str(), NULL, found));
    // The F form exists too; a long name must not have been turned into it.
    // The reported name is cut to what 64 bytes hold, and nothing beyond.
    EXPECT_EQ(kLong64E.substr(0, 63), std::string(found));
    EXPECT_EQ('x', found[64]);
}

TEST_F(ResourcesTest, NumericNamesAreSearchedAsTheyAre)
{
    g_nLanguage = 1;
    HINSTANCE module = NULL;
    char found[kResNameMax] = "untouched";
    // Dialog 100 has a Russian variant 101; a numeric name gets none.
    const HRSRC hRes = CResources::FindDialog(MAKEINTRESOURCEA(100), &module, found);
    ASSERT_NE(nullptr, hRes);
    EXPECT_EQ(hRes, FindResourceA(g_hDllInstance, MAKEINTRESOURCEA(100), RT_DIALOG));
    EXPECT_STREQ("untouched", found);
}

TEST_F(ResourcesTest, LoadBitmapTakesTheFirstModuleInListOrderAndNoVariant)
{
    const struct {
        int language;
        unsigned int id;
        int width;   // 0: not found
    } cases[] = {
        { 0, 500, 8 },    // library before the first module
        { 0, 510, 16 },   // first module before the second
        { 0, 520, 24 },
        { 0, 530, 0 },
        { 1, 509, 0 },    // 510 exists, but bitmaps are loaded by the plain id
        { 1, 500, 8 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "language " << c.language << ", id " << c.id);
        g_nLanguage = c.language;
        const HBITMAP hbm = CResources::LoadBitmap(c.id);
        if (c.width == 0) {
            EXPECT_EQ(nullptr, hbm);
            continue;
        }
        ASSERT_NE(nullptr, hbm);
        EXPECT_EQ(c.width, BitmapSize(hbm).cx);
        DeleteObject(hbm);
    }
}

TEST_F(ResourcesTest, IconsCursorsAndImageLists)
{
    const HICON hIcon = CResources::LoadIcon(600);
    ASSERT_NE(nullptr, hIcon);
    DestroyIcon(hIcon);
    EXPECT_EQ(nullptr, CResources::LoadIcon(601));

    const HCURSOR hCursor = CResources::LoadCursor(610);
    ASSERT_NE(nullptr, hCursor);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(hCursor, &info));
    EXPECT_FALSE(info.fIcon);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(nullptr, CResources::LoadCursor(611));

    const HIMAGELIST hList = CResources::LoadImageList(700, 16, 1, CLR_NONE);
    ASSERT_NE(nullptr, hList);
    EXPECT_EQ(3, ImageList_GetImageCount(hList));
    ImageList_Destroy(hList);
    EXPECT_EQ(nullptr, CResources::LoadImageList(701, 16, 1, CLR_NONE));
}

TEST_F(ResourcesTest, SmallIconIsScaledFromTheOnlyLargeImage)
{
    const HICON hIcon = CResources::LoadSmallIcon(600);
    ASSERT_NE(nullptr, hIcon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(hIcon, &info));
    const HBITMAP hbm = info.hbmColor != NULL ? info.hbmColor : info.hbmMask;
    const SIZE size = BitmapSize(hbm);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), size.cx);
    EXPECT_EQ(GetSystemMetrics(SM_CYSMICON) * (info.hbmColor != NULL ? 1 : 2), size.cy);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(hIcon);
    EXPECT_EQ(nullptr, CResources::LoadSmallIcon(601));
}

TEST_F(ResourcesTest, ToolBarsByIdAndByNameWithVariants)
{
    const struct {
        int language;
        unsigned int id;
        WORD count;   // the fourth word of the toolbar layout
    } byId[] = {
        { 0, 800, 3 },
        { 2, 800, 2 },   // variant 802
        { 1, 800, 3 },   // no 801
    };
    for (const auto& c : byId) {
        SCOPED_TRACE(testing::Message() << "language " << c.language);
        g_nLanguage = c.language;
        void* data = CResources::LoadToolBar(c.id);
        ASSERT_NE(nullptr, data);
        EXPECT_EQ(1, Words(data)[0]);
        EXPECT_EQ(c.count, Words(data)[3]);
        unsigned int foundId = 0;
        EXPECT_NE(nullptr, CResources::FindToolBar(c.id, NULL, &foundId));
        EXPECT_EQ(c.count == 2 ? 802u : 800u, foundId);
    }
    g_nLanguage = 0;
    const WORD expected[] = { 1, 16, 15, 3, 101, 0, 102 };
    EXPECT_EQ(0, memcmp(expected, CResources::LoadToolBar(800), sizeof(expected)));
    EXPECT_EQ(nullptr, CResources::LoadToolBar(810));

    g_nLanguage = 2;
    void* named = CResources::LoadToolBar("TOOLBARE");   // no TOOLBARF
    ASSERT_NE(nullptr, named);
    EXPECT_EQ(24, Words(named)[1]);
    EXPECT_EQ(nullptr, CResources::LoadToolBar("TOOLBARX"));
}

TEST_F(ResourcesTest, TextFileDataWithSize)
{
    const std::string english = "About the test program.\r\nSecond line.";
    const std::string russian = "Russian about text.";
    const struct {
        int language;
        const std::string* text;
    } cases[] = {
        { 0, &english },
        { 1, &russian },   // 901, in the second module
        { 2, &english },   // no 902
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "language " << c.language);
        g_nLanguage = c.language;
        DWORD size = 0;
        const char* data = static_cast<const char*>(LoadById("TextFile", 900, &size));
        ASSERT_NE(nullptr, data);
        EXPECT_EQ(*c.text, std::string(data, size));
    }
    g_nLanguage = 0;
    DWORD size = 77;
    EXPECT_EQ(nullptr, LoadById("TextFile", 905, &size));
    EXPECT_EQ(77u, size);
    EXPECT_NE(nullptr, LoadById("TextFile", 900, NULL));
}

TEST_F(ResourcesTest, LoadStringResTakesTheFirstModuleWithTheString)
{
    const struct {
        int language;
        unsigned int id;
        const char* text;   // NULL: no module has it
    } cases[] = {
        { 0, 1000, "Library string" },
        { 0, 1001, "Second module string" },
        { 0, 1002, "First module string" },
        { 0, 1003, NULL },
        { 1, 999, NULL },   // strings have no language variant
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "id " << c.id);
        g_nLanguage = c.language;
        char buffer[64];
        const int length = LoadStringRes(c.id, buffer, sizeof(buffer));
        if (c.text == NULL) {
            EXPECT_EQ(0, length);
            continue;
        }
        EXPECT_EQ(static_cast<int>(strlen(c.text)), length);
        EXPECT_STREQ(c.text, buffer);
    }

    char small[4] = "xyz";
    EXPECT_EQ(3, LoadStringRes(1000, small, sizeof(small)));
    EXPECT_STREQ("Lib", small);
    EXPECT_EQ(0, LoadStringRes(1000, small, 0));
    EXPECT_EQ(0, LoadStringRes(1000, NULL, 10));
}

TEST_F(ResourcesTest, StringBlocksAreFoundById)
{
    // Strings 992..1007 share block 63.
    HINSTANCE module = NULL;
    unsigned int foundId = 0;
    EXPECT_NE(nullptr, CResources::FindString(63, &module, &foundId));
    EXPECT_EQ(g_hDllInstance, module);
    EXPECT_EQ(63u, foundId);
}

}  // namespace
