// A full gradient repaint of a 1024 x 768 client area (WM_ERASEBKGND through
// the off-screen buffer, its rows written into the buffer's memory) against
// GradientFill filling the same rectangle of the same kind of memory DC: both paint on a 1024 x 768
// 32-bit DIB section whose memory is touched before timing, and every side is
// run once untimed first. Prints medians, the ratio, and what the repaint is
// made of.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <vector>
#include "BenchUtil.h"
#include "frame/Globals_int.h"
#include "paint/BlendColor.h"
#include "paint/CWndEx_Clr.h"
#include "paint/OffscreenBuffer_int.h"

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
        PatBlt(hdc, 0, 0, kWidth, kHeight, WHITENESS);   // first touch of its pages, out of the timing
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
    paint();   // whatever a first run makes or touches is not timed
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
        printf("could not create the window (error %lu)\n", GetLastError());
        return 1;
    }
    RECT rcClient;
    GetClientRect(wnd.m_hWnd, &rcClient);
    Surface target, fill;

    // The colours of the rows, as the window paints them.
    const COLORREF clrStart = RGB(40, 90, 170);
    const COLORREF clrEnd = BlendColor(clrStart, RGB(255, 255, 255), 24, 32, BLEND_LINEAR);
    std::vector<COLORREF> rows;
    int runs = 0;
    for (int y = 0; y < kHeight; ++y) {
        rows.push_back(BlendColor(clrStart, clrEnd, y, kHeight, BLEND_LINEAR));
        runs += y == 0 || rows[y] != rows[y - 1];
    }

    // The parts of the repaint, each by itself.
    auto freshBitmap = [&] {   // what each repaint used to pay: made, touched once, deleted
        HDC hdcMem = CreateCompatibleDC(target.hdc);
        HBITMAP hbm = CreateCompatibleBitmap(target.hdc, kWidth, kHeight);
        HGDIOBJ hOld = SelectObject(hdcMem, hbm);
        PatBlt(hdcMem, 0, 0, kWidth, kHeight, WHITENESS);
        SelectObject(hdcMem, hOld);
        DeleteObject(hbm);
        DeleteDC(hdcMem);
    };
    auto emptyBuffer = [&] {   // memory DC, kept bitmap, the copy to the target
        OffscreenBuffer buffer;
        buffer.Begin(target.hdc, &rcClient, false, true);
        buffer.End();
    };
    auto copyOnly = [&] { BitBlt(target.hdc, 0, 0, kWidth, kHeight, fill.hdc, 0, 0, SRCCOPY); };
    auto rowsOneByOne = [&] {   // a call per row, straight into a memory DC
        HGDIOBJ hOld = SelectObject(fill.hdc, GetStockObject(DC_PEN));
        for (int y = 0; y < kHeight; ++y) {
            SetDCPenColor(fill.hdc, rows[y]);
            MoveToEx(fill.hdc, 0, y, NULL);
            LineTo(fill.hdc, kWidth, y);
        }
        SelectObject(fill.hdc, hOld);
    };
    auto rowsPerColour = [&] {   // a call per run of rows of one colour
        HGDIOBJ hOld = SelectObject(fill.hdc, GetStockObject(DC_PEN));
        std::vector<POINT> points;
        std::vector<DWORD> counts;
        for (int y = 0; y < kHeight; ++y) {
            points.push_back(POINT{0, y});
            points.push_back(POINT{kWidth, y});
            counts.push_back(2);
            if (y + 1 == kHeight || rows[y + 1] != rows[y]) {
                SetDCPenColor(fill.hdc, rows[y]);
                PolyPolyline(fill.hdc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
                points.clear();
                counts.clear();
            }
        }
        SelectObject(fill.hdc, hOld);
    };

    std::vector<double> library, baseline, bitmap, buffer, copy, oneByOne, perColour;
    for (int r = 0; r < kRepeats; ++r) {
        library.push_back(Time([&] {
            RECT rc = rcClient;
            SendMessageA(wnd.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.hdc), reinterpret_cast<LPARAM>(&rc));
        }));
        baseline.push_back(Time([&] { GradientFillRect(fill.hdc, clrStart, rows[kHeight - 1]); }));
        bitmap.push_back(Time(freshBitmap));
        buffer.push_back(Time(emptyBuffer));
        copy.push_back(Time(copyOnly));
        oneByOne.push_back(Time(rowsOneByOne));
        perColour.push_back(Time(rowsPerColour));
    }
    const double lib = Median(library), base = Median(baseline);
    printf("gradient repaint of %ld x %ld, us (median of %d x %d paints)\n", rcClient.right, rcClient.bottom,
           kRepeats, kPaintsPerRepeat);
    printf("  GradientFill into a memory DC         %9.1f\n", base);
    printf("  CWndEx_Clr WM_ERASEBKGND, buffered    %9.1f   ratio %.2f (goal <= 3)\n", lib, lib / base);
    printf("    buffer alone (DC, kept bitmap, copy)%9.1f\n", Median(buffer));
    printf("      of which the copy (one BitBlt)    %9.1f\n", Median(copy));
    printf("  for scale: %d rows in %d colours, a call each run %6.1f\n", kHeight, runs, Median(perColour));
    printf("  for scale: the rows a call each       %9.1f\n", Median(oneByOne));
    printf("  for scale: a fresh buffer bitmap      %9.1f   (made, touched once, deleted)\n", Median(bitmap));
    wnd.DestroyWindow();
    return 0;
}
