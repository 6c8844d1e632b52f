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

CRegFindInfo& CRegFindInfo::operator=(const CRegFindInfo& other)
{
    name = other.name;
    type = other.type;
    size = other.size;
    data = other.data;
    subKeyCount = other.subKeyCount;
    valueCount = other.valueCount;
    param = other.param;
    return *this;
}

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
