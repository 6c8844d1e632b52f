#include <windows.h>
#include <shlobj.h>
#include "shell/SpecialFolder_int.h"

bool GetSpecialFolder(char* path, int csidl, int create)
{
    return ::SHGetSpecialFolderPathA(NULL, path, csidl, create) != FALSE;
}
