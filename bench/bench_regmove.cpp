// RegMoveKey of a tree of 10,000 values in 1,000 keys against the platform's
// own RegCopyTreeA followed by RegDeleteTreeA of the same tree, in the same
// run. Each round builds the tree afresh (untimed) and times one move; the
// medians of the rounds are compared.
//
// bench_regmove [rounds]   (default 5)
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include "BenchUtil.h"
#include "registry/RegTree.h"

namespace {

const char kSection[] = "Software\\cmndll-bench\\regmove";
const int kChildren = 10;          // below the top key
const int kGrandchildren = 100;    // below each child: 1,000 leaf keys
const int kValuesPerKey = 10;      // in each leaf: 10,000 values

// The tree at section\Src: leaves of mixed value types.
bool BuildTree(HKEY section)
{
    for (int c = 0; c < kChildren; ++c) {
        for (int g = 0; g < kGrandchildren; ++g) {
            char path[64];
            snprintf(path, sizeof(path), "Src\\Child%02d\\Leaf%03d", c, g);
            HKEY key = NULL;
            if (RegCreateKeyA(section, path, &key) != ERROR_SUCCESS)
                return false;
            for (int v = 0; v < kValuesPerKey; ++v) {
                char name[32];
                snprintf(name, sizeof(name), "value%d", v);
                const DWORD number = static_cast<DWORD>(c * 100000 + g * 100 + v);
                char text[48];
                snprintf(text, sizeof(text), "text of value %lu", static_cast<unsigned long>(number));
                LONG status;
                if (v % 3 == 0)
                    status = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
                else if (v % 3 == 1)
                    status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                            static_cast<DWORD>(strlen(text) + 1));
                else
                    status = RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(text), 32);
                if (status != ERROR_SUCCESS) {
                    RegCloseKey(key);
                    return false;
                }
            }
            RegCloseKey(key);
        }
    }
    return true;
}

double TimeRegMoveKey(HKEY section)
{
    const double start = NowSeconds();
    const int result = RegMoveKey(section, section, "Src", "Dst", true);
    const double elapsed = NowSeconds() - start;
    return result == 1 ? elapsed : -1;
}

double TimeCopyTreeAndDelete(HKEY section)
{
    const double start = NowSeconds();
    HKEY destination = NULL;
    bool ok = RegCreateKeyA(section, "Dst", &destination) == ERROR_SUCCESS;
    ok = ok && RegCopyTreeA(section, "Src", destination) == ERROR_SUCCESS;
    if (destination != NULL)
        RegCloseKey(destination);
    ok = ok && RegDeleteTreeA(section, "Src") == ERROR_SUCCESS;
    const double elapsed = NowSeconds() - start;
    return ok ? elapsed : -1;
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    RegDeleteTreeA(HKEY_CURRENT_USER, kSection);
    HKEY section = NULL;
    if (RegCreateKeyA(HKEY_CURRENT_USER, kSection, &section) != ERROR_SUCCESS) {
        printf("cannot create HKCU\\%s\n", kSection);
        return 1;
    }
    std::vector<double> moves;
    std::vector<double> platform;
    bool ok = true;
    for (int round = 0; round < rounds && ok; ++round) {
        // Alternate which one goes first, so that neither always meets the
        // registry just after the other's deletions.
        for (int turn = 0; turn < 2 && ok; ++turn) {
            const bool ours = (turn == 0) == (round % 2 == 0);
            RegDeleteTreeA(section, "Dst");
            ok = BuildTree(section);
            const double t = ok ? (ours ? TimeRegMoveKey(section) : TimeCopyTreeAndDelete(section)) : -1;
            ok = t >= 0;
            (ours ? moves : platform).push_back(t);
        }
    }
    RegCloseKey(section);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSection);
    if (!ok) {
        printf("a round failed\n");
        return 1;
    }
    const double move = Median(moves);
    const double copyDelete = Median(platform);
    printf("tree of %d values in %d keys, median of %d rounds\n", kChildren * kGrandchildren * kValuesPerKey,
           kChildren * kGrandchildren, rounds);
    printf("RegMoveKey:                    %8.1f ms\n", move * 1e3);
    printf("RegCopyTreeA + RegDeleteTreeA: %8.1f ms\n", copyDelete * 1e3);
    printf("ratio:                         %8.2f\n", move / copyDelete);
    return 0;
}
