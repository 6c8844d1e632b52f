// CRegFindInfo and CRegKeyList: what a host found in a registry key, its
// sub-keys in one list and its values in another. The host fills and reads
// the lists itself; the library only compares, copies and sorts entries, and
// never looks at anything but an entry's name.
//
// Hosts construct both classes themselves: the fields and their order are
// binary interface.
#pragma once

#include <windows.h>
#include "frame/CmnDllApi.h"
#include "base/CLinkedList.h"

class CMNDLL_API CRegFindInfo {
public:
    // Case-sensitive ordinal order: Beta comes before alpha.
    int Compare(CRegFindInfo& other);
    // A-Z fold to a-z; the four relational operators use this order.
    int CompareNoCase(CRegFindInfo& other);
    bool operator==(CRegFindInfo& other);
    bool operator!=(CRegFindInfo& other);
    bool operator<(CRegFindInfo& other);
    bool operator>(CRegFindInfo& other);

    CRegFindInfo() = default;
    CRegFindInfo(const CRegFindInfo& other) = default;
    // Copies the seven fields and shares what they point to.
    CRegFindInfo& operator=(const CRegFindInfo& other);

    // ---- Binary interface: these fields, in this order ----
    // An entry without a name (NULL) compares as the empty name.
    char* name;
    // The host's own meaning from here on; the library carries these along.
    DWORD type;           // value type, 0 for a key
    DWORD size;           // data size in bytes
    BYTE* data;           // the value's data, owned by the host
    DWORD subKeyCount;    // of a key entry
    DWORD valueCount;     // of a key entry
    LPARAM param;         // free for the host
};

class CMNDLL_API CRegKeyList {
public:
    CRegKeyList();
    CRegKeyList(const CRegKeyList& other);
    // Releases the nodes of both lists, never what entries point to.
    ~CRegKeyList();
    // Replaces both lists with copies of the other's entries.
    CRegKeyList& operator=(const CRegKeyList& other);

    // Case-insensitive order by name; entries of equal names in any order.
    void SortKeys(bool ascending);
    void SortValues(bool ascending);

    // ---- Binary interface: these fields, in this order ----
    bool flag;
    CLinkedList<CRegFindInfo> keys;
    CLinkedList<CRegFindInfo> values;
    DWORD_PTR extra1;
    DWORD_PTR extra2;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(CRegFindInfo) == 28, "seven 32-bit fields");
static_assert(sizeof(CRegKeyList) == 20, "flag, two list anchors and two 32-bit values");
#endif
