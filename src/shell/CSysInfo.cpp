#include <windows.h>
#include "shell/CSysInfo_int.h"

// The query the library was built against asks with the original, short
// structure: older systems reject any other size.
static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA is 148 bytes");

// Built before any other part of the library runs, on the loading thread.
const CSysInfo g_sysInfo;

CSysInfo::CSysInfo()
{
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const BOOL ok = ::GetVersionExA(&info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    Set(ok ? &info : NULL);
}

CSysInfo::CSysInfo(const OSVERSIONINFOA* pInfo)
{
    Set(pInfo);
}

void CSysInfo::Set(const OSVERSIONINFOA* pInfo)
{
    platformId = 0;
    majorVersion = 0;
    minorVersion = 0;
    buildNumber = 0;
    versionClass = -1;
    if (pInfo == NULL)
        return;
    platformId = static_cast<int>(pInfo->dwPlatformId);
    majorVersion = static_cast<int>(pInfo->dwMajorVersion);
    minorVersion = static_cast<int>(pInfo->dwMinorVersion);
    buildNumber = static_cast<int>(LOWORD(pInfo->dwBuildNumber));
    versionClass = VersionClass(platformId, majorVersion, minorVersion);
}

int CSysInfo::VersionClass(int platform, int major, int minor)
{
    if (platform == VER_PLATFORM_WIN32_WINDOWS) {
        if (major == 4)
            return minor == 0 ? 0 : 1;
        if (major == 5 && minor == 0)
            return 2;
        return -1;
    }
    if (platform == VER_PLATFORM_WIN32_NT) {
        if (major == 4)
            return minor == 0 ? 3 : 4;
        if (major == 5)
            return minor == 0 ? 5 : 6;
        if (major >= 6)
            return 7;
    }
    return -1;
}
