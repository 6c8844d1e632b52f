#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>
#include "base/CLinkedList.h"

namespace {

typedef CLinkedList<int> IntList;

// The sortable payload: a name first, like the registry key records.
struct Named {
    char* name;
    int tag;
};
typedef CLinkedList<Named> NamedList;

IntList::Node* FirstOf(IntList& list)
{
    return list.GetNode(0);
}

// Walks the chain both ways from the anchor: every next/prev pair agrees,
// and the values from first to last come back.
template <typename T, typename Value>
std::vector<Value> Chain(CLinkedList<T>& list, Value (*value)(const T&))
{
    std::vector<Value> values;
    typename CLinkedList<T>::Node* node = list.anchor;
    if (node == NULL)
        return values;
    while (node->prev != NULL) {
        EXPECT_EQ(node, node->prev->next);
        node = node->prev;
    }
    typename CLinkedList<T>::Node* last = NULL;
    for (; node != NULL; node = node->next) {
        EXPECT_EQ(last, node->prev);
        values.push_back(value(node->data));
        last = node;
    }
    return values;
}

int IntValue(const int& v) { return v; }
std::string NameValue(const Named& n) { return n.name; }

std::vector<int> Ints(IntList& list) { return Chain(list, IntValue); }
std::vector<std::string> Names(NamedList& list) { return Chain(list, NameValue); }

void Fill(IntList& list, int count)
{
    for (int i = 0; i < count; ++i)
        list.Append(i);
}

TEST(CLinkedList, PositionsOutsideTheListAreNull)
{
    IntList list;
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(nullptr, list.GetNode(0));
    EXPECT_EQ(nullptr, list.GetNode(-1));
    Fill(list, 3);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(nullptr, list.GetNode(3));
    EXPECT_EQ(nullptr, list.GetNode(-1));
    EXPECT_EQ(2, *list.GetAt(2));
    EXPECT_EQ((std::vector<int>{ 0, 1, 2 }), Ints(list));
}

TEST(CLinkedList, SwapNodes)
{
    const struct {
        int a;
        int b;
        bool relink;
    } cases[] = {
        { 0, 4, true }, { 4, 0, true },   // the two ends
        { 0, 1, true }, { 1, 0, true },   // adjacent, both orders
        { 3, 4, true }, { 4, 3, true },
        { 1, 3, true }, { 2, 2, true },   // distant; the same node
        { 0, 4, false }, { 1, 2, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " <-> " << c.b << (c.relink ? " relinked" : " payloads"));
        IntList list;
        Fill(list, 5);
        IntList::Node* nodes[5];
        for (int i = 0; i < 5; ++i)
            nodes[i] = list.GetNode(i);
        list.anchor = nodes[2];   // the anchor may point anywhere

        list.SwapNodes(nodes[c.a], nodes[c.b], c.relink);

        std::vector<int> expected{ 0, 1, 2, 3, 4 };
        std::swap(expected[c.a], expected[c.b]);
        EXPECT_EQ(expected, Ints(list));
        EXPECT_EQ(5, list.GetCount());
        for (int i = 0; i < 5; ++i) {
            // Relinked, the nodes move with their payloads; otherwise the
            // nodes stay and the payloads move.
            const int from = c.relink ? expected[i] : i;
            EXPECT_EQ(nodes[from], list.GetNode(i)) << "position " << i;
        }
        EXPECT_EQ(list.GetNode(0), list.anchor);   // rewound by the access
    }

    IntList list;
    Fill(list, 2);
    list.SwapNodes(list.GetNode(0), nullptr, true);
    list.SwapNodes(nullptr, list.GetNode(1), false);
    EXPECT_EQ((std::vector<int>{ 0, 1 }), Ints(list));
}

class CLinkedListSort : public ::testing::Test {
protected:
    void Build(NamedList& list, const std::vector<const char*>& names)
    {
        for (size_t i = 0; i < names.size(); ++i) {
            Named item = { const_cast<char*>(names[i]), static_cast<int>(i) };
            list.Append(item);
        }
    }
};

TEST_F(CLinkedListSort, ByNameIgnoringLetterCase)
{
    const struct {
        std::vector<const char*> names;
        bool ascending;
        std::vector<std::string> expected;
    } cases[] = {
        { { "b", "A", "c" }, true, { "A", "b", "c" } },
        { { "b", "A", "c" }, false, { "c", "b", "A" } },
        // Letters fold to lower case, so '_' (0x5F) sorts before every letter.
        { { "a", "_", "Z" }, true, { "_", "a", "Z" } },
        { { "delta", "Alpha", "charlie", "Bravo", "echo", "alp" }, true,
          { "alp", "Alpha", "Bravo", "charlie", "delta", "echo" } },
        { { "delta", "Alpha", "charlie", "Bravo", "echo", "alp" }, false,
          { "echo", "delta", "charlie", "Bravo", "Alpha", "alp" } },
        { { "\xE9", "z", "A" }, true, { "A", "z", "\xE9" } },   // bytes above 0x7F after the letters
        { { "one" }, true, { "one" } },
    };
    for (const auto& c : cases) {
        for (int relink = 0; relink < 2; ++relink) {
            SCOPED_TRACE(testing::Message() << c.names.size() << " names, "
                                            << (c.ascending ? "ascending" : "descending")
                                            << (relink ? ", relinked" : ", payloads"));
            NamedList list;
            NamedList parallel;
            Build(list, c.names);
            Build(parallel, c.names);
            list.Sort(0, list.GetCount() - 1, c.ascending, relink != 0, &parallel);
            EXPECT_EQ(c.expected, Names(list));
            EXPECT_EQ(c.expected, Names(parallel));   // moved alongside
        }
    }
}

TEST_F(CLinkedListSort, ManyNamesAgreeWithAFoldedOrder)
{
    std::vector<std::string> storage;
    unsigned int seed = 12345;
    for (int i = 0; i < 200; ++i) {
        std::string name;
        for (int k = 0; k < 1 + static_cast<int>(seed % 5); ++k) {
            seed = seed * 1103515245u + 12345u;
            const char letters[] = "aAbBcC_z";
            name += letters[(seed >> 16) % 8];
        }
        storage.push_back(name);
    }
    std::vector<const char*> names;
    for (const std::string& s : storage)
        names.push_back(s.c_str());
    NamedList list;
    Build(list, names);
    list.Sort(0, list.GetCount() - 1, true, true, nullptr);

    const std::vector<std::string> sorted = Names(list);
    ASSERT_EQ(storage.size(), sorted.size());
    auto folded = [](std::string s) {
        for (char& ch : s)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return s;
    };
    for (size_t i = 1; i < sorted.size(); ++i)
        EXPECT_LE(folded(sorted[i - 1]), folded(sorted[i])) << "position " << i;
    std::vector<std::string> a = storage, b = sorted;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);   // nothing lost or doubled
}

TEST_F(CLinkedListSort, PartialAndEmptyRanges)
{
    NamedList list;
    Build(list, { "e", "d", "c", "b", "a" });
    list.Sort(1, 3, true, false, nullptr);
    EXPECT_EQ((std::vector<std::string>{ "e", "b", "c", "d", "a" }), Names(list));
    list.Sort(2, 2, true, true, nullptr);
    EXPECT_EQ((std::vector<std::string>{ "e", "b", "c", "d", "a" }), Names(list));

    NamedList empty;
    empty.Sort(0, -1, true, true, nullptr);
    EXPECT_EQ(0, empty.GetCount());
}

TEST(CLinkedList, AppendAll)
{
    IntList source;
    Fill(source, 3);
    source.anchor = source.GetNode(2);
    IntList target;
    target.AppendAll(source);
    EXPECT_EQ((std::vector<int>{ 0, 1, 2 }), Ints(target));
    EXPECT_EQ((std::vector<int>{ 0, 1, 2 }), Ints(source));
    EXPECT_EQ(source.GetNode(0), source.anchor);

    // Appending a list to itself doubles it instead of chasing its new tail.
    source.AppendAll(source);
    EXPECT_EQ((std::vector<int>{ 0, 1, 2, 0, 1, 2 }), Ints(source));
}

TEST(CLinkedList, RemoveNodeMovesTheAnchor)
{
    IntList list;
    Fill(list, 4);
    list.anchor = list.GetNode(2);
    EXPECT_EQ(2, list.RemoveNode(list.anchor));
    EXPECT_EQ(1, list.anchor->data);   // the predecessor
    EXPECT_EQ((std::vector<int>{ 0, 1, 3 }), Ints(list));

    list.anchor = FirstOf(list);
    EXPECT_EQ(0, list.RemoveNode(list.anchor));
    EXPECT_EQ(1, list.anchor->data);   // the successor of a first node
    EXPECT_EQ(3, list.RemoveNode(list.GetNode(1)));
    EXPECT_EQ(1, list.RemoveNode(list.GetNode(0)));
    EXPECT_EQ(nullptr, list.anchor);
    EXPECT_EQ(0, list.GetCount());
}

TEST(CLinkedList, RemoveAllLeavesWhatPayloadsPointAt)
{
    // Payloads pointing at the stack: releasing one would crash.
    int values[3] = { 7, 8, 9 };
    CLinkedList<int*> list;
    for (int& v : values)
        list.Append(&v);
    list.anchor = list.GetNode(1);
    list.RemoveAll();
    EXPECT_EQ(nullptr, list.anchor);
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(8, values[1]);
    list.RemoveAll();   // an empty list stays as it is
    list.Append(&values[0]);
    EXPECT_EQ(1, list.GetCount());
}

}  // namespace
