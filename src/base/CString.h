// CString: the library's growable, zero-terminated ANSI text with value
// semantics. Hosts construct, pass and receive strings, so the two fields,
// their order and the allocation rule are binary interface:
//  - every buffer the string allocates is a zero-filled multiple of 32 bytes,
//    the smallest one above the text length (no doubling);
//  - buffers come from the C heap and are released with free, also the ones
//    handed over by SetTo/SetBuffer and Detach.
#pragma once

#include <windows.h>
#include "frame/CmnDllApi.h"

class CMNDLL_API CString {
public:
    CString();
    CString(const char* p);
    CString(const CString& other);
    ~CString();

    int GetLength() const;
    bool IsEmpty() const { return GetLength() == 0; }
    // Returns the capacity before the call. keepText raises length to at
    // least the current text length.
    int Reserve(int length, bool keepText, bool force);
    // release false zero-fills the buffer; true replaces it with 32 fresh bytes.
    void Empty(bool release);
    bool LoadFromResource(UINT id);
    // The buffer becomes the caller's (release it with free); the string
    // starts over with 32 empty bytes.
    char* Detach();

    // Installs a caller's heap buffer of size bytes and hands back the old
    // one, which the caller then owns. NULL or size <= 0 empties the string
    // instead and returns its own, still owned, buffer.
    char* SetTo(char* buf, int size);
    char* SetBuffer(char* buf, int size);

    char* GetBuffer() const;
    operator char*();
    operator const char*() const;
    // The index operations check nothing: the index stays within the capacity.
    char& operator[](int i);
    char operator[](int i) const;
    char GetAt(int i) const;
    void SetAt(int i, char ch);

    CString& operator=(const CString& other);
    CString& operator=(const char* p);
    CString& operator=(char ch);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* p);
    CString& operator+=(char ch);
    CString operator+(const CString& other) const;
    CString operator+(const char* p) const;
    CString operator+(char ch) const;

    // Case-sensitive ordinal comparison; a double-byte character counts as
    // one unit (lead byte high).
    bool operator==(const CString& other) const;
    bool operator!=(const CString& other) const;
    bool operator<(const CString& other) const;
    bool operator>(const CString& other) const;
    bool operator<=(const CString& other) const;
    bool operator>=(const CString& other) const;
    bool operator==(const char* p) const;
    bool operator!=(const char* p) const;
    bool operator<(const char* p) const;
    bool operator>(const char* p) const;
    bool operator<=(const char* p) const;
    bool operator>=(const char* p) const;

    // sscanf over this text; the format comes from a string resource or
    // from the caller.
    int Scanf(UINT id, ...);
    int Scanf(const char* format, ...);

protected:
    // ---- Binary interface: these two fields, in this order ----
    char* text;
    int capacity;

    void Grow(int length, bool keepText, bool force);
    void Append(const char* p, int length);
    int Compare(const char* p) const;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(CString) == 8, "CString is a buffer pointer and a capacity");
#endif
