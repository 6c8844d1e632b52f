#include <windows.h>
#include <string.h>
#include "base/PathUtil_int.h"
#include "base/CCmdLine_int.h"

bool IsEmptyText(const char* text)
{
    return text == NULL || text[0] == '\0';
}

bool CopyPathText(char* out, const char* text)
{
    const size_t len = text ? strlen(text) : 0;
    if (len >= MAX_PATH) {
        out[0] = '\0';
        return false;
    }
    memcpy(out, text ? text : "", len + 1);
    return true;
}

// True when a separator has to go between path and a following name.
static bool NeedsSeparator(const char* path, size_t len)
{
    return len != 0 && path[len - 1] != '\\' && path[len - 1] != '/';
}

void AppendSeparator(char* path)
{
    const size_t len = strlen(path);
    if (!NeedsSeparator(path, len))
        return;
    if (len + 1 >= MAX_PATH) {
        path[0] = '\0';
        return;
    }
    path[len] = '\\';
    path[len + 1] = '\0';
}

char* JoinPath(char* path, const char* name)
{
    const size_t len = strlen(path);
    const size_t sep = NeedsSeparator(path, len) ? 1 : 0;
    const size_t add = name ? strlen(name) : 0;
    if (len + sep + add >= MAX_PATH) {
        path[0] = '\0';
        return path;
    }
    AppendSeparator(path);
    memcpy(path + len + sep, name ? name : "", add + 1);
    return path;
}

void MakePath(char* out, const char* folder, const char* name)
{
    if (CopyPathText(out, folder))
        JoinPath(out, name);
}

bool FileExists(const char* path)
{
    if (IsEmptyText(path))
        return false;
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void GetProgramFolder(char* out)
{
    CCmdLine cmdLine;
    cmdLine.ProgramFolder(out);
}
