#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include "common/TestUtil.h"
#include "base/CCmdLine_int.h"
#include "base/CPathName_int.h"
#include "base/PathUtil_int.h"

namespace {

// A MAX_PATH buffer followed by a guard: any write past the buffer shows.
struct GuardedPath {
    char text[MAX_PATH];
    char guard[64];
    GuardedPath() { memset(text, 'x', sizeof(text)); text[0] = '\0'; memset(guard, 0x5A, sizeof(guard)); }
    bool GuardIntact() const
    {
        for (char c : guard)
            if (c != 0x5A)
                return false;
        return true;
    }
};

// A folder of its own under the temporary folder, removed with its files.
class TempFolder {
public:
    explicit TempFolder(const char* name)
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + name + " " + std::to_string(::GetCurrentProcessId());
        Remove(m_path);
        ::CreateDirectoryA(m_path.c_str(), NULL);
    }
    ~TempFolder() { Remove(m_path); }
    const std::string& path() const { return m_path; }
    std::string MakeFile(const std::string& relative) const
    {
        const std::string full = m_path + "\\" + relative;
        HANDLE h = ::CreateFileA(full.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
        return full;
    }
    std::string MakeFolder(const std::string& relative) const
    {
        const std::string full = m_path + "\\" + relative;
        ::CreateDirectoryA(full.c_str(), NULL);
        return full;
    }

private:
    static void Remove(const std::string& path) { RemoveTree(path); }
    std::string m_path;
};

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

// ---- Program token of a command line ------------------------------------

TEST(CCmdLine, ProgramTokenTable)
{
    struct Case {
        const char* line;
        const char* program;   // NULL: no token
    };
    const Case cases[] = {
        {"\"C:\\Program Files\\App\\app.exe\" -x \"a b\"", "C:\\Program Files\\App\\app.exe"},
        {"C:\\Program Files\\App\\app.exe -x", "C:\\Program Files\\App\\app.exe"},
        {" \t\r\n\v\f\"C:\\a b\\app.exe\" -x", "C:\\a b\\app.exe"},
        {"'C:\\a b\\app.exe' -x", "C:\\a b\\app.exe"},
        {"\"C:\\a b\\app.exe' -x\" y", "C:\\a b\\app.exe' -x"},       // only the same quote closes
        {"\"C:\\a b\\app.exe -x", "C:\\a b\\app.exe -x"},              // never closed: to the end
        {"'unclosed", "unclosed"},
        {"\"\" -x", ""},                                                 // empty quoted token
        {"app -x -y", "app -x -y"},                                      // no full stop: whole rest
        {".hidden -x", ".hidden -x"},                                    // a leading full stop does not count
        {"app.exe", "app.exe"},                                          // no space after the full stop
        {"C:\\My.Games\\app.exe -x", "C:\\My.Games\\app.exe"},
        {"C:\\My.Dir Name\\app.exe -x", "C:\\My.Dir"},                  // the first full stop decides
        {"app.exe\t-x", "app.exe\t-x"},                                  // only a space ends it
        {"", NULL},
        {" \t\r\n", NULL},
        {NULL, NULL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line ? c.line : "(null)");
        CCmdLine cmdLine(c.line);
        EXPECT_EQ(c.line, cmdLine.line);
        if (c.program == NULL)
            EXPECT_EQ(NULL, cmdLine.program);
        else {
            ASSERT_NE(nullptr, cmdLine.program);
            EXPECT_STREQ(c.program, cmdLine.program);
        }
    }
}

TEST(CCmdLine, ProcessCommandLineNamesThisProgram)
{
    CCmdLine cmdLine;
    EXPECT_EQ(::GetCommandLineA(), cmdLine.line);

    char module[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameA(NULL, module, MAX_PATH), 0u);
    CPathName expected(module, true);
    ASSERT_NE(nullptr, expected.folder);

    GuardedPath folder;
    GetProgramFolder(folder.text);
    EXPECT_EQ(Lower(expected.folder), Lower(folder.text));

    GuardedPath next;
    cmdLine.FileNextToProgram(next.text, "x.ini");
    EXPECT_EQ(Lower(std::string(expected.folder) + "\\x.ini"), Lower(next.text));
}

// ---- Separators and joining ---------------------------------------------

TEST(PathUtil, SeparatorAndJoinTable)
{
    struct Case {
        const char* path;
        const char* name;
        const char* appended;   // AppendSeparator(path)
        const char* joined;     // JoinPath(path, name)
    };
    const Case cases[] = {
        {"C:\\dir", "a.txt", "C:\\dir\\", "C:\\dir\\a.txt"},
        {"C:\\dir\\", "a.txt", "C:\\dir\\", "C:\\dir\\a.txt"},
        {"C:/dir/", "a.txt", "C:/dir/", "C:/dir/a.txt"},
        {"", "a.txt", "", "a.txt"},
        {"C:", "a.txt", "C:\\", "C:\\a.txt"},
        {"dir", "", "dir\\", "dir\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " + " + c.name);
        GuardedPath buf;
        strcpy(buf.text, c.path);
        AppendSeparator(buf.text);
        EXPECT_STREQ(c.appended, buf.text);

        strcpy(buf.text, c.path);
        EXPECT_EQ(buf.text, JoinPath(buf.text, c.name));
        EXPECT_STREQ(c.joined, buf.text);

        GuardedPath made;
        MakePath(made.text, c.path, c.name);
        EXPECT_STREQ(c.joined, made.text);
    }
}

TEST(PathUtil, IsEmptyText)
{
    EXPECT_TRUE(IsEmptyText(NULL));
    EXPECT_TRUE(IsEmptyText(""));
    EXPECT_FALSE(IsEmptyText(" "));
}

// Paths are built in MAX_PATH buffers: what would not fit leaves the empty
// text, never a longer write nor a cut-off path.
TEST(PathUtil, ResultsThatDoNotFitLeaveEmptyText)
{
    const std::string fits(MAX_PATH - 1, 'a');
    const std::string longer(MAX_PATH, 'a');
    const std::string huge(5000, 'a');

    GuardedPath buf;
    EXPECT_TRUE(CopyPathText(buf.text, fits.c_str()));
    EXPECT_EQ(fits, buf.text);
    EXPECT_FALSE(CopyPathText(buf.text, longer.c_str()));
    EXPECT_STREQ("", buf.text);

    strcpy(buf.text, fits.c_str());          // 259 characters: no room for '\'
    AppendSeparator(buf.text);
    EXPECT_STREQ("", buf.text);

    const std::string almost(MAX_PATH - 2, 'a');
    strcpy(buf.text, almost.c_str());        // room for the separator alone
    AppendSeparator(buf.text);
    EXPECT_EQ(almost + "\\", buf.text);

    strcpy(buf.text, almost.c_str());
    JoinPath(buf.text, "b");                 // separator fits, the name does not
    EXPECT_STREQ("", buf.text);

    strcpy(buf.text, "C:\\dir");
    JoinPath(buf.text, huge.c_str());
    EXPECT_STREQ("", buf.text);

    MakePath(buf.text, huge.c_str(), "a.txt");
    EXPECT_STREQ("", buf.text);
    MakePath(buf.text, "C:\\dir", huge.c_str());
    EXPECT_STREQ("", buf.text);
    EXPECT_TRUE(buf.GuardIntact());
}

TEST(PathUtil, FileExists)
{
    TempFolder temp("cmndll path");
    const std::string file = temp.MakeFile("a.txt");
    const std::string folder = temp.MakeFolder("sub");
    EXPECT_TRUE(FileExists(file.c_str()));
    EXPECT_TRUE(FileExists(folder.c_str()));                     // folders count
    EXPECT_FALSE(FileExists((temp.path() + "\\missing.txt").c_str()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(NULL));
}

// ---- Path names -----------------------------------------------------------

TEST(CPathName, NotStrictTable)
{
    struct Case {
        const char* path;
        const char* fullPath;   // NULL: stays unset
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Games\\app.exe", "C:\\Games\\app.exe", "C:\\Games"},
        {"  \t\"C:\\Games\\app.exe\"\t ", "C:\\Games\\app.exe", "C:\\Games"},
        {"C:\\app.exe", "C:\\app.exe", "C:\\"},                       // drive root keeps its '\'
        {"C:\\Games\\..\\Other\\app.exe", "C:\\Other\\app.exe", "C:\\Other"},
        {"C:/Games/app.exe", "C:\\Games\\app.exe", "C:\\Games"},
        {"\\\\server\\share\\app.exe", "\\\\server\\share\\app.exe", "\\\\server\\share"},
        {"", NULL, NULL},
        {" \t\"\"\" ", NULL, NULL},
        {NULL, NULL, NULL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path ? c.path : "(null)");
        CPathName name(c.path, false);
        EXPECT_FALSE(name.strict);
        if (c.fullPath == NULL) {
            EXPECT_FALSE(name.IsSet());
            EXPECT_STREQ("", name.fullPath);
            EXPECT_EQ(NULL, name.folder);
            continue;
        }
        EXPECT_TRUE(name.IsSet());
        EXPECT_STREQ(c.fullPath, name.fullPath);
        ASSERT_NE(nullptr, name.folder);
        EXPECT_STREQ(c.folder, name.folder);
    }
}

TEST(CPathName, RelativePathIsMadeAbsolute)
{
    char current[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, current);
    CPathName name("\"some file.txt\"", false);
    std::string expected = current;
    if (expected.back() != '\\')
        expected += '\\';
    EXPECT_EQ(expected + "some file.txt", name.fullPath);
}

TEST(CPathName, StrictWantsAnExistingFileAndGivesItsLongForm)
{
    TempFolder temp("cmndll path");
    temp.MakeFolder("Long Folder Name.dir");
    const std::string file = temp.MakeFile("Long Folder Name.dir\\Long Program Name.exe");

    char shortPath[MAX_PATH];
    ASSERT_GT(::GetShortPathNameA(file.c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_STRNE(file.c_str(), shortPath) << "the file system gave no short names";

    CPathName name(shortPath, true);
    EXPECT_TRUE(name.strict);
    ASSERT_TRUE(name.IsSet());
    EXPECT_EQ(Lower(file), Lower(name.fullPath));
    ASSERT_NE(nullptr, name.folder);
    EXPECT_EQ(Lower(temp.path() + "\\Long Folder Name.dir"), Lower(name.folder));

    const std::string missing = temp.path() + "\\missing.exe";
    CPathName strict(missing.c_str(), true);
    EXPECT_FALSE(strict.IsSet());
    EXPECT_EQ(NULL, strict.folder);
    CPathName loose(missing.c_str(), false);
    EXPECT_EQ(Lower(missing), Lower(loose.fullPath));
}

TEST(CPathName, OverlongPathStaysUnset)
{
    const std::string huge = "C:\\" + std::string(5000, 'a') + "\\app.exe";
    CPathName strict(huge.c_str(), true);
    EXPECT_FALSE(strict.IsSet());
    CPathName loose(huge.c_str(), false);
    EXPECT_FALSE(loose.IsSet());
    EXPECT_EQ(NULL, loose.folder);
}

// ---- Files next to the program -------------------------------------------

TEST(CCmdLine, FileNextToProgram)
{
    TempFolder temp("cmndll path");
    temp.MakeFolder("My Games");
    const std::string program = temp.MakeFile("My Games\\host app.exe");
    const std::string folder = temp.path() + "\\My Games";

    struct Case {
        std::string line;
        const char* name;
        std::string expected;
    };
    const Case cases[] = {
        {"\"" + program + "\" -x", "a.ini", folder + "\\a.ini"},
        {program + " -x", "a.ini", folder + "\\a.ini"},
        {"\"" + program + "\"", "", folder},
        {"\"" + program + "\"", NULL, folder},
        {"\"" + temp.path() + "\\missing.exe\"", "a.ini", "a.ini"},    // unknown program: the name alone
        {"", "a.ini", "a.ini"},
        {std::string(5000, 'a') + ".exe -x", "a.ini", "a.ini"},       // overlong token
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 200));
        CCmdLine cmdLine(c.line.c_str());
        GuardedPath out;
        EXPECT_EQ(out.text, cmdLine.FileNextToProgram(out.text, c.name));
        EXPECT_EQ(Lower(c.expected), Lower(out.text));
        EXPECT_TRUE(out.GuardIntact());
    }
}

TEST(CCmdLine, ProgramFolderFailsToEmptyText)
{
    TempFolder temp("cmndll path");
    struct Case {
        std::string line;
    };
    const Case cases[] = {
        {"\"" + temp.path() + "\\missing.exe\""},
        {std::string(5000, 'a')},
        {"\"" + std::string(5000, 'a') + "\""},
        {""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 200));
        CCmdLine cmdLine(c.line.c_str());
        GuardedPath out;
        strcpy(out.text, "stale");
        EXPECT_FALSE(cmdLine.ProgramFolder(out.text));
        EXPECT_STREQ("", out.text);
        EXPECT_TRUE(out.GuardIntact());
    }
}

// A program folder that fits while the file next to it would not: the
// result is empty, not the name alone (that would look in the current folder).
TEST(CCmdLine, FileNextToProgramInADeepFolder)
{
    TempFolder temp("cmndll path");
    std::string folder = temp.path();
    const size_t target = MAX_PATH - 12;     // the folder fits, folder + "\Name.exe.manifest" does not
    int level = 0;
    while (folder.size() < target) {
        const size_t room = target - folder.size() - 1;
        std::string part(room < 100 ? room : 100, static_cast<char>('a' + level++));
        folder += "\\" + part;
        ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), NULL)) << folder;
    }
    ASSERT_EQ(target, folder.size());
    const std::string program = folder + "\\p.exe";   // 255 characters
    HANDLE h = ::CreateFileA(program.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    ::CloseHandle(h);

    CCmdLine cmdLine(("\"" + program + "\" -x").c_str());
    GuardedPath out;
    EXPECT_TRUE(cmdLine.ProgramFolder(out.text));
    EXPECT_EQ(Lower(folder), Lower(out.text));

    cmdLine.FileNextToProgram(out.text, "Name.exe.manifest");
    EXPECT_STREQ("", out.text);
    EXPECT_TRUE(out.GuardIntact());
}
