// CSysInfo: the Windows version the library runs on, reduced to a version
// class that the preference code compares (above 4: Windows 2000 or later).
// One object is built when the library is loaded and only read afterwards.
#pragma once

#include <windows.h>

class CSysInfo {
public:
    CSysInfo();                                    // asks the running system
    explicit CSysInfo(const OSVERSIONINFOA* pInfo); // a given answer; NULL: the query failed

    // The class for a platform and version; -1 when no known family matches.
    static int VersionClass(int platform, int major, int minor);

    int platformId;
    int majorVersion;
    int minorVersion;
    int buildNumber;
    int versionClass;

protected:
    void Set(const OSVERSIONINFOA* pInfo);
};

extern const CSysInfo g_sysInfo;
