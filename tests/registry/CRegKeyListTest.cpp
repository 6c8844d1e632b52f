#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "registry/CRegKeyList.h"

#if defined(_WIN64)
// The exported assignment entry, called the way a host that imports it does.
CRegFindInfo* ExportedAssign(CRegFindInfo* self, const CRegFindInfo* other) __asm__("_ZN12CRegFindInfoaSERKS_");
#endif

namespace {

CRegFindInfo Entry(const char* name, LPARAM param = 0)
{
    CRegFindInfo info = {};
    info.name = const_cast<char*>(name);
    info.param = param;
    return info;
}

// Names from the first node on, after checking that every next and prev
// agree and the anchor lies on the chain.
std::vector<std::string> Names(CLinkedList<CRegFindInfo>& list)
{
    std::vector<std::string> names;
    CLinkedList<CRegFindInfo>::Node* node = list.GetNode(0);
    EXPECT_TRUE(node == NULL || node->prev == NULL);
    for (; node != NULL; node = node->next) {
        if (node->next != NULL) {
            EXPECT_EQ(node, node->next->prev);
        }
        names.push_back(node->data.name);
    }
    return names;
}

void Fill(CLinkedList<CRegFindInfo>& list, std::initializer_list<const char*> names)
{
    LPARAM param = 0;
    for (const char* name : names)
        list.Append(Entry(name, ++param));
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

TEST(CRegFindInfoTest, OnlyCompareHeedsLetterCase)
{
    const struct {
        const char* a;
        const char* b;
        int compare;    // sign of Compare
        int noCase;     // sign of CompareNoCase and the operators
    } cases[] = {
        { "Beta", "alpha", -1, 1 },     // upper-case letters have smaller codes
        { "alpha", "Beta", 1, -1 },
        { "abc", "ABC", 1, 0 },
        { "Key", "key", -1, 0 },
        { "abc", "abd", -1, -1 },
        { "ab", "abc", -1, -1 },
        { "same", "same", 0, 0 },
        { "[", "a", -1, -1 },           // '[' lies between 'Z' and 'a': A-Z fold first
        { "[", "A", 1, -1 },
        { nullptr, "", 0, 0 },          // a missing name is the empty name
        { nullptr, "a", -1, -1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a ? c.a : "(null)") + " / " + c.b);
        CRegFindInfo a = Entry(c.a);
        CRegFindInfo b = Entry(c.b);
        EXPECT_EQ(c.compare, Sign(a.Compare(b)));
        EXPECT_EQ(c.noCase, Sign(a.CompareNoCase(b)));
        EXPECT_EQ(c.noCase == 0, a == b);
        EXPECT_EQ(c.noCase != 0, a != b);
        EXPECT_EQ(c.noCase < 0, a < b);
        EXPECT_EQ(c.noCase > 0, a > b);
    }
}

TEST(CRegFindInfoTest, AssignmentCopiesAllSevenFieldsAndSharesThePointers)
{
    char name[] = "name";
    BYTE data[] = { 1, 2, 3 };
    const CRegFindInfo source = { name, REG_BINARY, 3, data, 4, 5, 6 };
    CRegFindInfo assigned = {};
    EXPECT_EQ(&assigned, &(assigned = source));
    CRegFindInfo viaExport = {};
#if defined(_WIN64)
    EXPECT_EQ(&viaExport, ExportedAssign(&viaExport, &source));
#else
    viaExport = source;
#endif
    for (const CRegFindInfo* copy : { &assigned, &viaExport }) {
        EXPECT_EQ(name, copy->name);
        EXPECT_EQ(static_cast<DWORD>(REG_BINARY), copy->type);
        EXPECT_EQ(3u, copy->size);
        EXPECT_EQ(data, copy->data);
        EXPECT_EQ(4u, copy->subKeyCount);
        EXPECT_EQ(5u, copy->valueCount);
        EXPECT_EQ(6, copy->param);
    }
}

TEST(CRegKeyListTest, SortingRelinksTheNodesOfOneListOnly)
{
    const struct {
        bool ascending;
        std::vector<std::string> expected;
    } cases[] = {
        { true, { "alpha", "Beta", "Gamma" } },
        { false, { "Gamma", "Beta", "alpha" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ascending ? "ascending" : "descending");
        CRegKeyList list;
        Fill(list.keys, { "Beta", "alpha", "Gamma" });
        Fill(list.values, { "Beta", "alpha", "Gamma" });
        CLinkedList<CRegFindInfo>::Node* beta = list.keys.GetNode(0);
        list.SortKeys(c.ascending);
        EXPECT_EQ(c.expected, Names(list.keys));
        EXPECT_EQ((std::vector<std::string>{ "Beta", "alpha", "Gamma" }), Names(list.values));
        // The nodes moved, not the payloads: Beta's node is still Beta's, with its other fields.
        EXPECT_STREQ("Beta", beta->data.name);
        EXPECT_EQ(1, beta->data.param);

        list.SortValues(c.ascending);
        EXPECT_EQ(c.expected, Names(list.values));
    }
}

TEST(CRegKeyListTest, SortingEmptyAndSingleListsChangesNothing)
{
    CRegKeyList list;
    list.SortKeys(true);
    list.SortValues(false);
    EXPECT_EQ(0, list.keys.GetCount());
    Fill(list.keys, { "only" });
    list.SortKeys(false);
    EXPECT_EQ((std::vector<std::string>{ "only" }), Names(list.keys));
}

TEST(CRegKeyListTest, ALongListSortsLikeAnOrdinaryCaseFreeSort)
{
    std::vector<std::string> names;
    for (int i = 0; i < 200; ++i) {
        const unsigned n = (i * 7919u) % 211u;
        names.push_back(std::string(1, static_cast<char>((n % 2 ? 'A' : 'a') + n % 26)) + std::to_string(n));
    }
    CRegKeyList list;
    for (const std::string& name : names)
        list.values.Append(Entry(name.c_str()));
    list.SortValues(true);
    const std::vector<std::string> sorted = Names(list.values);
    ASSERT_EQ(names.size(), sorted.size());
    for (size_t i = 1; i < sorted.size(); ++i)
        EXPECT_LE(_stricmp(sorted[i - 1].c_str(), sorted[i].c_str()), 0) << sorted[i - 1] << " " << sorted[i];
}

TEST(CRegKeyListTest, CopiesHoldTheirOwnNodesAndShareTheNames)
{
    CRegKeyList source;
    source.flag = true;
    source.extra1 = 11;
    source.extra2 = 22;
    Fill(source.keys, { "k1", "k2", "k3" });
    Fill(source.values, { "v1", "v2" });

    CRegKeyList copy(source);
    CRegKeyList assigned;
    Fill(assigned.keys, { "old1", "old2", "old3", "old4" });
    Fill(assigned.values, { "old" });
    assigned = source;

    for (CRegKeyList* list : { &copy, &assigned }) {
        EXPECT_TRUE(list->flag);
        EXPECT_EQ(11u, list->extra1);
        EXPECT_EQ(22u, list->extra2);
        EXPECT_EQ((std::vector<std::string>{ "k1", "k2", "k3" }), Names(list->keys));
        EXPECT_EQ((std::vector<std::string>{ "v1", "v2" }), Names(list->values));
        EXPECT_NE(source.keys.GetNode(0), list->keys.GetNode(0));
        EXPECT_EQ(source.keys.GetNode(0)->data.name, list->keys.GetNode(0)->data.name);
    }
    EXPECT_EQ((std::vector<std::string>{ "k1", "k2", "k3" }), Names(source.keys));
    EXPECT_EQ((std::vector<std::string>{ "v1", "v2" }), Names(source.values));

    // A copy is independent: sorting it leaves the source's order.
    copy.SortKeys(false);
    EXPECT_EQ((std::vector<std::string>{ "k1", "k2", "k3" }), Names(source.keys));
}

TEST(CRegKeyListTest, AssigningAListToItselfKeepsItsEntries)
{
    CRegKeyList list;
    list.extra1 = 5;
    Fill(list.keys, { "a", "b" });
    Fill(list.values, { "c" });
    CRegKeyList& self = list;
    list = self;
    EXPECT_EQ((std::vector<std::string>{ "a", "b" }), Names(list.keys));
    EXPECT_EQ((std::vector<std::string>{ "c" }), Names(list.values));
    EXPECT_EQ(5u, list.extra1);
}

TEST(CRegKeyListTest, CopyingFromARelinkedListStartsAtItsFirstNode)
{
    // After a relinking sort the anchor may point into the middle of the chain.
    CRegKeyList source;
    Fill(source.keys, { "c", "b", "a" });
    source.SortKeys(true);
    CRegKeyList copy(source);
    EXPECT_EQ((std::vector<std::string>{ "a", "b", "c" }), Names(copy.keys));
}

}  // namespace
