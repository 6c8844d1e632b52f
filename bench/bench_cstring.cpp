// CString appends against std::string, and positional list access against a
// plain walk, in the same run. CString keeps no length field (the two-field
// layout is binary interface); it remembers the lengths of its buffers
// aside, and grows long texts inside roomier heap blocks, so building a
// text piece by piece should stay within a small factor of std::string at
// every size. The figures show that factor.
//
// bench_cstring [max KiB]   (default 1024)
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "BenchUtil.h"
#include "base/CLinkedList.h"
#include "base/CString.h"

namespace {

volatile size_t g_sink;

template <typename Run>
double Median(int repetitions, Run run)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const double start = NowSeconds();
        run();
        times.push_back(NowSeconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

const char kPiece[] =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz!!";
static_assert(sizeof(kPiece) == 101, "100-byte piece");

double CStringChars(size_t total)
{
    return Median(3, [total] {
        CString s;
        for (size_t i = 0; i < total; ++i)
            s += 'x';
        g_sink = s.GetLength();
    });
}

double StdChars(size_t total)
{
    return Median(5, [total] {
        std::string s;
        for (size_t i = 0; i < total; ++i)
            s += 'x';
        g_sink = s.size();
    });
}

double CStringPieces(size_t total)
{
    return Median(3, [total] {
        CString s;
        for (size_t i = 0; i < total / 100; ++i)
            s += kPiece;
        g_sink = s.GetLength();
    });
}

double StdPieces(size_t total)
{
    return Median(5, [total] {
        std::string s;
        for (size_t i = 0; i < total / 100; ++i)
            s += kPiece;
        g_sink = s.size();
    });
}

void ListIteration()
{
    const int count = 10000;
    CLinkedList<int> list;
    for (int i = 0; i < count; ++i)
        list.Append(i);
    const double positional = Median(3, [&list] {
        size_t sum = 0;
        for (int i = 0; i < list.GetCount(); ++i)
            sum += list.GetNode(i)->data;
        g_sink = sum;
    });
    const double walk = Median(5, [&list] {
        size_t sum = 0;
        for (CLinkedList<int>::Node* node = list.GetNode(0); node != NULL; node = node->next)
            sum += node->data;
        g_sink = sum;
    });
    printf("list of %d nodes, GetNode by position: %.3f ms; walking next: %.4f ms; ratio %.0fx\n", count,
           positional * 1e3, walk * 1e3, positional / walk);
}

}  // namespace

int main(int argc, char** argv)
{
    const size_t maxKiB = argc > 1 ? static_cast<size_t>(atoi(argv[1])) : 1024;
    printf("%-10s %-18s %12s %12s %10s\n", "size", "pattern", "CString ms", "string ms", "ratio");
    bool charsTooSlow = false;
    for (size_t kib = 16; kib <= maxKiB; kib *= 4) {
        const size_t total = kib * 1024;
        const double cp = CStringPieces(total);
        const double sp = StdPieces(total);
        printf("%5zu KiB  %-18s %12.3f %12.3f %9.1fx\n", kib, "100-byte pieces", cp * 1e3, sp * 1e3, cp / sp);
        // Should an append ever measure the text again, characters one by
        // one are the slow pattern: a size whose run would pass a minute is
        // skipped.
        if (charsTooSlow) {
            printf("%5zu KiB  %-18s %12s %12s %10s\n", kib, "single characters", "(skipped)", "", "");
            continue;
        }
        const double cc = CStringChars(total);
        const double sc = StdChars(total);
        printf("%5zu KiB  %-18s %12.3f %12.3f %9.1fx\n", kib, "single characters", cc * 1e3, sc * 1e3, cc / sc);
        charsTooSlow = cc * 16 > 60.0;
    }
    ListIteration();
    return 0;
}
