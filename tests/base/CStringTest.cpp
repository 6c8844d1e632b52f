#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>
#include "base/CString.h"

namespace {

// Reserve hands back the capacity; with keepText and a length below the
// text's it changes nothing.
int Capacity(CString& s)
{
    return s.Reserve(0, true, false);
}

// Reads the text without asking for a writable pointer, so the string's
// record of its length stays in use.
std::string Text(const CString& s)
{
    return static_cast<const char*>(s);
}

int RuleCapacity(int length)
{
    return (length / 32 + 1) * 32;
}

// Appends characters and pieces to s and its model, checking after each.
void AppendAndCompare(CString& s, std::string& model, int rounds)
{
    for (int i = 0; i < rounds; ++i) {
        const char ch = static_cast<char>('a' + i % 26);
        s += ch;
        model += ch;
        ASSERT_EQ(static_cast<int>(model.size()), s.GetLength()) << "after character " << i;
        s += "piece";
        model += "piece";
        ASSERT_EQ(model, Text(s)) << "after piece " << i;
    }
}

bool AllZero(const char* buffer, int from, int to)
{
    for (int i = from; i < to; ++i) {
        if (buffer[i] != '\0')
            return false;
    }
    return true;
}

TEST(CString, CapacityIsTheSmallestMultipleOf32AboveTheLength)
{
    const struct {
        int length;
        int capacity;
    } cases[] = {
        { 0, 32 }, { 1, 32 }, { 31, 32 }, { 32, 64 }, { 63, 64 }, { 64, 96 }, { 95, 96 }, { 96, 128 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length);
        const std::string text(c.length, 'q');

        CString constructed(text.c_str());
        EXPECT_EQ(c.capacity, Capacity(constructed));
        EXPECT_STREQ(text.c_str(), constructed);

        CString assigned;
        assigned = text.c_str();
        EXPECT_EQ(c.capacity, Capacity(assigned));
        EXPECT_TRUE(AllZero(assigned.GetBuffer(), c.length, c.capacity));

        CString appended;
        for (int i = 0; i < c.length; ++i)
            appended += 'q';
        EXPECT_EQ(c.capacity, Capacity(appended));
        EXPECT_STREQ(text.c_str(), appended);
        EXPECT_TRUE(AllZero(appended.GetBuffer(), c.length, c.capacity));
        EXPECT_EQ(c.length, appended.GetLength());
    }
}

TEST(CString, EmptyStartsAndNullTexts)
{
    CString plain;
    CString fromNull(static_cast<const char*>(nullptr));
    CString fromEmpty("");
    for (CString* s : { &plain, &fromNull, &fromEmpty }) {
        EXPECT_EQ(32, Capacity(*s));
        EXPECT_TRUE(s->IsEmpty());
        EXPECT_TRUE(AllZero(s->GetBuffer(), 0, 32));
    }

    // A null text empties the whole buffer and keeps its size.
    CString s(std::string(40, 'w').c_str());
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(64, Capacity(s));
    EXPECT_TRUE(AllZero(s.GetBuffer(), 0, 64));

    // A shorter text does not shrink the buffer.
    CString t(std::string(40, 'w').c_str());
    t = "x";
    EXPECT_EQ(64, Capacity(t));
    EXPECT_STREQ("x", t);

    // The copy's capacity follows its text, not the original's buffer.
    CString copy(t);
    EXPECT_EQ(32, Capacity(copy));
    EXPECT_STREQ("x", copy);
}

TEST(CString, LengthAtEveryAlignmentAndAtTheEndOfAPage)
{
    // The length scan reads whole aligned blocks; whatever the text's start
    // and length, it must stop at the first zero and never touch the page
    // after the one holding the terminator.
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const DWORD page = info.dwPageSize;
    char* pages = static_cast<char*>(VirtualAlloc(NULL, page * 2, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(nullptr, pages);
    ASSERT_NE(nullptr, VirtualAlloc(pages, page, MEM_COMMIT, PAGE_READWRITE));
    for (int length = 0; length < 300; ++length) {
        for (int start = 0; start < 64; ++start) {
            char* textStart = pages + (length % 2 == 0 ? start : page - 1 - length - start % 4);
            memset(textStart, 'k', length);
            textStart[length] = '\0';
            CString s;
            free(s.SetTo(textStart, length + 1));
            EXPECT_EQ(length, s.GetLength()) << "start " << start;
            s.Detach();   // not a heap block: never released by the string
        }
    }
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(CString, Characters)
{
    CString s("abc");
    s = 'x';
    EXPECT_STREQ("x", s);
    s += 'y';
    EXPECT_STREQ("xy", s);
    s += '\0';
    EXPECT_STREQ("xy", s);
    EXPECT_EQ(2, s.GetLength());
    s = '\0';
    EXPECT_TRUE(s.IsEmpty());

    s = "hello";
    EXPECT_EQ('e', s.GetAt(1));
    EXPECT_EQ('e', static_cast<const CString&>(s)[1]);
    s.SetAt(0, 'j');
    s[4] = 'y';
    EXPECT_STREQ("jelly", s);
}

TEST(CString, AppendingItsOwnText)
{
    const std::string twenty(20, 'a');
    CString s(twenty.c_str());
    s += s;
    EXPECT_EQ(twenty + twenty, std::string(s));
    EXPECT_EQ(64, Capacity(s));

    // Large enough that the buffer has to move while the source is read.
    std::string big;
    for (int i = 0; i < 1000; ++i)
        big += static_cast<char>('a' + i % 26);
    CString b(big.c_str());
    b += b.GetBuffer();
    EXPECT_EQ(big + big, std::string(b));
    b = big.c_str();
    b += b.GetBuffer() + 990;   // a tail of its own text
    EXPECT_EQ(big + big.substr(990), std::string(b));

    CString t("self");
    t = t;
    EXPECT_STREQ("self", t);
    t = t.GetBuffer() + 2;
    EXPECT_STREQ("lf", t);
}

TEST(CString, Concatenation)
{
    const CString left("left");
    const CString right("right");
    EXPECT_STREQ("leftright", left + right);
    EXPECT_STREQ("left!", left + '!');
    EXPECT_STREQ("left-x", left + "-x");
    EXPECT_STREQ("left", left + static_cast<const char*>(nullptr));
    EXPECT_STREQ("left", left);
    EXPECT_STREQ("right", right);

    CString s("a");
    s += static_cast<const char*>(nullptr);
    s += "";
    EXPECT_STREQ("a", s);
    EXPECT_EQ(32, Capacity(s));

    const std::string long40(40, 'z');
    const CString sum = left + long40.c_str();
    CString copy(sum);
    EXPECT_EQ(64, Capacity(copy));
}

TEST(CString, ComparisonsAreOrdinalAndCaseSensitive)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        { "abc", "abd", -1 },
        { "ABC", "abc", -1 },   // upper-case letters have smaller codes
        { "abc", "abc", 0 },
        { "", "", 0 },
        { "", "a", -1 },
        { "ab", "abc", -1 },
        { "\xE9t\xE9", "zoo", 1 },   // "été": bytes compare unsigned
        { "Z", "a", -1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " vs " << c.b);
        const CString a(c.a);
        const CString b(c.b);
        EXPECT_EQ(c.sign == 0, a == b);
        EXPECT_EQ(c.sign != 0, a != b);
        EXPECT_EQ(c.sign < 0, a < b);
        EXPECT_EQ(c.sign > 0, a > b);
        EXPECT_EQ(c.sign <= 0, a <= b);
        EXPECT_EQ(c.sign >= 0, a >= b);
        EXPECT_EQ(c.sign == 0, a == c.b);
        EXPECT_EQ(c.sign != 0, a != c.b);
        EXPECT_EQ(c.sign < 0, a < c.b);
        EXPECT_EQ(c.sign > 0, a > c.b);
        EXPECT_EQ(c.sign <= 0, a <= c.b);
        EXPECT_EQ(c.sign >= 0, a >= c.b);
    }
}

TEST(CString, SetToHandsBuffersOver)
{
    CString s("old text");
    char* own = s.GetBuffer();
    char* caller = static_cast<char*>(malloc(100));
    strcpy(caller, "caller's");
    char* old = s.SetTo(caller, 100);
    EXPECT_EQ(own, old);
    EXPECT_STREQ("old text", old);   // now the caller's, untouched
    free(old);
    EXPECT_EQ(caller, s.GetBuffer());
    EXPECT_EQ(100, Capacity(s));
    EXPECT_STREQ("caller's", s);

    // Growing beyond the stated size moves to a rule-sized buffer.
    const std::string tail(100, 't');
    s += tail.c_str();
    EXPECT_EQ(std::string("caller's") + tail, std::string(s));
    EXPECT_EQ(128, Capacity(s));

    // Invalid buffers empty the string; what comes back stays its own.
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        CString t("keep");
        char dummy[8];
        char* back = variant == 0 ? t.SetTo(nullptr, 10)
                   : variant == 1 ? t.SetTo(dummy, 0)
                                  : t.SetBuffer(dummy, -5);
        EXPECT_EQ(t.GetBuffer(), back);
        EXPECT_TRUE(t.IsEmpty());
        EXPECT_EQ(32, Capacity(t));
    }
}

TEST(CString, ReserveEmptyAndDetach)
{
    CString s(std::string(40, 'r').c_str());
    EXPECT_EQ(64, s.Reserve(10, true, false));
    EXPECT_EQ(64, Capacity(s));
    EXPECT_EQ(40, s.GetLength());

    EXPECT_EQ(64, s.Reserve(100, true, false));
    EXPECT_EQ(128, Capacity(s));
    EXPECT_EQ(std::string(40, 'r'), std::string(s));

    // Forced with the text kept: the length is raised to the text's.
    EXPECT_EQ(128, s.Reserve(10, true, true));
    EXPECT_EQ(64, Capacity(s));
    EXPECT_EQ(std::string(40, 'r'), std::string(s));

    // Forced without the text: a fresh, smaller, empty buffer.
    EXPECT_EQ(64, s.Reserve(10, false, true));
    EXPECT_EQ(32, Capacity(s));
    EXPECT_TRUE(AllZero(s.GetBuffer(), 0, 32));

    s.Reserve(-50, false, true);
    EXPECT_EQ(32, Capacity(s));

    s = std::string(70, 'e').c_str();
    s.Empty(false);
    EXPECT_EQ(96, Capacity(s));
    EXPECT_TRUE(AllZero(s.GetBuffer(), 0, 96));
    s = std::string(70, 'e').c_str();
    s.Empty(true);
    EXPECT_EQ(32, Capacity(s));
    EXPECT_TRUE(s.IsEmpty());

    s = "detached";
    char* buffer = s.Detach();
    EXPECT_STREQ("detached", buffer);
    EXPECT_NE(buffer, s.GetBuffer());
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(32, Capacity(s));
    free(buffer);
}

TEST(CString, LoadFromResource)
{
    CString s("previous");
    EXPECT_TRUE(s.LoadFromResource(2001));
    EXPECT_STREQ("Hello from a string resource", s);
    EXPECT_EQ(32, Capacity(s));

    // At most 1023 characters come through the loader's buffer.
    EXPECT_TRUE(s.LoadFromResource(2003));
    EXPECT_EQ(1023, s.GetLength());
    EXPECT_EQ(1024, Capacity(s));
    EXPECT_EQ('a', s[1022 - 1022 % 26]);

    EXPECT_FALSE(s.LoadFromResource(2099));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, Scanf)
{
    CString s("12 34");
    int a = 0;
    int b = 0;
    EXPECT_EQ(2, s.Scanf("%d %d", &a, &b));
    EXPECT_EQ(12, a);
    EXPECT_EQ(34, b);
    EXPECT_STREQ("12 34", s);

    a = b = 0;
    EXPECT_EQ(2, s.Scanf(2002u, &a, &b));
    EXPECT_EQ(12, a);
    EXPECT_EQ(34, b);

    a = b = -7;
    EXPECT_EQ(0, s.Scanf(2099u, &a, &b));
    EXPECT_EQ(-7, a);
    EXPECT_EQ(-7, b);
    EXPECT_STREQ("12 34", s);

    CString empty;
    EXPECT_EQ(-1, empty.Scanf("%d", &a));

    // Mixed kinds and many receivers reach sscanf as the caller passed them.
    CString many("1 2 3 4 5 6 7 8 9 10 2.5 word x");
    int v[10] = {};
    double d = 0;
    char word[16] = {};
    char ch = 0;
    EXPECT_EQ(13, many.Scanf("%d %d %d %d %d %d %d %d %d %d %lf %15s %c", &v[0], &v[1], &v[2], &v[3], &v[4],
                             &v[5], &v[6], &v[7], &v[8], &v[9], &d, word, &ch));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(i + 1, v[i]);
    EXPECT_DOUBLE_EQ(2.5, d);
    EXPECT_STREQ("word", word);
    EXPECT_EQ('x', ch);
}

TEST(CString, LongTextsKeepTheGrowthRule)
{
    // One character at a time to past 5000, the capacity is the rule's at
    // every step and the buffer beyond the text stays zero; a writable
    // pointer handed out on the way changes nothing of that.
    CString s;
    std::string model;
    for (int length = 1; length <= 5200; ++length) {
        s += static_cast<char>('0' + length % 10);
        model += static_cast<char>('0' + length % 10);
        if (length == 1500) {
            EXPECT_NE(nullptr, s.GetBuffer());
        }
        const int capacity = Capacity(s);
        ASSERT_EQ(RuleCapacity(length), capacity) << "length " << length;
        ASSERT_TRUE(AllZero(static_cast<const char*>(s), length, capacity)) << "length " << length;
    }
    EXPECT_EQ(model, Text(s));
    EXPECT_EQ(5200, s.GetLength());
}

TEST(CString, LengthStaysRightAroundEveryChange)
{
    // Each change comes between appends to a text built by appending, at
    // lengths that live in exactly sized and in roomier heap blocks.
    typedef std::function<void(CString&, std::string&)> Change;
    const struct {
        const char* name;
        Change change;
    } cases[] = {
        { "GetBuffer shortens", [](CString& s, std::string& m) { s.GetBuffer()[3] = '\0'; m.resize(3); } },
        { "GetBuffer lengthens",
          [](CString& s, std::string& m) {
              char* p = s.GetBuffer();
              strcpy(p + m.size(), "LONG");
              m += "LONG";
          } },
        { "operator char* shortens",
          [](CString& s, std::string& m) {
              char* p = s;
              p[5] = '\0';
              m.resize(5);
          } },
        { "operator[] lengthens", [](CString& s, std::string& m) { s[static_cast<int>(m.size())] = 'Q'; m += 'Q'; } },
        { "operator[] empties", [](CString& s, std::string& m) { s[0] = '\0'; m.clear(); } },
        { "SetAt shortens", [](CString& s, std::string& m) { s.SetAt(7, '\0'); m.resize(7); } },
        { "SetAt over the terminator", [](CString& s, std::string& m) { s.SetAt(static_cast<int>(m.size()), 'T'); m += 'T'; } },
        { "SetAt beyond the text", [](CString& s, std::string&) { s.SetAt(static_cast<int>(Text(s).size()) + 1, '\0'); } },
        { "SetTo a caller's buffer",
          [](CString& s, std::string& m) {
              char* buffer = static_cast<char*>(calloc(200, 1));
              strcpy(buffer, "caller");
              free(s.SetTo(buffer, 200));
              m = "caller";
          } },
        { "SetTo a caller's long buffer",
          [](CString& s, std::string& m) {
              char* buffer = static_cast<char*>(calloc(700, 1));
              memset(buffer, 'c', 690);
              free(s.SetTo(buffer, 700));
              m.assign(690, 'c');
          } },
        { "SetTo swapping buffers twice",
          [](CString& s, std::string& m) {
              // The buffer given back is shortened by its new owner and
              // installed again.
              const int capacity = Capacity(s);
              char* own = s.SetTo(static_cast<char*>(calloc(64, 1)), 64);
              own[1] = '\0';
              free(s.SetTo(own, capacity));
              m.resize(1);
          } },
        { "SetTo nothing", [](CString& s, std::string& m) { s.SetTo(nullptr, 0); m.clear(); } },
        { "SetTo its own buffer back",
          [](CString& s, std::string& m) {
              // The caller takes the buffer, shortens it and installs it again.
              char* buffer = s.Detach();
              buffer[2] = '\0';
              free(s.SetTo(buffer, static_cast<int>(m.size()) + 1));
              m.resize(2);
          } },
        { "Detach", [](CString& s, std::string& m) { free(s.Detach()); m.clear(); } },
        { "Empty keeping the buffer", [](CString& s, std::string& m) { s.Empty(false); m.clear(); } },
        { "Empty releasing the buffer", [](CString& s, std::string& m) { s.Empty(true); m.clear(); } },
        { "assigned a shorter text", [](CString& s, std::string& m) { s = "short"; m = "short"; } },
        { "assigned its own tail",
          [](CString& s, std::string& m) {
              s = static_cast<const char*>(static_cast<const CString&>(s)) + 10;
              m = m.substr(10);
          } },
        { "assigned a copy of itself",
          [](CString& s, std::string&) {
              const CString copy(s);
              s = copy;
          } },
        { "sum of itself", [](CString& s, std::string& m) { s = s + s; m += m; } },
        { "appended to itself", [](CString& s, std::string& m) { s += s; m += m; } },
        { "appended a tail of itself",
          [](CString& s, std::string& m) {
              s += static_cast<const char*>(static_cast<const CString&>(s)) + 4;
              m += m.substr(4);
          } },
        { "Reserve forced, keeping the text", [](CString& s, std::string&) { s.Reserve(0, true, true); } },
        { "Reserve forced, dropping the text", [](CString& s, std::string& m) { s.Reserve(0, false, true); m.clear(); } },
        { "Reserve larger", [](CString& s, std::string&) { s.Reserve(20000, true, false); } },
        { "loaded from a resource",
          [](CString& s, std::string& m) {
              EXPECT_TRUE(s.LoadFromResource(2001));
              m = "Hello from a string resource";
          } },
        { "failed resource load",
          [](CString& s, std::string& m) {
              EXPECT_FALSE(s.LoadFromResource(2099));
              m.clear();
          } },
    };
    for (const int start : { 40, 1000, 6000 }) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << ", from " << start);
            CString s;
            std::string model;
            for (int i = 0; i < start; ++i) {
                s += static_cast<char>('A' + i % 26);
                model += static_cast<char>('A' + i % 26);
            }
            c.change(s, model);
            ASSERT_EQ(model, Text(s));
            ASSERT_EQ(static_cast<int>(model.size()), s.GetLength());
            AppendAndCompare(s, model, 40);
        }
    }
}

TEST(CString, WritesThroughAPointerHeldAcrossAppends)
{
    // A pointer handed out stays good until the string next grows; writes
    // through it after appends that did not grow must show in the length.
    const struct {
        const char* name;
        int at;   // where the held pointer writes, from the length after the first append
        char ch;
    } cases[] = {
        { "shortens", -10, '\0' }, { "empties", -41, '\0' }, { "lengthens over the terminator", 0, 'Z' },
    };
    for (int via = 0; via < 3; ++via) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << ", pointer kind " << via);
            CString s;
            std::string model(40, 'h');
            for (int i = 0; i < 40; ++i)
                s += 'h';
            char* held = via == 0 ? s.GetBuffer() : via == 1 ? static_cast<char*>(s) : &s[0];
            s += 'a';
            model += 'a';
            ASSERT_EQ(64, Capacity(s));   // no growth: the pointer is still good
            held[model.size() + c.at] = c.ch;
            if (c.ch == '\0')
                model.resize(model.size() + c.at);
            else
                model += c.ch;
            s += 'b';
            model += 'b';
            EXPECT_EQ(model, Text(s));
            EXPECT_EQ(static_cast<int>(model.size()), s.GetLength());
        }
    }
}

TEST(CString, ManyStringsAppendingInTurn)
{
    // More strings than the length record has room for, appended to in turn,
    // some written through their buffers on the way: their records evict
    // each other all the time.
    const int count = 1500;
    std::vector<CString> strings(count);
    std::vector<std::string> models(count);
    for (int round = 0; round < 30; ++round) {
        for (int i = 0; i < count; ++i) {
            const char ch = static_cast<char>('a' + (i + round) % 26);
            strings[i] += ch;
            models[i] += ch;
            if ((i + round) % 7 == 0) {
                strings[i] += "0123456789012345678901234567890123456789";
                models[i] += "0123456789012345678901234567890123456789";
            }
            if ((i * 31 + round) % 97 == 0) {
                strings[i].GetBuffer()[models[i].size() / 2] = '\0';
                models[i].resize(models[i].size() / 2);
            }
        }
    }
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(models[i], Text(strings[i])) << "string " << i;
        ASSERT_EQ(static_cast<int>(models[i].size()), strings[i].GetLength()) << "string " << i;
    }
}

TEST(CString, ANewStringWhereAnOldOneWas)
{
    // Destroyed and constructed again in the same storage, the new string
    // usually receives the block the old one released: it starts empty all
    // the same.
    alignas(CString) unsigned char storage[sizeof(CString)];
    for (int length : { 20, 31, 700 }) {
        SCOPED_TRACE(length);
        CString* s = new (storage) CString;
        for (int round = 0; round < 10; ++round) {
            for (int i = 0; i < length; ++i)
                *s += 'o';
            ASSERT_EQ(length, s->GetLength());
            s->~CString();
            s = new (storage) CString(round % 2 == 0 ? nullptr : "n");
            const std::string start = round % 2 == 0 ? "" : "n";
            ASSERT_EQ(start, Text(*s));
            *s += "ew";
            ASSERT_EQ(start + "ew", Text(*s));
            s->Empty(false);
        }
        s->~CString();
    }
}

DWORD WINAPI ChangeOnAnotherThread(void* parameter)
{
    CString& s = *static_cast<CString*>(parameter);
    s = "other";   // fits: the buffer stays
    s += '!';
    return 0;
}

TEST(CString, UsedOnAnotherThreadAndBack)
{
    CString s;
    for (int i = 0; i < 40; ++i)
        s += 'm';
    HANDLE thread = CreateThread(NULL, 0, ChangeOnAnotherThread, &s, 0, NULL);
    ASSERT_NE(nullptr, thread);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    s += '?';
    EXPECT_EQ("other!?", Text(s));
    EXPECT_EQ(7, s.GetLength());
}

}  // namespace
