// Ordinal text comparisons that know the ANSI code page: in a double-byte
// code page a lead byte and its trail byte are one unit (lead byte high), and
// a lead byte followed by the terminator ends the text. In a single-byte code
// page the case-sensitive form is plain strcmp. Inline because the linked
// list template sorts with them in whatever module instantiates it.
#pragma once

#include <windows.h>

namespace TextCompareDetail {

inline bool IsDoubleByteCodePage()
{
    static const bool s_double = [] {
        CPINFO info;
        return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
    }();
    return s_double;
}

// Reads one unit and advances past it; 0 at the end of the text.
inline unsigned int NextUnit(const unsigned char*& p, bool doubleByte)
{
    unsigned int unit = *p;
    if (unit == 0)
        return 0;
    ++p;
    if (doubleByte && IsDBCSLeadByte(static_cast<BYTE>(unit))) {
        if (*p == 0)
            return 0;
        unit = (unit << 8) | *p++;
    }
    return unit;
}

}  // namespace TextCompareDetail

// Negative, zero or positive, like strcmp; no case folding, no collation.
inline int CompareTextOrdinal(const char* a, const char* b)
{
    const bool doubleByte = TextCompareDetail::IsDoubleByteCodePage();
    const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
    for (;;) {
        const unsigned int ua = TextCompareDetail::NextUnit(pa, doubleByte);
        const unsigned int ub = TextCompareDetail::NextUnit(pb, doubleByte);
        if (ua != ub)
            return ua < ub ? -1 : 1;
        if (ua == 0)
            return 0;
    }
}

// Case-insensitive: a single-byte code page folds A-Z to a-z, a double-byte
// one maps single-byte letters to upper case and compares the units. Only
// the ASCII letters fold.
inline int CompareTextNoCase(const char* a, const char* b)
{
    const bool doubleByte = TextCompareDetail::IsDoubleByteCodePage();
    const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
    for (;;) {
        unsigned int ua = TextCompareDetail::NextUnit(pa, doubleByte);
        unsigned int ub = TextCompareDetail::NextUnit(pb, doubleByte);
        if (doubleByte) {
            if (ua >= 'a' && ua <= 'z') ua -= 'a' - 'A';
            if (ub >= 'a' && ub <= 'z') ub -= 'a' - 'A';
        } else {
            if (ua >= 'A' && ua <= 'Z') ua += 'a' - 'A';
            if (ub >= 'A' && ub <= 'Z') ub += 'a' - 'A';
        }
        if (ua != ub)
            return ua < ub ? -1 : 1;
        if (ua == 0)
            return 0;
    }
}
