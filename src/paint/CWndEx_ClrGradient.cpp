// The gradient background of CWndEx_Clr: one line per pixel row (or column),
// each in its own pen colour, drawn into an off-screen buffer over the erased
// part, or its pixels written directly when the buffer is a 32-bit DIB section.
#include <windows.h>
#include <intrin.h>
#include <cstring>
#include "paint/CWndEx_Clr.h"
#include "paint/BlendColor.h"
#include "paint/OffscreenBuffer_int.h"
#include "frame/Globals_int.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// The colour at p of an edge running to n. Positions count from the client
// area's origin, so any part of the window repaints with the colours of a
// full repaint.
COLORREF GradientAt(COLORREF clrFirst, COLORREF clrSecond, int p, int n, bool bMirror)
{
    if (!bMirror)
        return BlendColor(clrFirst, clrSecond, p, n, BLEND_LINEAR);
    // Out on the convex curve, back on the concave one: the second colour
    // fills a broad middle band and the first shows at both edges.
    const int half = n / 2;
    if (p < half)
        return BlendColor(clrFirst, clrSecond, p, half, BLEND_CONVEX);
    return BlendColor(clrSecond, clrFirst, p - half, half, BLEND_CONCAVE);
}

// Lines of one colour, drawn in one call: neighbouring rows of a gradient
// often share their colour, and a call costs more than a line.
class LineBatch {
public:
    explicit LineBatch(HDC hdc) : m_hdc(hdc), m_clr(0), m_nLines(0) {}
    ~LineBatch() { Flush(); }

    void Add(COLORREF clr, int x0, int y0, int x1, int y1)
    {
        if (m_nLines == kMaxLines || (m_nLines > 0 && clr != m_clr))
            Flush();
        m_clr = clr;
        m_points[2 * m_nLines].x = x0;
        m_points[2 * m_nLines].y = y0;
        m_points[2 * m_nLines + 1].x = x1;
        m_points[2 * m_nLines + 1].y = y1;
        m_counts[m_nLines] = 2;
        ++m_nLines;
    }

    void Flush()
    {
        if (m_nLines == 0)
            return;
        ::SetDCPenColor(m_hdc, m_clr);
        ::PolyPolyline(m_hdc, m_points, m_counts, static_cast<DWORD>(m_nLines));
        m_nLines = 0;
    }

private:
    static const int kMaxLines = 64;
    HDC m_hdc;
    COLORREF m_clr;
    int m_nLines;
    POINT m_points[2 * kMaxLines];
    DWORD m_counts[kMaxLines];
};

// Lines from `from` up to `to` (exclusive), across [across0, across1), each in
// its own colour. The DC's own pen takes the colours in turn: a pen made and
// deleted per line cost more than the line itself.
void DrawGradientLines(HDC hdc, bool bHorz, int from, int to, int across0, int across1, COLORREF clrFirst,
                       COLORREF clrSecond, int n, bool bMirror)
{
    if (from >= to)
        return;
    HGDIOBJ hKeptPen = ::SelectObject(hdc, ::GetStockObject(DC_PEN));
    const COLORREF clrKept = ::GetDCPenColor(hdc);
    {
        LineBatch batch(hdc);
        for (int p = from; p < to; ++p) {
            const COLORREF clr = GradientAt(clrFirst, clrSecond, p, n, bMirror);
            if (bHorz)
                batch.Add(clr, p, across0, p, across1);
            else
                batch.Add(clr, across0, p, across1, p);
        }
    }
    // Where drawing line by line would have left the current position.
    if (bHorz)
        ::MoveToEx(hdc, to - 1, across1, NULL);
    else
        ::MoveToEx(hdc, across1, to - 1, NULL);
    ::SetDCPenColor(hdc, clrKept);
    ::SelectObject(hdc, hKeptPen);
}

DWORD Xrgb(COLORREF clr)
{
    return (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
}

// The same pixels as DrawGradientLines, written straight into a 32-bit buffer
// whose first word is rc's top-left corner: the lines each end short of the
// far edge, so together they fill rc exactly. A line call cost more than the
// string store that sets its pixels, and the gradient was mostly calls.
void FillGradientPixels(DWORD* pPixels, int stride, bool bHorz, const RECT& rc, COLORREF clrFirst,
                        COLORREF clrSecond, int n, bool bMirror)
{
    const int cx = rc.right - rc.left;
    if (bHorz) {
        for (int x = rc.left; x < rc.right; ++x)
            pPixels[x - rc.left] = Xrgb(GradientAt(clrFirst, clrSecond, x, n, bMirror));
        for (int y = rc.top + 1; y < rc.bottom; ++y)
            std::memcpy(pPixels + (y - rc.top) * stride, pPixels, cx * sizeof(DWORD));
        return;
    }
    for (int y = rc.top; y < rc.bottom; ++y)
        __stosd(pPixels + (y - rc.top) * stride, Xrgb(GradientAt(clrFirst, clrSecond, y, n, bMirror)),
                static_cast<size_t>(cx));
}

}  // namespace

BOOL CWndEx_Clr::PaintBackground(HDC hdc, RECT* pRect)
{
    if (!g_bOwnerDrawn || IsTransparent())
        return FALSE;
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    const RECT rc = pRect != NULL ? *pRect : rcClient;
    if (::IsRectEmpty(&rc))
        return TRUE;
    UpdateColors();

    COLORREF clrStart = m_clrBackNorm;
    COLORREF clrEnd = (gradientFlags & GF_DOUBLE) ? gradientColor : (gradientFlags & GF_BLACK) ? kBlack : kWhite;
    if (blendPos != blendRange)
        clrEnd = BlendColor(clrStart, clrEnd, blendPos, blendRange, BLEND_LINEAR);
    const bool bSwap = (gradientFlags & GF_SWAP) != 0;
    const COLORREF clrFirst = bSwap ? clrEnd : clrStart;
    const COLORREF clrSecond = bSwap ? clrStart : clrEnd;

    // The lines cover every pixel of rc; a brush from WM_CTLCOLOR may be
    // hollow, so the buffer starts black for it.
    const bool bGradient = g_bGradientColor && (gradientFlags & GF_ON);
    OffscreenBuffer buffer;
    HDC hdcBuf = buffer.Begin(hdc, &rc, false, bGradient);
    if (bGradient) {
        const bool bMirror = (gradientFlags & GF_MIRROR) != 0;
        const bool bHorz = (gradientFlags & GF_HORZ) != 0;
        int stride = 0;
        DWORD* pPixels = buffer.Pixels(&stride);
        if (pPixels != NULL)
            FillGradientPixels(pPixels, stride, bHorz, rc, clrFirst, clrSecond, bHorz ? rcClient.right : rcClient.bottom,
                               bMirror);
        else if (bHorz)
            DrawGradientLines(hdcBuf, true, rc.left, rc.right, rc.top, rc.bottom, clrFirst, clrSecond,
                              rcClient.right, bMirror);
        else
            DrawGradientLines(hdcBuf, false, rc.top, rc.bottom, rc.left, rc.right, clrFirst, clrSecond,
                              rcClient.bottom, bMirror);
    } else {
        HBRUSH hBrush = GetCtlColorBrush(hdcBuf);
        if (hBrush != NULL) {
            ::FillRect(hdcBuf, &rc, hBrush);
        } else {
            // Nobody answered with a brush: the buffer would reach the target
            // unpainted, so fill it with the window's own back colour.
            HBRUSH hSolid = ::CreateSolidBrush(clrStart);
            ::FillRect(hdcBuf, &rc, hSolid);
            ::DeleteObject(hSolid);
        }
    }
    buffer.End();
    return TRUE;
}
