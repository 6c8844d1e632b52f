// CPathName: a path made absolute and long-form, with its folder.
#pragma once

#include <windows.h>

class CPathName {
public:
    // strict: a path whose long form cannot be found (no such file) stays
    // unset instead of being used in its merely absolute form.
    CPathName(const char* path, bool strict);
    ~CPathName();
    CPathName(const CPathName&) = delete;
    CPathName& operator=(const CPathName&) = delete;

    enum { kBufferSize = 520 };

    bool IsSet() const { return fullPath != NULL && fullPath[0] != '\0'; }

    bool strict;
    char* fullPath;     // kBufferSize bytes; empty while unset
    char* folder;       // fullPath up to its last '\' (C:\ for a drive root); NULL while unset

protected:
    void Set(const char* path);
    void SetFolder();
};
