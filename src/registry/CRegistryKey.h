// CRegistryKey: one open registry key, given as a root and a relative path.
// Reads and writes report 1 on success and 0 on any failure; a key that is
// not open fails them without touching the registry. A failed read leaves
// the destination as it was (the 512-byte text form gives the default text),
// so callers preset their defaults and read.
//
// Hosts construct keys themselves: the fields, their order and the virtual
// destructor are binary interface.
#pragma once

#include <windows.h>
#include "frame/CmnDllApi.h"

class CString;

class CMNDLL_API CRegistryKey {
public:
    CRegistryKey();
    CRegistryKey(const CRegistryKey& other);
    // openOnly false creates the key and any missing parents.
    CRegistryKey(const char* pszPath, HKEY hRoot, bool openOnly);
    CRegistryKey(const char* pszPath, const char* pszSubPath, HKEY hRoot, bool openOnly);
    virtual ~CRegistryKey();

    CRegistryKey& operator=(const CRegistryKey& other);
    operator HKEY();

    // The path is pszPath, a backslash, pszSubPath (either part may be NULL
    // or empty). An empty path stands for the root itself, which this class
    // never closes. Paths longer than 1023 characters are refused.
    bool Open(const char* pszPath, const char* pszSubPath, HKEY hRoot);
    bool Open(const char* pszPath, HKEY hRoot);
    bool Create(const char* pszPath, const char* pszSubPath, HKEY hRoot);
    bool Create(const char* pszPath, HKEY hRoot);
    void Close();
    bool IsOpen();
    long Flush();

    int SetValue(const char* name, bool value);                    // REG_BINARY, 1 byte
    int SetValue(const char* name, const char* text);              // REG_SZ; NULL writes 0 bytes
    int SetValue(const char* name, const void* data, int size);    // REG_BINARY
    int SetValue(const char* name, int value);                     // REG_DWORD
    int SetValue(const char* name, unsigned int value);            // REG_DWORD
    int DeleteValue(const char* name);

    // A read succeeds when the stored data, whatever its type, fits into the
    // destination's width; it lands at the destination's start.
    int GetValue(const char* name, int& value);
    int GetValue(const char* name, unsigned int& value);
    int GetValue(const char* name, unsigned long& value);
    int QueryValue(const char* name, int& value);
    int QueryValue(const char* name, unsigned int& value);
    int GetValue(const char* name, bool& value);
    int GetValue(const char* name, char& value);
    int GetValue(const char* name, unsigned char& value);
    // *size: the room in data on entry, the stored size on return.
    int GetValue(const char* name, void* data, unsigned long* size);
    // buffer holds 512 bytes and always ends up with a terminated text.
    int GetValue(const char* name, char* buffer, const char* defaultText);
    // A value of any size, up to its first zero byte.
    int GetValue(const char* name, CString& text);

protected:
    void Reset();
    bool Compose(const char* pszPath, const char* pszSubPath);
    bool OpenOrCreate(const char* pszPath, const char* pszSubPath, HKEY hRoot, bool create);
    int Read(const char* name, void* destination, DWORD width, DWORD* stored);
    int Write(const char* name, DWORD type, const void* data, DWORD size);

    // ---- Binary interface: these fields, in this order ----
    HKEY handle;
    HKEY root;
    char* path;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(CRegistryKey) == 16, "virtual table, handle, root and path");
#endif
