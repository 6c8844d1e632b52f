// The gradient background of CWndEx_Clr: one line per pixel row (or column),
// each in its own pen, drawn into an off-screen buffer over the erased part.
#include <windows.h>
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

// Lines from `from` up to `to` (exclusive), across [across0, across1).
void DrawGradientLines(HDC hdc, bool bHorz, int from, int to, int across0, int across1, COLORREF clrFirst,
                       COLORREF clrSecond, int n, bool bMirror)
{
    HGDIOBJ hKeptPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    HPEN hLastPen = NULL;
    for (int p = from; p < to; ++p) {
        HPEN hPen = ::CreatePen(PS_SOLID, 1, GradientAt(clrFirst, clrSecond, p, n, bMirror));
        if (hPen != NULL) {
            ::SelectObject(hdc, hPen);
            if (hLastPen != NULL)
                ::DeleteObject(hLastPen);
            hLastPen = hPen;
        }
        if (bHorz) {
            ::MoveToEx(hdc, p, across0, NULL);
            ::LineTo(hdc, p, across1);
        } else {
            ::MoveToEx(hdc, across0, p, NULL);
            ::LineTo(hdc, across1, p);
        }
    }
    ::SelectObject(hdc, hKeptPen);
    if (hLastPen != NULL)
        ::DeleteObject(hLastPen);
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

    OffscreenBuffer buffer;
    HDC hdcBuf = buffer.Begin(hdc, &rc, false);
    if (g_bGradientColor && (gradientFlags & GF_ON)) {
        const bool bMirror = (gradientFlags & GF_MIRROR) != 0;
        if (gradientFlags & GF_HORZ)
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
