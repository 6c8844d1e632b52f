#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include "common/TestUtil.h"
#include "base/CCmdLine_int.h"
#include "prefs/Manifest_int.h"
#include "shell/CSysInfo_int.h"

namespace {

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

// A folder standing for the host's installation: the host program, and
// whichever of the two manifests a test lays next to it.
class ManifestFolder : public testing::Test {
protected:
    void SetUp() override
    {
        ::GetCurrentDirectoryA(MAX_PATH, m_savedDir);
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "cmndll host " + std::to_string(::GetCurrentProcessId());
        Clean();
        ASSERT_TRUE(::CreateDirectoryA(m_folder.c_str(), NULL));
        m_program = m_folder + "\\Host Program.exe";
        ASSERT_TRUE(Write(m_program, "MZ"));
        m_installed = m_program + ".manifest";
        m_source = m_folder + "\\Name.exe.manifest";
        m_cmdLine = "\"" + m_program + "\" -x";
    }
    void TearDown() override
    {
        ::SetCurrentDirectoryA(m_savedDir);
        Clean();
    }

    void Clean() { Remove(m_folder); }
    static void Remove(const std::string& path) { RemoveTree(path); }

    static bool Write(const std::string& path, const char* text)
    {
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        const BOOL ok = ::WriteFile(h, text, static_cast<DWORD>(strlen(text)), &written, NULL);
        ::CloseHandle(h);
        return ok != FALSE;
    }
    static std::string Read(const std::string& path)
    {
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return "<missing>";
        char buf[256];
        DWORD read = 0;
        ::ReadFile(h, buf, sizeof(buf), &read, NULL);
        ::CloseHandle(h);
        return std::string(buf, read);
    }
    static bool IsFile(const std::string& path)
    {
        const DWORD attrs = ::GetFileAttributesA(path.c_str());
        return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
    }

    std::string m_folder;
    std::string m_program;
    std::string m_installed;
    std::string m_source;
    std::string m_cmdLine;
    char m_savedDir[MAX_PATH];
};

enum Present { kNone, kFile, kFolder };

} // namespace

TEST_F(ManifestFolder, PathsOfTheTwoManifests)
{
    // The program named by its short form still gives the long-form names.
    char shortProgram[MAX_PATH];
    ASSERT_GT(::GetShortPathNameA(m_program.c_str(), shortProgram, MAX_PATH), 0u);
    const std::string lines[] = {m_cmdLine, std::string(shortProgram) + " -x"};
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        CCmdLine cmdLine(line.c_str());
        char out[MAX_PATH];
        EXPECT_FALSE(GetInstalledManifestPath(out, cmdLine));
        EXPECT_EQ(Lower(m_installed), Lower(out));
        EXPECT_FALSE(GetManifestSourcePath(out, cmdLine));
        EXPECT_EQ(Lower(m_source), Lower(out));

        strcpy(out, "stale");
        EXPECT_FALSE(CheckManifest(true, out, cmdLine));
        EXPECT_EQ(Lower(m_source), Lower(out));
        EXPECT_FALSE(CheckManifest(false, out, cmdLine));
        EXPECT_EQ(Lower(m_installed), Lower(out));
        EXPECT_FALSE(CheckManifest(false, NULL, cmdLine));
    }
}

// A program that cannot be found leaves names in the current folder.
TEST_F(ManifestFolder, UnknownProgramGivesNamesInTheCurrentFolder)
{
    CCmdLine cmdLine(("\"" + m_folder + "\\Missing.exe\"").c_str());
    char out[MAX_PATH];
    GetInstalledManifestPath(out, cmdLine);
    EXPECT_STREQ(".manifest", out);
    GetManifestSourcePath(out, cmdLine);
    EXPECT_STREQ("Name.exe.manifest", out);
}

// Which files are there decides what is offered and what is active; nothing
// is looked at before Windows 2000 (version class 5).
TEST_F(ManifestFolder, OfferedAndActiveTable)
{
    struct Case {
        Present source;
        Present installed;
        int versionClass;
        bool canInstall;
        bool isInstalled;
    };
    const Case cases[] = {
        {kFile, kNone, 7, true, false},
        {kFile, kFile, 7, true, true},
        {kNone, kFile, 7, false, true},     // active, and the user cannot switch it off
        {kNone, kNone, 7, false, false},
        {kFile, kFolder, 7, true, true},    // a folder under the manifest's name counts
        {kFolder, kNone, 7, true, false},
        {kFile, kFile, 5, true, true},
        {kFile, kFile, 4, false, false},
        {kFile, kFile, 3, false, false},
        {kFile, kFile, -1, false, false},
    };
    CCmdLine cmdLine(m_cmdLine.c_str());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "source " << c.source << ", installed " << c.installed
                                        << ", class " << c.versionClass);
        Clean();
        ASSERT_TRUE(::CreateDirectoryA(m_folder.c_str(), NULL));
        ASSERT_TRUE(Write(m_program, "MZ"));
        const std::pair<Present, std::string> files[] = {{c.source, m_source}, {c.installed, m_installed}};
        for (const auto& f : files) {
            if (f.first == kFile) {
                ASSERT_TRUE(Write(f.second, "<assembly/>"));
            } else if (f.first == kFolder) {
                ASSERT_TRUE(::CreateDirectoryA(f.second.c_str(), NULL));
            }
        }

        char out[MAX_PATH];
        strcpy(out, "untouched");
        EXPECT_EQ(c.canInstall, CanInstallManifest(out, cmdLine, c.versionClass));
        EXPECT_STREQ(c.versionClass > 4 ? Lower(m_source).c_str() : "untouched", Lower(out).c_str());
        strcpy(out, "untouched");
        EXPECT_EQ(c.isInstalled, IsManifestInstalled(out, cmdLine, c.versionClass));
        EXPECT_STREQ(c.versionClass > 4 ? Lower(m_installed).c_str() : "untouched", Lower(out).c_str());
        EXPECT_EQ(c.isInstalled, IsManifestInstalled(NULL, cmdLine, c.versionClass));
    }
}

TEST_F(ManifestFolder, SwitchingOnCopiesTheSource)
{
    ASSERT_TRUE(Write(m_source, "source"));
    CCmdLine cmdLine(m_cmdLine.c_str());
    SwitchManifest(false, cmdLine);
    EXPECT_EQ("source", Read(m_installed));
    EXPECT_EQ("source", Read(m_source));
    EXPECT_TRUE(IsManifestInstalled(NULL, cmdLine, 7));   // what the next start finds
}

TEST_F(ManifestFolder, SwitchingOnNeverOverwrites)
{
    ASSERT_TRUE(Write(m_source, "source"));
    ASSERT_TRUE(Write(m_installed, "installed"));
    SwitchManifest(false, CCmdLine(m_cmdLine.c_str()));
    EXPECT_EQ("installed", Read(m_installed));
}

TEST_F(ManifestFolder, SwitchingOnWithoutSourceChangesNothing)
{
    SwitchManifest(false, CCmdLine(m_cmdLine.c_str()));
    EXPECT_FALSE(IsFile(m_installed));
    EXPECT_FALSE(IsFile(m_source));
}

TEST_F(ManifestFolder, SwitchingOffDeletesTheInstalledCopyOnly)
{
    ASSERT_TRUE(Write(m_source, "source"));
    ASSERT_TRUE(Write(m_installed, "installed"));
    CCmdLine cmdLine(m_cmdLine.c_str());
    SwitchManifest(true, cmdLine);
    EXPECT_FALSE(IsFile(m_installed));
    EXPECT_EQ("source", Read(m_source));
    EXPECT_FALSE(IsManifestInstalled(NULL, cmdLine, 7));

    SwitchManifest(true, cmdLine);                         // nothing left to delete
    EXPECT_EQ("source", Read(m_source));
}

// A folder under the installed name cannot be deleted as a file: the style
// stays on, and nothing else is touched.
TEST_F(ManifestFolder, SwitchingOffAFolderLeavesIt)
{
    ASSERT_TRUE(Write(m_source, "source"));
    ASSERT_TRUE(::CreateDirectoryA(m_installed.c_str(), NULL));
    CCmdLine cmdLine(m_cmdLine.c_str());
    SwitchManifest(true, cmdLine);
    EXPECT_TRUE(IsManifestInstalled(NULL, cmdLine, 7));
    SwitchManifest(false, cmdLine);
    EXPECT_FALSE(IsFile(m_installed));
    EXPECT_EQ("source", Read(m_source));
}

// A program whose manifest names would not fit a MAX_PATH buffer: the names
// come back empty and the switch touches nothing.
TEST_F(ManifestFolder, DeepProgramFolderGivesEmptyNames)
{
    std::string folder = m_folder;
    const size_t programLength = MAX_PATH - 5;   // fits; program + ".manifest" does not
    const size_t folderLength = programLength - 6;
    int levels = 0;
    while (folder.size() < folderLength) {
        const size_t room = folderLength - folder.size() - 1;
        folder += "\\" + std::string(room < 100 ? room : 100, static_cast<char>('a' + levels));
        ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), NULL)) << folder;
        ++levels;
    }
    const std::string program = folder + "\\p.exe";
    ASSERT_EQ(programLength, program.size());
    ASSERT_TRUE(Write(program, "MZ"));
    // A source in the current folder must not stand in for the one that
    // cannot be named next to the program.
    ASSERT_TRUE(Write(m_source, "source"));
    ASSERT_TRUE(::SetCurrentDirectoryA(m_folder.c_str()));

    CCmdLine cmdLine(("\"" + program + "\"").c_str());
    struct Guarded {
        char text[MAX_PATH];
        char guard[32];
    } out;
    memset(&out, 0x5A, sizeof(out));
    EXPECT_FALSE(GetInstalledManifestPath(out.text, cmdLine));
    EXPECT_STREQ("", out.text);
    EXPECT_FALSE(GetManifestSourcePath(out.text, cmdLine));
    EXPECT_STREQ("", out.text);
    for (char c : out.guard)
        ASSERT_EQ(0x5A, c);

    SwitchManifest(false, cmdLine);
    EXPECT_FALSE(IsFile(m_folder + "\\.manifest"));
}

// The forms without a command line look next to this test program, where
// no manifest lies.
TEST(Manifest, ProcessProgramHasNoManifest)
{
    char out[MAX_PATH];
    EXPECT_FALSE(CanInstallManifest(out));
    EXPECT_FALSE(IsManifestInstalled(out));
    ASSERT_GT(g_sysInfo.versionClass, 4);
    char module[MAX_PATH];
    ::GetModuleFileNameA(NULL, module, MAX_PATH);
    EXPECT_EQ(Lower(std::string(module) + ".manifest"), Lower(out));
}
