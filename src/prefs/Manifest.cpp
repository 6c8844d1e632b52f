#include <windows.h>
#include <string.h>
#include "prefs/Manifest_int.h"
#include "base/CCmdLine_int.h"
#include "base/CPathName_int.h"
#include "base/PathUtil_int.h"
#include "shell/CSysInfo_int.h"

const char* const g_pszManifestSourceName = "Name.exe.manifest";

static const char g_szManifestSuffix[] = ".manifest";

// Visual styles exist from Windows 2000 on.
static bool HasVisualStyles(int versionClass)
{
    return versionClass > 4;
}

bool GetInstalledManifestPath(char* out, const CCmdLine& cmdLine)
{
    CPathName program(cmdLine.program, true);
    // An unknown program leaves the bare suffix (a name in the current
    // folder); a program path too long for the buffer leaves nothing.
    const char* full = program.IsSet() ? program.fullPath : "";
    if (strlen(full) + sizeof(g_szManifestSuffix) > MAX_PATH) {
        out[0] = '\0';
        return false;
    }
    strcpy(out, full);
    strcat(out, g_szManifestSuffix);
    return FileExists(out);
}

bool GetInstalledManifestPath(char* out)
{
    return GetInstalledManifestPath(out, CCmdLine());
}

bool GetManifestSourcePath(char* out, const CCmdLine& cmdLine)
{
    cmdLine.FileNextToProgram(out, g_pszManifestSourceName);
    return FileExists(out);
}

bool GetManifestSourcePath(char* out)
{
    return GetManifestSourcePath(out, CCmdLine());
}

bool CheckManifest(bool source, char* out, const CCmdLine& cmdLine)
{
    char path[MAX_PATH];
    const bool exists = source ? GetManifestSourcePath(path, cmdLine)
                               : GetInstalledManifestPath(path, cmdLine);
    if (out != NULL)
        strcpy(out, path);
    return exists;
}

bool CheckManifest(bool source, char* out)
{
    return CheckManifest(source, out, CCmdLine());
}

bool CanInstallManifest(char* out, const CCmdLine& cmdLine, int versionClass)
{
    return HasVisualStyles(versionClass) && CheckManifest(true, out, cmdLine);
}

bool CanInstallManifest(char* out)
{
    return CanInstallManifest(out, CCmdLine(), g_sysInfo.versionClass);
}

bool IsManifestInstalled(char* out, const CCmdLine& cmdLine, int versionClass)
{
    return HasVisualStyles(versionClass) && CheckManifest(false, out, cmdLine);
}

bool IsManifestInstalled(char* out)
{
    return IsManifestInstalled(out, CCmdLine(), g_sysInfo.versionClass);
}

void SwitchManifest(bool styleActive, const CCmdLine& cmdLine)
{
    char target[MAX_PATH];
    const bool exists = GetInstalledManifestPath(target, cmdLine);
    if (styleActive) {
        if (exists)
            ::DeleteFileA(target);
        return;
    }
    char source[MAX_PATH];
    if (GetManifestSourcePath(source, cmdLine) && !IsEmptyText(target))
        ::CopyFileA(source, target, TRUE);
}

void SwitchManifest(bool styleActive)
{
    SwitchManifest(styleActive, CCmdLine());
}
