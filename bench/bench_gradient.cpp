// A full gradient repaint of a 1024 x 768 client area (WM_ERASEBKGND through
// the off-screen buffer, one pen per line) against GradientFill filling the
// same rectangle of the same kind of memory DC. Prints medians and ratios.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <vector>
#include "BenchUtil.h"
#include "frame/Globals_int.h"
#include "paint/CWndEx_Clr.h"

namespace {

const int kWidth = 1024;
const int kHeight = 768;
const int kRepeats = 15;
const int kPaintsPerRepeat = 10;

// A 32-bit DIB section in a memory DC: the kind of surface both sides paint on.
struct Surface {
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ old;
    Surface()
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = kWidth;
        bmi.bmiHeader.biHeight = -kHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* bits = NULL;
        hdc = CreateCompatibleDC(NULL);
        hbm = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
        old = SelectObject(hdc, hbm);
    }
    ~Surface()
    {
        SelectObject(hdc, old);
        DeleteObject(hbm);
        DeleteDC(hdc);
    }
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Microseconds per paint.
template <class F>
double Time(F paint)
{
    const double start = NowSeconds();
    for (int i = 0; i < kPaintsPerRepeat; ++i)
        paint();
    GdiFlush();
    return (NowSeconds() - start) / kPaintsPerRepeat * 1e6;
}

void GradientFillRect(HDC hdc, COLORREF top, COLORREF bottom)
{
    TRIVERTEX v[2] = {};
    v[0].x = 0;
    v[0].y = 0;
    v[0].Red = static_cast<COLOR16>(GetRValue(top) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(top) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(top) << 8);
    v[1].x = kWidth;
    v[1].y = kHeight;
    v[1].Red = static_cast<COLOR16>(GetRValue(bottom) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(bottom) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(bottom) << 8);
    GRADIENT_RECT r = {0, 1};
    GradientFill(hdc, v, 2, &r, 1, GRADIENT_FILL_RECT_V);
}

}  // namespace

int main()
{
    CmnDllProcessAttach(GetModuleHandleA(NULL));
    g_bOwnerDrawn = true;
    g_bSystemColor = false;
    g_bGradientColor = true;

    CWndEx_Clr wnd;
    wnd.m_clrOwnBackNorm = RGB(40, 90, 170);
    if (wnd.CreateEx(0, "BenchGradient", "", WS_POPUP, 0, 0, kWidth, kHeight, NULL, NULL, NULL) == NULL) {
        printf("could not create the window\n");
        return 1;
    }
    RECT rcClient;
    GetClientRect(wnd.m_hWnd, &rcClient);
    Surface target, fill;

    // What a fresh buffer-sized bitmap costs by itself: made, touched once, deleted.
    auto freshBitmap = [&] {
        HDC hdcMem = CreateCompatibleDC(target.hdc);
        HBITMAP hbm = CreateCompatibleBitmap(target.hdc, kWidth, kHeight);
        HGDIOBJ hOld = SelectObject(hdcMem, hbm);
        PatBlt(hdcMem, 0, 0, kWidth, kHeight, WHITENESS);
        SelectObject(hdcMem, hOld);
        DeleteObject(hbm);
        DeleteDC(hdcMem);
    };

    std::vector<double> library, baseline, bitmap;
    for (int r = 0; r < kRepeats; ++r) {
        library.push_back(Time([&] {
            RECT rc = rcClient;
            SendMessageA(wnd.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.hdc), reinterpret_cast<LPARAM>(&rc));
        }));
        baseline.push_back(Time([&] { GradientFillRect(fill.hdc, RGB(40, 90, 170), RGB(201, 214, 234)); }));
        bitmap.push_back(Time(freshBitmap));
    }
    const double lib = Median(library), base = Median(baseline);
    printf("gradient repaint of %ld x %ld, us (median of %d x %d paints)\n", rcClient.right, rcClient.bottom,
           kRepeats, kPaintsPerRepeat);
    printf("  GradientFill into a memory DC      %9.1f\n", base);
    printf("  CWndEx_Clr WM_ERASEBKGND, buffered %9.1f   ratio %.2f (goal <= 3)\n", lib, lib / base);
    printf("    of which a fresh buffer bitmap   %9.1f   (made, touched once, deleted)\n", Median(bitmap));
    wnd.DestroyWindow();
    return 0;
}
