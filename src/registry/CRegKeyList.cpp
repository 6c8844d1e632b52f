#include <windows.h>
#include "registry/CRegKeyList.h"
#include "base/TextCompare.h"

namespace {

const char* NameOf(const CRegFindInfo& info)
{
    return info.name != NULL ? info.name : "";
}

}  // namespace

int CRegFindInfo::Compare(CRegFindInfo& other)
{
    return CompareTextOrdinal(NameOf(*this), NameOf(other));
}

int CRegFindInfo::CompareNoCase(CRegFindInfo& other)
{
    return CompareTextNoCase(NameOf(*this), NameOf(other));
}

bool CRegFindInfo::operator==(CRegFindInfo& other)
{
    return CompareNoCase(other) == 0;
}

bool CRegFindInfo::operator!=(CRegFindInfo& other)
{
    return CompareNoCase(other) != 0;
}

bool CRegFindInfo::operator<(CRegFindInfo& other)
{
    return CompareNoCase(other) < 0;
}

bool CRegFindInfo::operator>(CRegFindInfo& other)
{
    return CompareNoCase(other) > 0;
}

// The assignment operator is defaulted in the class, so that the record stays
// trivially copyable (the list moves its payloads as bytes) and hosts built
// against the header copy entries inline. It is an entry point of the DLL all
// the same, for hosts that import it: the same copy is exported here under
// the member's own symbol, with the member calling convention (this in ECX on
// i686, the callee pops the argument).
#if defined(__i386__)
#define CMNDLL_MEMBER_CALL __attribute__((thiscall))
#else
#define CMNDLL_MEMBER_CALL
#endif
#define CMNDLL_TEXT2(x) #x
#define CMNDLL_TEXT(x) CMNDLL_TEXT2(x)

CRegFindInfo* CMNDLL_MEMBER_CALL CRegFindInfoAssign(CRegFindInfo* self, const CRegFindInfo* other)
    __asm__(CMNDLL_TEXT(__USER_LABEL_PREFIX__) "_ZN12CRegFindInfoaSERKS_");

CRegFindInfo* CMNDLL_MEMBER_CALL CRegFindInfoAssign(CRegFindInfo* self, const CRegFindInfo* other)
{
    *self = *other;
    return self;
}

#if defined(CMNDLL_BUILDING_DLL)
// The linker directive dllexport would write, naming the symbol without the
// user-label prefix as the linker expects it.
__asm__(".section .drectve\n\t.ascii \" -export:\\\"_ZN12CRegFindInfoaSERKS_\\\"\"\n\t.text");
#endif

CRegKeyList::CRegKeyList() : flag(false), keys(), values(), extra1(0), extra2(0)
{
}

CRegKeyList::CRegKeyList(const CRegKeyList& other)
    : flag(other.flag), keys(), values(), extra1(other.extra1), extra2(other.extra2)
{
    // Copying only rewinds the other lists' anchors.
    CRegKeyList& source = const_cast<CRegKeyList&>(other);
    keys.AppendAll(source.keys);
    values.AppendAll(source.values);
}

CRegKeyList::~CRegKeyList()
{
    keys.RemoveAll();
    values.RemoveAll();
}

CRegKeyList& CRegKeyList::operator=(const CRegKeyList& other)
{
    // Emptying the lists first would leave nothing to copy from.
    if (&other == this)
        return *this;
    CRegKeyList& source = const_cast<CRegKeyList&>(other);
    flag = other.flag;
    keys.RemoveAll();
    keys.AppendAll(source.keys);
    values.RemoveAll();
    values.AppendAll(source.values);
    extra1 = other.extra1;
    extra2 = other.extra2;
    return *this;
}

void CRegKeyList::SortKeys(bool ascending)
{
    keys.Sort(0, keys.GetCount() - 1, ascending, true, NULL);
}

void CRegKeyList::SortValues(bool ascending)
{
    values.Sort(0, values.GetCount() - 1, ascending, true, NULL);
}
