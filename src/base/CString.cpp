#include <windows.h>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <climits>
#include <atomic>
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

// Capacities up to this are allocated exactly.
const int kExactBlockMax = 512;

// The heap block behind a buffer of the string's own: above kExactBlockMax,
// the capacity rounded up to an eighth of its power of two. Any capacity
// between one that was allocated and the end of its block rounds up to the
// same end, so the block size can be told from the capacity alone.
int BlockSize(int capacity)
{
    if (capacity <= kExactBlockMax)
        return capacity;
    int64_t step = 1;
    while (step * 2 <= capacity)
        step *= 2;
    step /= 8;
    const int64_t block = (capacity + step - 1) / step * step;
    return block <= INT_MAX ? static_cast<int>(block) : capacity;
}

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

// Known lengths.
//
// The string has no field for its length, so an append would have to
// measure the whole text first and building a text piece by piece would be
// quadratic. This table remembers the lengths of buffers, keyed by the
// buffer's address. What keeps an entry honest is what it stands for: the
// buffer was allocated by the string and no writable pointer to it has been
// handed out since (GetBuffer, operator char*, the writable operator[],
// Detach, SetTo), so the string's own members are the only writers, and
// each of them keeps the entry up to date. Handing a pointer out drops the
// entry, and the buffer earns a new one only when growth replaces it: a
// pointer handed out is good until the string next grows (the growth rule
// promises a new buffer then), so no held pointer can write into a buffer
// that has an entry. A buffer that leaves the string (release, move, hand-over)
// drops its entry first, so an address the heap hands out again starts
// without one. A missing entry, through a hand-out or a collision, only
// means measuring as before. Each entry is one word shared by all threads,
// so a string that moves to another thread and back meets no old length.
// As only Grow creates entries, right after allocating, an entry also tells
// that the block behind the buffer is BlockSize(capacity) bytes.
const int kSlotBits = 8;
const int kAlignBits = sizeof(void*) == 8 ? 4 : 3;   // heap blocks are 16 and 8 bytes aligned
const int kTagBits = (sizeof(void*) == 8 ? 47 : 32) - kAlignBits - kSlotBits;
const int kLengthBits = 64 - kTagBits;
// An entry whose buffer is the string's alone but whose length has not
// been measured yet; also stands for lengths too large for the field.
const uint64_t kUnmeasured = (uint64_t(1) << kLengthBits) - 1;

std::atomic<uint64_t> g_lengths[1 << kSlotBits];

struct Slot {
    std::atomic<uint64_t>* cell;   // NULL: the address can have no entry
    uint64_t tag;
};

// The tag and the slot index together give back the address.
Slot Locate(const char* text)
{
    const uintptr_t address = reinterpret_cast<uintptr_t>(text);
    const uint64_t tag = static_cast<uint64_t>(address) >> (kAlignBits + kSlotBits);
    Slot slot = { NULL, 0 };
    if ((address & ((1u << kAlignBits) - 1)) != 0 || tag == 0 || (tag >> kTagBits) != 0)
        return slot;
    slot.cell = &g_lengths[((address >> kAlignBits) ^ tag) & ((1u << kSlotBits) - 1)];
    slot.tag = tag;
    return slot;
}

// The length field of the buffer's entry; false when it has none.
bool FindEntry(const Slot& slot, uint64_t* field)
{
    if (slot.cell == NULL)
        return false;
    const uint64_t entry = slot.cell->load(std::memory_order_relaxed);
    if ((entry >> kLengthBits) != slot.tag)
        return false;
    *field = entry & kUnmeasured;
    return true;
}

void StoreEntry(const Slot& slot, uint64_t field)
{
    slot.cell->store((slot.tag << kLengthBits) | field, std::memory_order_relaxed);
}

uint64_t LengthField(int length)
{
    return static_cast<uint64_t>(length) < kUnmeasured ? static_cast<uint64_t>(length) : kUnmeasured;
}

// A buffer just allocated with BlockSize bytes and not yet seen outside the
// string. length < 0: not known.
void Adopt(const char* text, int length)
{
    const Slot slot = Locate(text);
    if (slot.cell != NULL)
        StoreEntry(slot, length < 0 ? kUnmeasured : LengthField(length));
}

// The string wrote its own buffer and knows the new length; length < 0: the
// string no longer knows it.
void Remember(const char* text, int length)
{
    const Slot slot = Locate(text);
    uint64_t field;
    if (FindEntry(slot, &field))
        StoreEntry(slot, length < 0 ? kUnmeasured : LengthField(length));
}

// The buffer is handed out, released or replaced.
void Forget(const char* text)
{
    const Slot slot = Locate(text);
    uint64_t field;
    if (FindEntry(slot, &field))
        slot.cell->store(0, std::memory_order_relaxed);
}

bool HasEntry(const char* text)
{
    uint64_t field;
    return FindEntry(Locate(text), &field);
}

// The length when the table knows it, or -1.
int KnownLength(const char* text)
{
    uint64_t field;
    if (!FindEntry(Locate(text), &field) || field == kUnmeasured)
        return -1;
    return static_cast<int>(field);
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
    if (capacity != 0) {
        Forget(text);
        free(text);
    }
}

int CString::GetLength() const
{
    if (text == NULL)
        return 0;
    const Slot slot = Locate(text);
    uint64_t field;
    const bool own = FindEntry(slot, &field);
    if (own && field != kUnmeasured)
        return static_cast<int>(field);
    const int length = static_cast<int>(ScanLength(text));
    if (own)
        StoreEntry(slot, LengthField(length));
    return length;
}

int CString::Reserve(int length, bool keepText, bool force)
{
    const int before = capacity;
    int current = 0;
    if (keepText) {
        current = GetLength();
        if (length < current)
            length = current;
    }
    Grow(length, keepText, force);
    if (keepText)
        Remember(text, current);
    return before;
}

// The growth rule: the smallest multiple of 32 above length, zero-filled.
// Reallocating and clearing the new tail leaves the same bytes as copying
// into a fresh zeroed block. A long text gets a heap block with room beyond
// its capacity (BlockSize), so most growth steps of a text being built only
// clear the next 32 bytes instead of asking the heap every time.
void CString::Grow(int length, bool keepText, bool force)
{
    if (length < capacity && !force)
        return;
    if (length < 0)
        length = 0;
    const int newCapacity = (length / kGranularity + 1) * kGranularity;
    if (keepText && text != NULL && capacity != 0) {
        // Only a buffer with an entry is known to be one of ours, whose
        // block is BlockSize(capacity) bytes; any other is reallocated.
        const bool ours = HasEntry(text);
        if (ours && newCapacity > capacity && newCapacity <= BlockSize(capacity)) {
            memset(text + capacity, 0, newCapacity - capacity);
            capacity = newCapacity;
            return;
        }
        const int known = KnownLength(text);
        Forget(text);
        text = static_cast<char*>(realloc(text, BlockSize(newCapacity)));
        if (newCapacity > capacity)
            memset(text + capacity, 0, newCapacity - capacity);
        Adopt(text, known < newCapacity ? known : -1);
    } else {
        if (capacity != 0) {
            Forget(text);
            free(text);
        }
        text = static_cast<char*>(calloc(BlockSize(newCapacity), 1));
        Adopt(text, 0);
    }
    capacity = newCapacity;
}

void CString::Empty(bool release)
{
    if (release) {
        Grow(0, false, true);
    } else if (capacity > 0) {
        memset(text, 0, capacity);
        Remember(text, 0);
    }
}

bool CString::LoadFromResource(UINT id)
{
    text[0] = '\0';
    Remember(text, 0);
    char loaded[kResourceTextMax];
    const int length = LoadStringRes(id, loaded, sizeof(loaded));
    if (length == 0)
        return false;
    Grow(length, false, false);
    memcpy(text, loaded, length + 1);
    Remember(text, length);
    return true;
}

char* CString::Detach()
{
    char* buffer = text;
    Forget(buffer);
    text = NULL;
    capacity = 0;
    Grow(0, false, false);
    return buffer;
}

char* CString::SetTo(char* buf, int size)
{
    char* old = text;
    if (buf != NULL && size > 0) {
        Forget(old);
        Forget(buf);
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
    Forget(text);
    return text;
}

CString::operator char*()
{
    Forget(text);
    return text;
}

CString::operator const char*() const
{
    return text;
}

char& CString::operator[](int i)
{
    Forget(text);
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
    const int known = KnownLength(text);
    if (known < 0)
        return;
    if (i < known && ch == '\0')
        Remember(text, i);
    else if (i == known && ch != '\0')
        Remember(text, -1);   // the terminator is gone: measure when asked
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
        Remember(text, length);
        return *this;
    }
    Grow(length, false, false);
    memcpy(text, p, length + 1);
    Remember(text, length);
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
    Remember(text, current + length);
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

// Texts are often built a character at a time: no general copy for one byte.
CString& CString::operator+=(char ch)
{
    if (ch == '\0')
        return *this;
    const Slot slot = Locate(text);
    uint64_t field;
    if (FindEntry(slot, &field) && field + 1 < kUnmeasured && static_cast<int64_t>(field) + 1 < capacity) {
        const int current = static_cast<int>(field);
        text[current] = ch;
        text[current + 1] = '\0';
        StoreEntry(slot, field + 1);
        return *this;
    }
    const int current = GetLength();
    Grow(current + 1, true, false);
    text[current] = ch;
    text[current + 1] = '\0';
    Remember(text, current + 1);
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
