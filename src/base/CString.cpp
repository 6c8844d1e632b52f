#include <windows.h>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include "base/CString.h"
#include "base/TextCompare.h"
#include "frame/ResourceSearch_int.h"

namespace {

// Buffers grow in steps of this many bytes.
const int kGranularity = 32;
// LoadFromResource reads through a fixed buffer of this size.
const int kResourceTextMax = 1024;

const char kEmpty[] = "";

// The string keeps no length, so every append measures its text first; this
// scan looks at 16 bytes a step. Aligned loads never cross into a page the
// text does not reach.
size_t ScanLength(const char* s)
{
#if defined(__SSE2__)
    const uintptr_t misalign = reinterpret_cast<uintptr_t>(s) & 15;
    const __m128i zero = _mm_setzero_si128();
    const __m128i* block = reinterpret_cast<const __m128i*>(s - misalign);
    unsigned int mask = static_cast<unsigned int>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_load_si128(block), zero)));
    mask >>= misalign;
    if (mask != 0)
        return __builtin_ctz(mask);
    // Single blocks up to a 64-byte boundary, then 64 bytes a step: a
    // 64-byte aligned group never straddles two pages.
    for (;;) {
        ++block;
        if ((reinterpret_cast<uintptr_t>(block) & 63) == 0)
            break;
        mask = static_cast<unsigned int>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_load_si128(block), zero)));
        if (mask != 0)
            return static_cast<size_t>(reinterpret_cast<const char*>(block) - s) + __builtin_ctz(mask);
    }
    for (;; block += 4) {
        const __m128i a = _mm_load_si128(block);
        const __m128i b = _mm_load_si128(block + 1);
        const __m128i c = _mm_load_si128(block + 2);
        const __m128i d = _mm_load_si128(block + 3);
        const __m128i low = _mm_min_epu8(_mm_min_epu8(a, b), _mm_min_epu8(c, d));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(low, zero)) == 0)
            continue;
        for (int i = 0; i < 4; ++i) {
            mask = static_cast<unsigned int>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_load_si128(block + i), zero)));
            if (mask != 0)
                return static_cast<size_t>(reinterpret_cast<const char*>(block + i) - s) + __builtin_ctz(mask);
        }
    }
#else
    return strlen(s);
#endif
}

}  // namespace

CString::CString() : text(NULL), capacity(0)
{
    Grow(0, false, false);
}

CString::CString(const char* p) : text(NULL), capacity(0)
{
    Grow(p != NULL ? static_cast<int>(ScanLength(p)) : 0, false, false);
    *this = p;
}

CString::CString(const CString& other) : text(NULL), capacity(0)
{
    Grow(other.GetLength(), false, false);
    *this = other.text;
}

CString::~CString()
{
    if (capacity != 0)
        free(text);
}

int CString::GetLength() const
{
    return text != NULL ? static_cast<int>(ScanLength(text)) : 0;
}

int CString::Reserve(int length, bool keepText, bool force)
{
    const int before = capacity;
    if (keepText) {
        const int current = GetLength();
        if (length < current)
            length = current;
    }
    Grow(length, keepText, force);
    return before;
}

// The growth rule: the smallest multiple of 32 above length, zero-filled.
// Reallocating and clearing the new tail leaves the same bytes as copying
// into a fresh zeroed block, and lets the heap extend in place.
void CString::Grow(int length, bool keepText, bool force)
{
    if (length < capacity && !force)
        return;
    if (length < 0)
        length = 0;
    const int newCapacity = (length / kGranularity + 1) * kGranularity;
    if (keepText && text != NULL && capacity != 0) {
        text = static_cast<char*>(realloc(text, newCapacity));
        if (newCapacity > capacity)
            memset(text + capacity, 0, newCapacity - capacity);
    } else {
        if (capacity != 0)
            free(text);
        text = static_cast<char*>(calloc(newCapacity, 1));
    }
    capacity = newCapacity;
}

void CString::Empty(bool release)
{
    if (release) {
        Grow(0, false, true);
    } else if (capacity > 0) {
        memset(text, 0, capacity);
    }
}

bool CString::LoadFromResource(UINT id)
{
    text[0] = '\0';
    char loaded[kResourceTextMax];
    const int length = LoadStringRes(id, loaded, sizeof(loaded));
    if (length == 0)
        return false;
    Grow(length, false, false);
    memcpy(text, loaded, length + 1);
    return true;
}

char* CString::Detach()
{
    char* buffer = text;
    text = NULL;
    capacity = 0;
    Grow(0, false, false);
    return buffer;
}

char* CString::SetTo(char* buf, int size)
{
    char* old = text;
    if (buf != NULL && size > 0) {
        text = buf;
        capacity = size;
    } else {
        Empty(false);
    }
    return old;
}

char* CString::SetBuffer(char* buf, int size)
{
    return SetTo(buf, size);
}

char* CString::GetBuffer() const
{
    return text;
}

CString::operator char*()
{
    return text;
}

CString::operator const char*() const
{
    return text;
}

char& CString::operator[](int i)
{
    return text[i];
}

char CString::operator[](int i) const
{
    return GetAt(i);
}

char CString::GetAt(int i) const
{
    return text[i];
}

void CString::SetAt(int i, char ch)
{
    text[i] = ch;
}

CString& CString::operator=(const CString& other)
{
    return *this = other.text;
}

CString& CString::operator=(const char* p)
{
    if (p == NULL) {
        Empty(false);
        return *this;
    }
    const int length = static_cast<int>(ScanLength(p));
    // A text inside this string's own buffer (s = s, or a tail of it) always
    // fits and must not be released before it is read.
    if (p >= text && p < text + capacity) {
        memmove(text, p, length + 1);
        return *this;
    }
    Grow(length, false, false);
    memcpy(text, p, length + 1);
    return *this;
}

CString& CString::operator=(char ch)
{
    const char one[2] = { ch, '\0' };
    return *this = one;
}

void CString::Append(const char* p, int length)
{
    if (length <= 0)
        return;
    const int current = GetLength();
    // s += s: the source may move with the buffer; find it again by offset.
    const bool own = p >= text && p < text + capacity;
    const ptrdiff_t offset = own ? p - text : 0;
    Grow(current + length, true, false);
    const char* source = own ? text + offset : p;
    memmove(text + current, source, length);
    text[current + length] = '\0';
}

CString& CString::operator+=(const CString& other)
{
    Append(other.text, other.GetLength());
    return *this;
}

CString& CString::operator+=(const char* p)
{
    Append(p, p != NULL ? static_cast<int>(ScanLength(p)) : 0);
    return *this;
}

CString& CString::operator+=(char ch)
{
    const char one[2] = { ch, '\0' };
    Append(one, ch != '\0' ? 1 : 0);
    return *this;
}

CString CString::operator+(const CString& other) const
{
    CString result(*this);
    result += other;
    return result;
}

CString CString::operator+(const char* p) const
{
    CString result(*this);
    result += p;
    return result;
}

CString CString::operator+(char ch) const
{
    CString result(*this);
    result += ch;
    return result;
}

int CString::Compare(const char* p) const
{
    return CompareTextOrdinal(text != NULL ? text : kEmpty, p);
}

bool CString::operator==(const CString& other) const { return Compare(other.text) == 0; }
bool CString::operator!=(const CString& other) const { return Compare(other.text) != 0; }
bool CString::operator<(const CString& other) const { return Compare(other.text) < 0; }
bool CString::operator>(const CString& other) const { return Compare(other.text) > 0; }
bool CString::operator<=(const CString& other) const { return Compare(other.text) <= 0; }
bool CString::operator>=(const CString& other) const { return Compare(other.text) >= 0; }
bool CString::operator==(const char* p) const { return Compare(p) == 0; }
bool CString::operator!=(const char* p) const { return Compare(p) != 0; }
bool CString::operator<(const char* p) const { return Compare(p) < 0; }
bool CString::operator>(const char* p) const { return Compare(p) > 0; }
bool CString::operator<=(const char* p) const { return Compare(p) <= 0; }
bool CString::operator>=(const char* p) const { return Compare(p) >= 0; }

// The caller's receiving arguments travel on as a va_list, so their number
// and kind are sscanf's business alone.
int CString::Scanf(UINT id, ...)
{
    CString format;
    if (!format.LoadFromResource(id))
        return 0;
    va_list args;
    va_start(args, id);
    const int result = vsscanf(text, format.text, args);
    va_end(args);
    return result;
}

int CString::Scanf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int result = vsscanf(text, format, args);
    va_end(args);
    return result;
}
