#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "base/CString.h"
#include "common/TestUtil.h"
#include "registry/CRegistryKey.h"

namespace {

// Shows the composed path, which the class keeps to itself.
class KeyProbe : public CRegistryKey {
public:
    using CRegistryKey::CRegistryKey;
    std::string Path() const { return path; }
};

struct RawValue {
    bool exists = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

RawValue ReadRaw(const std::string& keyPath, const char* name)
{
    RawValue value;
    HKEY hKey = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(hKey, name, NULL, &value.type, NULL, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.exists = RegQueryValueExA(hKey, name, NULL, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(hKey);
    return value;
}

bool KeyExists(const std::string& keyPath)
{
    HKEY hKey = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

class CRegistryKeyTest : public ::testing::Test {
protected:
    CRegistryKeyTest() : m_section(testing::UnitTest::GetInstance()->current_test_info()->name()) {}

    std::string Section() const { return m_section.path(); }

    TestRegSection m_section;
};

TEST_F(CRegistryKeyTest, ANewKeyIsNotOpenAndRefusesEverything)
{
    // A value directly under HKEY_CURRENT_USER: a key that is not open must
    // not read it although its handle field holds that root.
    HKEY hRoot = HKEY_CURRENT_USER;
    const BYTE one = 1;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(hRoot, "cmndll-test-probe", 0, REG_BINARY, &one, 1));

    CRegistryKey key;
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(HKEY_CURRENT_USER, static_cast<HKEY>(key));
    EXPECT_EQ(0, key.SetValue("v", true));
    EXPECT_EQ(0, key.SetValue("v", "text"));
    EXPECT_EQ(0, key.SetValue("v", "ab", 2));
    EXPECT_EQ(0, key.SetValue("v", 5));
    EXPECT_EQ(0, key.SetValue("v", 5u));
    EXPECT_EQ(0, key.DeleteValue("cmndll-test-probe"));

    bool flag = false;
    int number = -1;
    CString text("unchanged");
    EXPECT_EQ(0, key.GetValue("cmndll-test-probe", flag));
    EXPECT_FALSE(flag);
    EXPECT_EQ(0, key.GetValue("cmndll-test-probe", number));
    EXPECT_EQ(-1, number);
    EXPECT_EQ(0, key.GetValue("cmndll-test-probe", text));
    EXPECT_STREQ("unchanged", text);

    RegDeleteValueA(hRoot, "cmndll-test-probe");
}

TEST_F(CRegistryKeyTest, AnEmptyPathStandsForTheRootItself)
{
    ASSERT_TRUE(CRegistryKey(Section().c_str(), HKEY_CURRENT_USER, false).IsOpen());
    for (const char* path : { static_cast<const char*>(nullptr), "" }) {
        {
            CRegistryKey root(path, HKEY_CURRENT_USER, true);
            EXPECT_TRUE(root.IsOpen());
            EXPECT_EQ(HKEY_CURRENT_USER, static_cast<HKEY>(root));
        }
        // Still usable: destroying the object did not close the root.
        HKEY hKey = NULL;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyA(HKEY_CURRENT_USER, Section().c_str(), &hKey));
        RegCloseKey(hKey);
    }
}

TEST_F(CRegistryKeyTest, PathsAreJoinedWithExactlyOneBackslash)
{
    const std::string s = Section();
    const std::string underRoot = s + "\\e";
    const struct {
        std::string path;
        const char* subPath;
        std::string expected;
    } cases[] = {
        { s + "\\a", "b", s + "\\a\\b" },
        { s + "\\a\\", "b", s + "\\a\\b" },
        { s + "\\c", "", s + "\\c" },
        { s + "\\d", nullptr, s + "\\d" },
        { "", underRoot.c_str(), underRoot },   // no leading backslash
        { s + "\\f", "g\\h", s + "\\f\\g\\h" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        KeyProbe key(c.path.c_str(), c.subPath, HKEY_CURRENT_USER, false);
        ASSERT_TRUE(key.IsOpen());
        EXPECT_EQ(c.expected, key.Path());
        EXPECT_EQ(1, key.SetValue("here", 1));
        EXPECT_TRUE(ReadRaw(c.expected, "here").exists);
    }
}

TEST_F(CRegistryKeyTest, OpenFailsCleanlyForMissingKeysAndOverlongPaths)
{
    const std::string missing = Section() + "\\missing";
    for (HKEY root : { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE }) {
        KeyProbe key(missing.c_str(), root, true);
        EXPECT_FALSE(key.IsOpen());
        EXPECT_EQ(HKEY_CURRENT_USER, static_cast<HKEY>(key));
        EXPECT_EQ("", key.Path());
        EXPECT_EQ(0, key.SetValue("v", 1));
    }
    EXPECT_FALSE(KeyExists(missing));

    // 1024 characters do not fit the path buffer, joined or not: refused,
    // with nothing written past it and nothing created.
    std::string head = Section();
    while (head.size() < 1000)
        head += "\\" + std::string(200, 'k');
    head.resize(1000);
    const std::string tail(1023 - head.size() - 1, 'y');
    KeyProbe joined;
    EXPECT_FALSE(joined.Create(head.c_str(), (tail + "z").c_str(), HKEY_CURRENT_USER));
    EXPECT_FALSE(joined.IsOpen());
    EXPECT_EQ("", joined.Path());
    KeyProbe whole;
    EXPECT_FALSE(whole.Create((head + "\\" + tail + "z").c_str(), HKEY_CURRENT_USER));
    EXPECT_FALSE(whole.IsOpen());
    EXPECT_FALSE(KeyExists(head));
}

TEST_F(CRegistryKeyTest, WritesStoreTheirTypeAndWidth)
{
    const std::string s = Section();
    CRegistryKey key(s.c_str(), HKEY_CURRENT_USER, false);
    ASSERT_TRUE(key.IsOpen());
    const BYTE bytes[] = { 9, 8, 7 };
    EXPECT_EQ(1, key.SetValue("bTrue", true));
    EXPECT_EQ(1, key.SetValue("bFalse", false));
    EXPECT_EQ(1, key.SetValue("szText", "text"));
    EXPECT_EQ(1, key.SetValue("szNull", static_cast<const char*>(nullptr)));
    EXPECT_EQ(1, key.SetValue("binary", bytes, 3));
    EXPECT_EQ(0, key.SetValue("negative", bytes, -1));
    EXPECT_EQ(1, key.SetValue("nInt", -2));
    EXPECT_EQ(1, key.SetValue("dwUint", 0x01020304u));

    const struct {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
    } cases[] = {
        { "bTrue", REG_BINARY, { 1 } },
        { "bFalse", REG_BINARY, { 0 } },
        { "szText", REG_SZ, { 't', 'e', 'x', 't', 0 } },
        { "szNull", REG_SZ, {} },
        { "binary", REG_BINARY, { 9, 8, 7 } },
        { "nInt", REG_DWORD, { 0xFE, 0xFF, 0xFF, 0xFF } },
        { "dwUint", REG_DWORD, { 4, 3, 2, 1 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RawValue raw = ReadRaw(s, c.name);
        ASSERT_TRUE(raw.exists);
        EXPECT_EQ(c.type, raw.type);
        EXPECT_EQ(c.data, raw.data);
    }
    EXPECT_FALSE(ReadRaw(s, "negative").exists);

    EXPECT_EQ(1, key.DeleteValue("binary"));
    EXPECT_FALSE(ReadRaw(s, "binary").exists);
    EXPECT_EQ(0, key.DeleteValue("binary"));
    EXPECT_EQ(0, key.Flush());
}

TEST_F(CRegistryKeyTest, ReadsSucceedWhenTheStoredDataFitsTheWidth)
{
    CRegistryKey key(Section().c_str(), HKEY_CURRENT_USER, false);
    ASSERT_TRUE(key.IsOpen());
    key.SetValue("bOne", true);
    key.SetValue("dwFour", 0x01020304u);

    bool flag = false;
    EXPECT_EQ(1, key.GetValue("bOne", flag));
    EXPECT_TRUE(flag);
    int number = 0x11223344;
    EXPECT_EQ(1, key.GetValue("bOne", number));   // one byte fits into four
    EXPECT_EQ(0x11223301, number);

    flag = false;
    char ch = 'c';
    unsigned char uch = 0xAA;
    EXPECT_EQ(0, key.GetValue("dwFour", flag));   // four bytes do not fit into one
    EXPECT_FALSE(flag);
    EXPECT_EQ(0, key.GetValue("dwFour", ch));
    EXPECT_EQ('c', ch);
    EXPECT_EQ(0, key.GetValue("dwFour", uch));
    EXPECT_EQ(0xAA, uch);
    EXPECT_EQ(1, key.GetValue("bOne", uch));
    EXPECT_EQ(1, uch);

    int i = 0;
    unsigned int u = 0;
    unsigned long ul = 0;
    int qi = 0;
    unsigned int qu = 0;
    EXPECT_EQ(1, key.GetValue("dwFour", i));
    EXPECT_EQ(1, key.GetValue("dwFour", u));
    EXPECT_EQ(1, key.GetValue("dwFour", ul));
    EXPECT_EQ(1, key.QueryValue("dwFour", qi));
    EXPECT_EQ(1, key.QueryValue("dwFour", qu));
    EXPECT_EQ(0x01020304, i);
    EXPECT_EQ(0x01020304u, u);
    EXPECT_EQ(0x01020304ul, ul);
    EXPECT_EQ(0x01020304, qi);
    EXPECT_EQ(0x01020304u, qu);

    i = 77;
    EXPECT_EQ(0, key.GetValue("missing", i));
    EXPECT_EQ(77, i);

    const BYTE ten[10] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 };
    key.SetValue("binary", ten, 10);
    BYTE data[16];
    memset(data, 0xEE, sizeof(data));
    unsigned long size = 4;
    EXPECT_EQ(0, key.GetValue("binary", data, &size));
    EXPECT_EQ(10ul, size);   // the stored size, as the platform reports it
    EXPECT_EQ(0xEE, data[0]);
    size = sizeof(data);
    EXPECT_EQ(1, key.GetValue("binary", data, &size));
    EXPECT_EQ(10ul, size);
    EXPECT_EQ(0, memcmp(ten, data, 10));
    EXPECT_EQ(0xEE, data[10]);
}

TEST_F(CRegistryKeyTest, TextIntoA512ByteBuffer)
{
    CRegistryKey key(Section().c_str(), HKEY_CURRENT_USER, false);
    ASSERT_TRUE(key.IsOpen());
    const std::string fits(511, 'f');
    const std::string tooLong(512, 'l');
    const std::string noZero(512, 'n');
    key.SetValue("fits", fits.c_str());
    key.SetValue("tooLong", tooLong.c_str());
    key.SetValue("noZero", noZero.data(), 512);
    key.SetValue("short", "abc", 3);   // binary, without terminator

    const struct {
        const char* name;
        int result;
        std::string text;
    } cases[] = {
        { "fits", 1, fits },
        { "tooLong", 0, "default" },
        { "noZero", 0, "default" },
        { "short", 1, "abc" },
        { "missing", 0, "default" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[600];
        memset(buffer, '#', sizeof(buffer));
        EXPECT_EQ(c.result, key.GetValue(c.name, buffer, "default"));
        EXPECT_EQ(c.text, std::string(buffer));
        EXPECT_EQ('#', buffer[512]);   // nothing beyond the 512 bytes
    }

    // A default that does not fit is cut to 511 characters.
    char buffer[600];
    memset(buffer, '#', sizeof(buffer));
    const std::string longDefault(700, 'd');
    EXPECT_EQ(0, key.GetValue("missing", buffer, longDefault.c_str()));
    EXPECT_EQ(std::string(511, 'd'), std::string(buffer));
    EXPECT_EQ('#', buffer[512]);
}

TEST_F(CRegistryKeyTest, TextOfAnySizeIntoACString)
{
    CRegistryKey key(Section().c_str(), HKEY_CURRENT_USER, false);
    ASSERT_TRUE(key.IsOpen());
    const std::string big(5000, 'b');
    const char embedded[] = { 'a', 'b', 0, 'c', 'd' };
    key.SetValue("szText", "a registry text");
    key.SetValue("binary", big.data(), static_cast<int>(big.size()));
    key.SetValue("embedded", embedded, sizeof(embedded));
    key.SetValue(nullptr, "default value");

    const struct {
        const char* name;
        int result;
        std::string text;
    } cases[] = {
        { "szText", 1, "a registry text" },
        { "binary", 1, big },   // every byte, no terminator needed
        { "embedded", 1, "ab" },
        { "", 1, "default value" },
        { "missing", 0, "unchanged" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CString text("unchanged");
        EXPECT_EQ(c.result, key.GetValue(c.name, text));
        EXPECT_EQ(c.text, std::string(text));
    }
}

TEST_F(CRegistryKeyTest, AssignmentOpensANewHandleToTheSameKey)
{
    const std::string s = Section();
    KeyProbe open(s.c_str(), "sub", HKEY_CURRENT_USER, false);
    ASSERT_TRUE(open.IsOpen());
    const HKEY hOpen = open;

    KeyProbe closed;
    open = closed;   // a key that is not open changes nothing
    EXPECT_TRUE(open.IsOpen());
    EXPECT_EQ(hOpen, static_cast<HKEY>(open));

    closed = open;
    EXPECT_TRUE(closed.IsOpen());
    EXPECT_NE(hOpen, static_cast<HKEY>(closed));
    EXPECT_EQ(open.Path(), closed.Path());
    EXPECT_EQ(1, closed.SetValue("shared", 3));
    int value = 0;
    EXPECT_EQ(1, open.GetValue("shared", value));
    EXPECT_EQ(3, value);

    KeyProbe copy(open);
    EXPECT_TRUE(copy.IsOpen());
    EXPECT_EQ(open.Path(), copy.Path());

    KeyProbe& self = open;
    open = self;
    EXPECT_TRUE(open.IsOpen());
    EXPECT_EQ(s + "\\sub", open.Path());

    open.Close();
    EXPECT_FALSE(open.IsOpen());
    EXPECT_EQ(HKEY_CURRENT_USER, static_cast<HKEY>(open));
    EXPECT_EQ("", open.Path());
    EXPECT_EQ(1, closed.SetValue("still", 1));   // its own handle
}

}  // namespace
