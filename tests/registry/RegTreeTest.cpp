#include <windows.h>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>
#include "common/TestUtil.h"
#include "registry/RegTree.h"

namespace {

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::vector<BYTE> Bytes(const void* data, size_t size)
{
    const BYTE* p = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(p, p + size);
}

std::vector<BYTE> WideBytes(const std::wstring& text, bool terminated)
{
    return Bytes(text.c_str(), (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
}

struct Value {
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const Value& other) const { return type == other.type && data == other.data; }
};

// A key tree read byte for byte through the UTF-16 functions: the relative
// paths of its keys below the top, and its values by "path|name".
struct Tree {
    bool exists = false;
    std::set<std::wstring> keys;
    std::map<std::wstring, Value> values;
    bool operator==(const Tree& other) const
    {
        return exists == other.exists && keys == other.keys && values == other.values;
    }
};

void PrintTo(const Tree& tree, std::ostream* os)
{
    *os << (tree.exists ? "" : "(missing) ");
    for (const std::wstring& key : tree.keys)
        *os << "[" << std::string(key.begin(), key.end()) << "] ";
    for (const auto& value : tree.values)
        *os << std::string(value.first.begin(), value.first.end()) << "=" << value.second.type << ":"
            << value.second.data.size() << " ";
}

void ReadInto(HKEY key, const std::wstring& path, Tree& tree)
{
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data(256 * 1024);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, NULL, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        tree.values[path + L"|" + std::wstring(name.data(), nameLength)] = Value{ type, Bytes(data.data(), size) };
    }
    for (DWORD i = 0;; ++i) {
        wchar_t sub[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, sub, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        const std::wstring subPath = path.empty() ? sub : path + L"\\" + sub;
        tree.keys.insert(subPath);
        HKEY child = NULL;
        if (RegOpenKeyExW(key, sub, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            ReadInto(child, subPath, tree);
            RegCloseKey(child);
        }
    }
}

Tree ReadTree(HKEY root, const std::string& path)
{
    Tree tree;
    HKEY key = NULL;
    if (RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return tree;
    tree.exists = true;
    ReadInto(key, L"", tree);
    RegCloseKey(key);
    return tree;
}

bool KeyExists(HKEY root, const std::string& path)
{
    return ReadTree(root, path).exists;
}

void SetValue(HKEY root, const std::string& keyPath, const std::wstring& name, DWORD type,
              const std::vector<BYTE>& data)
{
    HKEY key = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, Wide(keyPath).c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name.c_str(), 0, type, data.empty() ? NULL : data.data(),
                                            static_cast<DWORD>(data.size())));
    RegCloseKey(key);
}

void SetDword(HKEY root, const std::string& keyPath, const std::wstring& name, DWORD value)
{
    SetValue(root, keyPath, name, REG_DWORD, Bytes(&value, sizeof(value)));
}

void CreateKey(HKEY root, const std::string& path, DWORD options = 0)
{
    HKEY key = NULL;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(root, Wide(path).c_str(), 0, NULL, options, KEY_ALL_ACCESS, NULL, &key, NULL));
    RegCloseKey(key);
}

// A registry link whose target does not exist: it is listed among the
// sub-keys, but it can be neither opened nor deleted the ordinary way.
const wchar_t kDanglingTarget[] = L"\\Registry\\Machine\\Software\\cmndll-tests-missing-target";

bool CreateDanglingLink(HKEY root, const std::string& path)
{
    HKEY link = NULL;
    if (RegCreateKeyExW(root, Wide(path).c_str(), 0, NULL, REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS | KEY_CREATE_LINK, NULL, &link, NULL) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                                       reinterpret_cast<const BYTE*>(kDanglingTarget),
                                       sizeof(kDanglingTarget) - sizeof(wchar_t));
    RegCloseKey(link);
    return status == ERROR_SUCCESS;
}

void DeleteLink(HKEY root, const std::string& path)
{
    typedef LONG(WINAPI * NtDeleteKeyFn)(HANDLE);
    const NtDeleteKeyFn ntDeleteKey =
        reinterpret_cast<NtDeleteKeyFn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
    HKEY link = NULL;
    if (RegOpenKeyExW(root, Wide(path).c_str(), REG_OPTION_OPEN_LINK, DELETE, &link) == ERROR_SUCCESS) {
        ntDeleteKey(link);
        RegCloseKey(link);
    }
}

class RegTreeTest : public ::testing::Test {
protected:
    RegTreeTest() : m_section(testing::UnitTest::GetInstance()->current_test_info()->name())
    {
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, m_section.path(), 0, NULL, 0, KEY_ALL_ACCESS,
                                                 NULL, &m_key, NULL));
    }
    ~RegTreeTest() override { RegCloseKey(m_key); }

    // The full path below HKEY_CURRENT_USER of a key in this test's section.
    std::string Full(const std::string& relative) const { return std::string(m_section.path()) + "\\" + relative; }

    TestRegSection m_section;
    HKEY m_key = NULL;   // the section itself
};

TEST_F(RegTreeTest, EveryValueKeepsItsTypeAndBytes)
{
    std::vector<BYTE> big(100000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<BYTE>(i * 7);
    const DWORD dword = 0x12345678;
    const ULONGLONG qword = 0x0102030405060708ull;
    const BYTE binary[] = { 0, 1, 0xFF, 0x80, 0 };
    const struct {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    } values[] = {
        { L"sz", REG_SZ, WideBytes(L"text", true) },
        { L"expand", REG_EXPAND_SZ, WideBytes(L"%TEMP%\\x", true) },
        { L"multi", REG_MULTI_SZ, WideBytes(std::wstring(L"a\0bc\0", 5), true) },
        { L"dword", REG_DWORD, Bytes(&dword, sizeof(dword)) },
        { L"qword", REG_QWORD, Bytes(&qword, sizeof(qword)) },
        { L"binary", REG_BINARY, Bytes(binary, sizeof(binary)) },
        { L"none", REG_NONE, Bytes(binary, 3) },
        { L"emptyBinary", REG_BINARY, {} },
        { L"emptySz", REG_SZ, {} },
        { L"emptyNone", REG_NONE, {} },
        { L"", REG_SZ, WideBytes(L"the default value", true) },
        { L"unterminated", REG_SZ, WideBytes(L"abc", false) },
        { L"oddSize", REG_SZ, Bytes("abc", 3) },
        { L"unknownType", 0x1234, Bytes(binary, 4) },
        { L"big", REG_BINARY, big },
        // Names outside the ANSI code page keep their characters.
        { L"\x03A9mega \x4E2D\x6587", REG_DWORD, Bytes(&dword, sizeof(dword)) },
    };
    for (const char* key : { "Src", "Src\\Sub" }) {
        for (const auto& v : values)
            SetValue(m_key, key, v.name, v.type, v.data);
    }
    const Tree before = ReadTree(m_key, "Src");
    ASSERT_EQ(2 * (sizeof(values) / sizeof(values[0])), before.values.size());

    EXPECT_EQ(1, RegMoveKey(m_key, m_key, "Src", "Dst", true));
    EXPECT_EQ(before, ReadTree(m_key, "Dst"));
    EXPECT_FALSE(KeyExists(m_key, "Src"));
}

TEST_F(RegTreeTest, TheSourceLandsAtItsOwnPathOrItsContentsDirectlyInTheDestination)
{
    // Moved: A\B with a value, a sub-key with a value and an empty sub-key.
    // A keeps a value and a second child, which stay where they are.
    SetDword(m_key, "A", L"keep", 1);
    SetDword(m_key, "A\\Other", L"other", 2);
    SetDword(m_key, "A\\B", L"b", 3);
    SetDword(m_key, "A\\B\\C", L"c", 4);
    CreateKey(m_key, "A\\B\\Empty");

    // Each expected value: where it lands below D, and where it came from below A.
    typedef std::vector<std::pair<std::string, std::string>> Landings;
    const Landings ownPath = { { "A\\B|b", "B|b" }, { "A\\B\\C|c", "B\\C|c" } };
    const Landings contents = { { "|b", "B|b" }, { "C|c", "B\\C|c" } };
    const struct {
        const char* name;
        bool contentsOnly;
        bool destinationByHandle;   // dstPath NULL, dstRoot the destination key
        std::vector<std::string> expectedKeys;
        const Landings& expectedValues;
    } cases[] = {
        { "own path", false, false, { "A", "A\\B", "A\\B\\C" }, ownPath },
        { "own path, destination as root", false, true, { "A", "A\\B", "A\\B\\C" }, ownPath },
        { "contents", true, false, { "C" }, contents },
        { "contents, destination as root", true, true, { "C" }, contents },
    };
    const Tree source = ReadTree(m_key, "A");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RegDeleteTreeA(m_key, "D");
        RegDeleteTreeA(m_key, "A");
        for (const auto& value : source.values) {
            const size_t bar = value.first.find(L'|');
            const std::wstring key = value.first.substr(0, bar);
            SetValue(m_key, "A" + (key.empty() ? "" : "\\" + std::string(key.begin(), key.end())),
                     value.first.substr(bar + 1), value.second.type, value.second.data);
        }
        CreateKey(m_key, "A\\B\\Empty");

        HKEY destination = NULL;
        if (c.destinationByHandle) {
            ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(m_key, "D", &destination));
            EXPECT_EQ(1, RegMoveKey(m_key, destination, "A\\B", NULL, c.contentsOnly));
            RegCloseKey(destination);
        } else {
            EXPECT_EQ(1, RegMoveKey(m_key, m_key, "A\\B", "D", c.contentsOnly));
        }

        Tree expected;
        expected.exists = true;
        for (const std::string& key : c.expectedKeys)
            expected.keys.insert(Wide(key));
        for (const auto& landing : c.expectedValues)
            expected.values[Wide(landing.first)] = source.values.at(Wide(landing.second));
        EXPECT_EQ(expected, ReadTree(m_key, "D"));

        // The moved key is gone, empty sub-key included; its parent stays whole.
        EXPECT_FALSE(KeyExists(m_key, "A\\B"));
        Tree parent;
        parent.exists = true;
        parent.keys = { L"Other" };
        parent.values = { { L"|keep", source.values.at(L"|keep") }, { L"Other|other", source.values.at(L"Other|other") } };
        EXPECT_EQ(parent, ReadTree(m_key, "A"));
    }
}

TEST_F(RegTreeTest, AFullPathUnderTheSameRootIsRecreatedBelowTheDestination)
{
    SetDword(HKEY_CURRENT_USER, Full("A"), L"a", 7);
    EXPECT_EQ(1, RegMoveKey(HKEY_CURRENT_USER, HKEY_CURRENT_USER, Full("A").c_str(), Full("C").c_str(), false));
    EXPECT_EQ(7u, *reinterpret_cast<const DWORD*>(
                      ReadTree(HKEY_CURRENT_USER, Full("C") + "\\" + Full("A")).values.at(L"|a").data.data()));
    EXPECT_FALSE(KeyExists(m_key, "A"));
}

TEST_F(RegTreeTest, ANullSourcePathCopiesTheWholeRootAndDeletesNothing)
{
    SetDword(m_key, "Src", L"top", 1);
    SetDword(m_key, "Src\\One", L"one", 2);
    SetDword(m_key, "Src\\One\\Two", L"two", 3);
    CreateKey(m_key, "Src\\Empty");
    Tree expected = ReadTree(m_key, "Src");
    expected.keys.erase(L"Empty");

    for (bool contentsOnly : { false, true }) {
        SCOPED_TRACE(contentsOnly ? "contents" : "own path");
        RegDeleteTreeA(m_key, "Dst");
        HKEY source = NULL;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyA(m_key, "Src", &source));
        const Tree before = ReadTree(m_key, "Src");
        EXPECT_EQ(1, RegMoveKey(source, m_key, NULL, "Dst", contentsOnly));
        EXPECT_EQ(1, RegMoveKey(source, m_key, "", "Dst2", contentsOnly));
        RegCloseKey(source);
        EXPECT_EQ(before, ReadTree(m_key, "Src"));
        EXPECT_EQ(expected, ReadTree(m_key, "Dst"));
        EXPECT_EQ(expected, ReadTree(m_key, "Dst2"));
    }
}

TEST_F(RegTreeTest, LongPathsAndLongValueNamesMoveWhole)
{
    // Six levels of 60-character names: relative paths far beyond 259
    // characters, each level with values whose names exceed 259 characters.
    std::string path = "Src";
    for (int level = 0; level < 6; ++level) {
        path += "\\" + std::string(60, static_cast<char>('a' + level));
        SetDword(m_key, path, std::wstring(300, static_cast<wchar_t>('n' + level)), level);
        SetDword(m_key, path, std::wstring(5000, L'w'), 100 + level);
        SetDword(m_key, path, L"short", 200 + level);
    }
    const Tree before = ReadTree(m_key, "Src");
    ASSERT_EQ(18u, before.values.size());

    for (bool contentsOnly : { true, false }) {
        SCOPED_TRACE(contentsOnly ? "contents" : "own path");
        const char* from = contentsOnly ? "Src" : "Dst";
        const char* to = contentsOnly ? "Dst" : "Src2";
        EXPECT_EQ(1, RegMoveKey(m_key, m_key, from, to, contentsOnly));
        EXPECT_FALSE(KeyExists(m_key, from));
        EXPECT_EQ(before, ReadTree(m_key, contentsOnly ? "Dst" : "Src2\\Dst"));
    }
}

// Destinations that refuse the copy at its start or half-way: a key name
// too long to create, a key opened for reading only, a volatile key (which
// takes no lasting sub-keys).
TEST_F(RegTreeTest, AFailedMoveLeavesTheSourceWhole)
{
    HKEY readOnly = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, m_section.path(), 0, KEY_READ, &readOnly));
    CreateKey(m_key, "Volatile", REG_OPTION_VOLATILE);
    CreateKey(m_key, "Partial");
    CreateKey(m_key, "Partial\\Z", REG_OPTION_VOLATILE);

    // Key names have at most 255 characters.
    const std::string longName = "Dst\\" + std::string(300, 'k');
    const struct {
        const char* name;
        HKEY dstRoot;
        const char* dstPath;
        bool contentsOnly;
        bool partial;   // the destination receives part of the copy
    } cases[] = {
        { "destination root takes no values", readOnly, NULL, true, false },
        { "destination cannot be created", m_key, longName.c_str(), true, false },
        { "no lasting key below a volatile one", m_key, "Volatile\\Dst", true, false },
        { "first records written, then a key refused", m_key, "Partial", true, true },
        { "own path below a volatile key", m_key, "Volatile", false, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetDword(m_key, "Src", L"top", 1);
        SetDword(m_key, "Src\\A", L"a", 2);
        SetDword(m_key, "Src\\Z\\Deep", L"deep", 3);
        CreateKey(m_key, "Src\\Empty");
        const Tree before = ReadTree(m_key, "Src");
        EXPECT_EQ(0, RegMoveKey(m_key, c.dstRoot, "Src", c.dstPath, c.contentsOnly));
        EXPECT_EQ(before, ReadTree(m_key, "Src"));
        if (c.partial) {
            EXPECT_TRUE(KeyExists(m_key, "Partial\\A"));
        }
    }
    RegCloseKey(readOnly);
}

TEST_F(RegTreeTest, AnUnreadableSubKeyFailsTheMoveBeforeAnythingIsWritten)
{
    SetDword(m_key, "Src", L"top", 1);
    SetDword(m_key, "Src\\A", L"a", 2);
    ASSERT_TRUE(CreateDanglingLink(m_key, "Src\\Link"));
    const Tree before = ReadTree(m_key, "Src");
    EXPECT_EQ(1u, before.keys.count(L"Link"));

    EXPECT_EQ(0, RegMoveKey(m_key, m_key, "Src", "Dst", true));
    EXPECT_EQ(before, ReadTree(m_key, "Src"));
    EXPECT_FALSE(KeyExists(m_key, "Dst"));
    DeleteLink(m_key, "Src\\Link");
}

TEST_F(RegTreeTest, ACopyThatWouldLandInsideTheSourceIsRefused)
{
    SetDword(m_key, "A", L"a", 1);
    SetDword(m_key, "A\\A", L"inner", 2);
    SetDword(m_key, "A\\B", L"b", 3);
    const Tree before = ReadTree(m_key, "A");

    const struct {
        const char* name;
        const char* srcPath;
        const char* dstPath;
        bool contentsOnly;
    } cases[] = {
        { "onto itself", "A", "A", true },
        { "onto itself, other spelling", "A", "a\\", true },
        { "into its own sub-key", "A", "A\\B", true },
        { "own path into its own sub-key", "A", "A\\B", false },
        { "own path onto the same root", "A", NULL, false },
        // A's sub-key A lands on A itself.
        { "contents into the parent", "A", NULL, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(0, RegMoveKey(m_key, m_key, c.srcPath, c.dstPath, c.contentsOnly));
        EXPECT_EQ(before, ReadTree(m_key, "A"));
    }

    // Into a sibling whose name merely starts like the source: allowed.
    EXPECT_EQ(1, RegMoveKey(m_key, m_key, "A", "AB", true));
    EXPECT_EQ(before, ReadTree(m_key, "AB"));
}

TEST_F(RegTreeTest, EraseRemovesTheWholeTreeAndNothingBesideIt)
{
    SetDword(m_key, "Keep", L"keep", 1);
    SetDword(m_key, "Gone", L"", 2);
    SetDword(m_key, "Gone\\One\\Two\\Three", L"deep", 3);
    SetDword(m_key, "Gone\\One", std::wstring(1000, L'x'), 4);
    CreateKey(m_key, "Gone\\Empty\\Emptier");
    SetDword(m_key, "GoneToo", L"sibling with a longer name", 5);

    EXPECT_EQ(1, RegEraseKey(m_key, "Gone"));
    EXPECT_FALSE(KeyExists(m_key, "Gone"));
    EXPECT_TRUE(KeyExists(m_key, "Keep"));
    EXPECT_TRUE(KeyExists(m_key, "GoneToo"));
    EXPECT_EQ(0, RegEraseKey(m_key, "Gone"));
    EXPECT_EQ(0, RegEraseKey(m_key, "Missing\\Deeper"));
}

TEST_F(RegTreeTest, EraseRefusesTheRootItself)
{
    SetDword(m_key, "Keep", L"keep", 1);
    const Tree before = ReadTree(HKEY_CURRENT_USER, m_section.path());
    for (const char* path : { static_cast<const char*>(nullptr), "", "\\" }) {
        EXPECT_EQ(0, RegEraseKey(m_key, path));
        EXPECT_EQ(before, ReadTree(HKEY_CURRENT_USER, m_section.path()));
    }
}

DWORD WINAPI EraseThread(void* parameter)
{
    return static_cast<DWORD>(RegEraseKey(static_cast<HKEY>(parameter), "Tree"));
}

TEST_F(RegTreeTest, EraseStopsAtAnEntryItCannotDelete)
{
    SetDword(m_key, "Tree\\Before", L"b", 1);
    ASSERT_TRUE(CreateDanglingLink(m_key, "Tree\\Link"));
    SetDword(m_key, "Tree\\Zafter", L"z", 2);

    HANDLE thread = CreateThread(NULL, 0, EraseThread, m_key, 0, NULL);
    ASSERT_NE(static_cast<HANDLE>(NULL), thread);
    const bool finished = WaitForSingleObject(thread, 20000) == WAIT_OBJECT_0;
    if (!finished)
        TerminateThread(thread, 99);
    DWORD result = 99;
    GetExitCodeThread(thread, &result);
    CloseHandle(thread);
    ASSERT_TRUE(finished) << "RegEraseKey kept retrying the link";
    EXPECT_EQ(0u, result);
    EXPECT_TRUE(KeyExists(m_key, "Tree"));
    DeleteLink(m_key, "Tree\\Link");
}

}  // namespace
