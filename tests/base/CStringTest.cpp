#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include "base/CString.h"

namespace {

// Reserve hands back the capacity; with keepText and a length below the
// text's it changes nothing.
int Capacity(CString& s)
{
    return s.Reserve(0, true, false);
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

}  // namespace
