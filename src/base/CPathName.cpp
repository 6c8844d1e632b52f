#include <windows.h>
#include <stdlib.h>
#include <string.h>
#include "base/CPathName_int.h"

// Quotes count as padding: a path often arrives still wrapped in them.
static bool IsPadding(char c)
{
    return c == ' ' || c == '\t' || c == '"';
}

CPathName::CPathName(const char* path, bool bStrict)
    : strict(bStrict), fullPath(static_cast<char*>(malloc(kBufferSize))), folder(NULL)
{
    if (fullPath == NULL)
        return;
    fullPath[0] = '\0';
    Set(path);
}

CPathName::~CPathName()
{
    free(folder);
    free(fullPath);
}

void CPathName::Set(const char* path)
{
    if (path == NULL)
        return;
    while (IsPadding(*path))
        ++path;
    size_t len = strlen(path);
    while (len > 0 && IsPadding(path[len - 1]))
        --len;
    if (len == 0)
        return;

    char* trimmed = static_cast<char*>(malloc(len + 1));
    char* absolute = static_cast<char*>(malloc(kBufferSize));
    if (trimmed && absolute) {
        memcpy(trimmed, path, len);
        trimmed[len] = '\0';
        // Both calls answer the size they would need when the buffer is too
        // small: only a length below the buffer size is a result.
        const DWORD full = ::GetFullPathNameA(trimmed, kBufferSize, absolute, NULL);
        if (full > 0 && full < kBufferSize) {
            const DWORD lng = ::GetLongPathNameA(absolute, fullPath, kBufferSize);
            if (lng == 0 || lng >= kBufferSize) {
                fullPath[0] = '\0';
                if (!strict)
                    memcpy(fullPath, absolute, full + 1);
            }
        }
    }
    free(absolute);
    free(trimmed);
    SetFolder();
}

void CPathName::SetFolder()
{
    if (!IsSet())
        return;
    const char* last = strrchr(fullPath, '\\');
    if (last == NULL)
        return;
    size_t len = static_cast<size_t>(last - fullPath);
    const bool driveRoot = len > 0 && fullPath[len - 1] == ':';
    folder = static_cast<char*>(malloc(len + (driveRoot ? 2 : 1)));
    if (folder == NULL)
        return;
    memcpy(folder, fullPath, len);
    if (driveRoot)
        folder[len++] = '\\';
    folder[len] = '\0';
}
