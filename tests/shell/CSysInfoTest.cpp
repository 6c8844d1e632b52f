#include <windows.h>
#include <gtest/gtest.h>
#include "shell/CSysInfo_int.h"

TEST(CSysInfo, VersionClassTable)
{
    struct Case {
        int platform, major, minor;
        int versionClass;
    };
    const Case cases[] = {
        {1, 4, 0, 0},      // Windows 95
        {1, 4, 10, 1},     // Windows 98
        {1, 4, 90, 1},     // Windows Me
        {1, 5, 0, 2},
        {1, 5, 1, -1},
        {1, 3, 0, -1},
        {1, 6, 0, -1},
        {2, 3, 51, -1},    // NT 3.51
        {2, 4, 0, 3},      // NT 4.0: not above 4, no manifest check
        {2, 4, 1, 4},
        {2, 5, 0, 5},      // Windows 2000
        {2, 5, 1, 6},      // XP
        {2, 5, 2, 6},      // Server 2003
        {2, 6, 0, 7},
        {2, 6, 1, 7},
        {2, 10, 0, 7},
        {0, 5, 1, -1},     // the query failed
        {3, 10, 0, -1},    // an unknown platform
        {-1, 6, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor);
        EXPECT_EQ(c.versionClass, CSysInfo::VersionClass(c.platform, c.major, c.minor));
    }
}

TEST(CSysInfo, FailedQueryLeavesZeroesAndNoClass)
{
    const CSysInfo info(NULL);
    EXPECT_EQ(0, info.platformId);
    EXPECT_EQ(0, info.majorVersion);
    EXPECT_EQ(0, info.minorVersion);
    EXPECT_EQ(0, info.buildNumber);
    EXPECT_EQ(-1, info.versionClass);
}

TEST(CSysInfo, GivenAnswerKeepsTheLowWordOfTheBuild)
{
    OSVERSIONINFOA answer = {};
    answer.dwOSVersionInfoSize = sizeof(answer);
    answer.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    answer.dwMajorVersion = 4;
    answer.dwMinorVersion = 10;
    answer.dwBuildNumber = 0x040A08AE;   // 9x systems put the version in the high word
    const CSysInfo info(&answer);
    EXPECT_EQ(1, info.platformId);
    EXPECT_EQ(4, info.majorVersion);
    EXPECT_EQ(10, info.minorVersion);
    EXPECT_EQ(0x08AE, info.buildNumber);
    EXPECT_EQ(1, info.versionClass);
}

// The object built at load is the running system's answer, and this system
// is of the NT family, Windows 2000 or later.
TEST(CSysInfo, LoadTimeObjectDescribesTheRunningSystem)
{
    const CSysInfo now;
    EXPECT_EQ(now.platformId, g_sysInfo.platformId);
    EXPECT_EQ(now.majorVersion, g_sysInfo.majorVersion);
    EXPECT_EQ(now.minorVersion, g_sysInfo.minorVersion);
    EXPECT_EQ(now.buildNumber, g_sysInfo.buildNumber);
    EXPECT_EQ(CSysInfo::VersionClass(g_sysInfo.platformId, g_sysInfo.majorVersion, g_sysInfo.minorVersion),
              g_sysInfo.versionClass);
    EXPECT_EQ(VER_PLATFORM_WIN32_NT, g_sysInfo.platformId);
    EXPECT_GT(g_sysInfo.versionClass, 4);
}
