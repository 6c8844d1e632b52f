// The visual-style manifest next to the host program: the system reads
// "<program>.manifest" when the host starts, and the host ships the template
// "Name.exe.manifest" beside itself. The installed copy's presence is the
// only record of whether the style is on.
//
// Each check has a form for the process's own program and one for a given
// command line, and the offers take the version class explicitly too, so
// that a host folder can be stood in for. Path buffers are MAX_PATH bytes.
#pragma once

#include <windows.h>

class CCmdLine;

extern const char* const g_pszManifestSourceName;   // "Name.exe.manifest"

// out := the program's full long path + ".manifest"; true when it exists.
bool GetInstalledManifestPath(char* out);
bool GetInstalledManifestPath(char* out, const CCmdLine& cmdLine);
// out := "Name.exe.manifest" in the program's folder; true when it exists.
bool GetManifestSourcePath(char* out);
bool GetManifestSourcePath(char* out, const CCmdLine& cmdLine);
// One of the two checks above; the path goes to out unless out is NULL.
bool CheckManifest(bool source, char* out);
bool CheckManifest(bool source, char* out, const CCmdLine& cmdLine);
// Windows 2000 or later (version class above 4) and the source is there.
bool CanInstallManifest(char* out);
bool CanInstallManifest(char* out, const CCmdLine& cmdLine, int versionClass);
// Windows 2000 or later and the installed copy is there.
bool IsManifestInstalled(char* out);
bool IsManifestInstalled(char* out, const CCmdLine& cmdLine, int versionClass);

// Switches the style for the next start: deletes the installed copy when the
// style is active now, otherwise copies the source without overwriting.
void SwitchManifest(bool styleActive);
void SwitchManifest(bool styleActive, const CCmdLine& cmdLine);
