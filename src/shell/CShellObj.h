// CShellObj: the paths of the shell's special folders, for the host.
//
// Every operation fills a caller buffer of at least MAX_PATH (260) bytes and
// answers whether a path was delivered. A non-zero create asks the shell to
// make the folder when it does not exist yet. Nothing is cached: each call
// asks the shell again, so a folder the user moved is found where it is now.
#pragma once

#include <windows.h>
#include "frame/CmnDllApi.h"

class CMNDLL_API CShellObj {
public:
    CShellObj() {}
    CShellObj(const CShellObj&) {}
    // The class holds no data; assignment exists because hosts link to it.
    CShellObj& operator=(const CShellObj& other);

    static bool GetDirStartup(char* path, int create);
    static bool GetDirPrograms(char* path, int create);
    static bool GetDirPersonal(char* path, int create);
    static bool GetDirFavorites(char* path, int create);
    static bool GetDirRecent(char* path, int create);
    static bool GetDirSendTo(char* path, int create);
    static bool GetDirStartMenu(char* path, int create);
    static bool GetDirAppData(char* path, int create);
    static bool GetDirTemplates(char* path, int create);
    static bool GetDirNethood(char* path, int create);
    static bool GetDirPrinthood(char* path, int create);
    static bool GetDirBitBucket(char* path, int create);
    static bool GetDirAltStartup(char* path, int create);
    static bool GetDirDesktopDirectory(char* path, int create);
    static bool GetDirCommon_Startup(char* path, int create);
    static bool GetDirCommon_Programs(char* path, int create);
    static bool GetDirCommon_Favorites(char* path, int create);
    static bool GetDirCommon_StartMenu(char* path, int create);
    static bool GetDirCommon_AltStartup(char* path, int create);
    static bool GetDirCommon_DesktopDirectory(char* path, int create);
    static bool GetDirCookies(char* path, int create);
    static bool GetDirHistory(char* path, int create);
    static bool GetDirInternet_Cache(char* path, int create);
};
