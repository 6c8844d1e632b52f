#include <windows.h>
#include <shlobj.h>
#include "shell/CShellObj.h"
#include "shell/SpecialFolder_int.h"

CShellObj& CShellObj::operator=(const CShellObj& other)
{
    (void)other;
    return *this;
}

bool CShellObj::GetDirStartup(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_STARTUP, create);
}

bool CShellObj::GetDirPrograms(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_PROGRAMS, create);
}

bool CShellObj::GetDirPersonal(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_PERSONAL, create);
}

bool CShellObj::GetDirFavorites(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_FAVORITES, create);
}

bool CShellObj::GetDirRecent(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_RECENT, create);
}

bool CShellObj::GetDirSendTo(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_SENDTO, create);
}

bool CShellObj::GetDirStartMenu(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_STARTMENU, create);
}

bool CShellObj::GetDirAppData(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_APPDATA, create);
}

bool CShellObj::GetDirTemplates(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_TEMPLATES, create);
}

bool CShellObj::GetDirNethood(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_NETHOOD, create);
}

bool CShellObj::GetDirPrinthood(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_PRINTHOOD, create);
}

bool CShellObj::GetDirBitBucket(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_BITBUCKET, create);
}

bool CShellObj::GetDirAltStartup(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_ALTSTARTUP, create);
}

bool CShellObj::GetDirDesktopDirectory(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_DESKTOPDIRECTORY, create);
}

bool CShellObj::GetDirCommon_Startup(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_COMMON_STARTUP, create);
}

bool CShellObj::GetDirCommon_Programs(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_COMMON_PROGRAMS, create);
}

bool CShellObj::GetDirCommon_Favorites(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_COMMON_FAVORITES, create);
}

bool CShellObj::GetDirCommon_StartMenu(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_COMMON_STARTMENU, create);
}

bool CShellObj::GetDirCommon_AltStartup(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_COMMON_ALTSTARTUP, create);
}

bool CShellObj::GetDirCommon_DesktopDirectory(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_COMMON_DESKTOPDIRECTORY, create);
}

bool CShellObj::GetDirCookies(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_COOKIES, create);
}

bool CShellObj::GetDirHistory(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_HISTORY, create);
}

bool CShellObj::GetDirInternet_Cache(char* path, int create)
{
    return GetSpecialFolder(path, CSIDL_INTERNET_CACHE, create);
}
