// The round trip of SendMessageA to a CWnd-bound window against the same
// message sent to a window with a bare window procedure, with 10 and with
// 10,000 bound windows alive. Prints medians and ratios of one run.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>
#include "BenchUtil.h"
#include "frame/Globals_int.h"
#include "wnd/CWnd.h"

namespace {

const UINT kMsg = WM_USER + 1;   // unknown to both: default processing in both
const int kSends = 200000;
const int kRepeats = 7;

LRESULT CALLBACK BareProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefWindowProcA(h, m, w, l);
}

HWND CreateBare()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = BareProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "BenchBare";
    RegisterClassExA(&wc);
    return CreateWindowExA(0, "BenchBare", "", WS_POPUP, 0, 0, 10, 10, HWND_MESSAGE, NULL, wc.hInstance, NULL);
}

double TimeSends(HWND hWnd)
{
    const double start = NowSeconds();
    for (int i = 0; i < kSends; ++i)
        SendMessageA(hWnd, kMsg, i, 0);
    return (NowSeconds() - start) / kSends * 1e9;   // ns per send
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Figures {
    double bare;
    double bound;
};

// Bare and bound are measured alternately so that drift hits both alike.
Figures Measure(HWND hBare, HWND hBound)
{
    std::vector<double> bare, bound;
    for (int r = 0; r < kRepeats; ++r) {
        bare.push_back(TimeSends(hBare));
        bound.push_back(TimeSends(hBound));
    }
    return {Median(bare), Median(bound)};
}

void GrowTo(std::vector<std::unique_ptr<CWnd>>& windows, size_t count)
{
    while (windows.size() < count) {
        std::unique_ptr<CWnd> w(new CWnd);
        if (w->CreateEx(0, "BenchBound", "", WS_POPUP, 0, 0, 10, 10, HWND_MESSAGE, NULL, NULL) == NULL) {
            printf("could not create window %zu\n", windows.size());
            return;
        }
        windows.push_back(std::move(w));
    }
}

}  // namespace

int main()
{
    CmnDllProcessAttach(GetModuleHandleA(NULL));
    HWND hBare = CreateBare();
    std::vector<std::unique_ptr<CWnd>> windows;

    GrowTo(windows, 10);
    const Figures ten = Measure(hBare, windows[0]->m_hWnd);
    GrowTo(windows, 10000);
    const Figures many = Measure(hBare, windows[0]->m_hWnd);

    printf("send round trip, ns (median of %d x %d sends)\n", kRepeats, kSends);
    printf("  bare window procedure          %8.1f\n", ten.bare);
    printf("  CWnd, 10 windows alive         %8.1f   ratio %.2f (goal <= 1.5)\n", ten.bound, ten.bound / ten.bare);
    printf("  CWnd, 10,000 windows alive     %8.1f   ratio %.2f\n", many.bound, many.bound / many.bare);
    printf("  10,000 vs 10 windows (each against its bare run)   ratio %.2f (goal <= 1.1)\n",
           (many.bound / many.bare) / (ten.bound / ten.bare));

    for (auto& w : windows)
        DestroyWindow(w->m_hWnd);
    DestroyWindow(hBare);
    return 0;
}
