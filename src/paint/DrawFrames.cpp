// Drawing primitives shared by the owner-drawn controls.
#include <windows.h>
#include "paint/DrawFrames_int.h"
#include "paint/BlendColor.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kUnset = static_cast<COLORREF>(-1);

RECT Inclusive(const RECT* pRect)
{
    RECT rc = *pRect;
    --rc.right;
    --rc.bottom;
    return rc;
}

// The outer ring and the ring inside it (the same ring without a second one).
void Rings(const RECT* pRect, bool bTwoRings, RECT* pOuter, RECT* pInner)
{
    *pOuter = Inclusive(pRect);
    *pInner = *pOuter;
    if (bTwoRings)
        DeflateRect1(pInner);
}

// Draws with a pen of its own and gives the DC its pen back.
class CScopedPen {
public:
    CScopedPen(HDC hdc, int nStyle, COLORREF clr) : m_hdc(hdc), m_hPen(::CreatePen(nStyle, 1, clr)), m_hOld(NULL)
    {
        if (m_hPen != NULL)
            m_hOld = ::SelectObject(hdc, m_hPen);
    }
    ~CScopedPen()
    {
        if (m_hPen != NULL) {
            ::SelectObject(m_hdc, m_hOld);
            ::DeleteObject(m_hPen);
        }
    }
    CScopedPen(const CScopedPen&) = delete;
    CScopedPen& operator=(const CScopedPen&) = delete;

private:
    HDC m_hdc;
    HPEN m_hPen;
    HGDIOBJ m_hOld;
};

}  // namespace

BOOL BlendPixel(HDC hdc, int x, int y, int pos, int range, COLORREF clr)
{
    return ::SetPixelV(hdc, x, y, BlendColor(::GetPixel(hdc, x, y), clr, pos, range, BLEND_LINEAR));
}

void BlendLine(HDC hdc, int x1, int y1, int x2, int y2, int pos, int range, COLORREF clr)
{
    if (x1 != x2 && y1 != y2)
        return;   // only axis-parallel lines
    const int dx = x2 > x1 ? 1 : x2 < x1 ? -1 : 0;
    const int dy = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;
    // A single point (dx = dy = 0) still blends its one pixel.
    int x = x1, y = y1;
    do {
        BlendPixel(hdc, x, y, pos, range, clr);
        x += dx;
        y += dy;
    } while (x != x2 || y != y2);
}

void BlendFrame(HDC hdc, const RECT* pInclusive, int pos, int range, COLORREF clrTopLeft,
                COLORREF clrBottomRight)
{
    const LONG l = pInclusive->left, t = pInclusive->top, r = pInclusive->right, b = pInclusive->bottom;
    BlendLine(hdc, l, b, l, t, pos, range, clrTopLeft);
    BlendLine(hdc, l, t, r, t, pos, range, clrTopLeft);
    BlendLine(hdc, r, t, r, b, pos, range, clrBottomRight);
    BlendLine(hdc, r, b, l, b, pos, range, clrBottomRight);
}

namespace {

// Raised and sunken frames differ only in which colour lights the top-left
// edges: a soft ring (a quarter of the way) and a firm ring (half way).
void DrawShadedFrame(HDC hdc, const RECT* pRect, bool bTwoRings, bool bSoftOuter, COLORREF clrTopLeft,
                     COLORREF clrBottomRight)
{
    RECT rcOuter, rcInner;
    Rings(pRect, bTwoRings, &rcOuter, &rcInner);
    if (bTwoRings)
        BlendFrame(hdc, bSoftOuter ? &rcOuter : &rcInner, 1, 4, clrTopLeft, clrBottomRight);
    BlendFrame(hdc, bSoftOuter ? &rcInner : &rcOuter, 1, 2, clrTopLeft, clrBottomRight);
}

}  // namespace

void DrawRaisedFrame(HDC hdc, const RECT* pRect, bool bTwoRings, bool bSoftOuter)
{
    DrawShadedFrame(hdc, pRect, bTwoRings, bSoftOuter, kWhite, kBlack);
}

void DrawSunkenFrame(HDC hdc, const RECT* pRect, bool bTwoRings, bool bSoftInner)
{
    DrawShadedFrame(hdc, pRect, bTwoRings, !bSoftInner, kBlack, kWhite);
}

void DrawEtchedFrame(HDC hdc, const RECT* pRect, int nInset, bool bDarkFirst)
{
    RECT rcOuter = Inclusive(pRect);
    RECT rcInner = rcOuter;
    DeflateRectN(&rcInner, nInset);
    const COLORREF clrA = bDarkFirst ? kBlack : kWhite;
    const COLORREF clrB = bDarkFirst ? kWhite : kBlack;
    BlendFrame(hdc, &rcOuter, 1, 4, clrA, clrB);
    BlendFrame(hdc, &rcInner, 1, 4, clrB, clrA);
}

void DrawPenFrame(HDC hdc, const RECT* pRect, COLORREF clr, int nPenStyle)
{
    const LONG l = pRect->left, t = pRect->top, r = pRect->right - 1, b = pRect->bottom - 1;
    HPEN hPen = clr != kUnset ? ::CreatePen(nPenStyle, 1, clr) : NULL;
    HGDIOBJ hOld = hPen != NULL ? ::SelectObject(hdc, hPen) : NULL;
    ::MoveToEx(hdc, l, t, NULL);
    ::LineTo(hdc, l, b);
    ::LineTo(hdc, r, b);
    ::LineTo(hdc, r, t);
    ::LineTo(hdc, l, t);
    if (hPen != NULL) {
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hPen);
    }
}

RECT* DrawTwoColorFrame(HDC hdc, RECT* pInclusive, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (clrBottomRight == kUnset)
        clrBottomRight = clrTopLeft;
    const LONG l = pInclusive->left, t = pInclusive->top, r = pInclusive->right, b = pInclusive->bottom;
    ::MoveToEx(hdc, l, b, NULL);
    {
        CScopedPen pen(hdc, PS_SOLID, clrTopLeft);
        ::LineTo(hdc, l, t);
        ::LineTo(hdc, r, t);
    }
    {
        CScopedPen pen(hdc, PS_SOLID, clrBottomRight);
        ::LineTo(hdc, r, b);
        ::LineTo(hdc, l, b);
    }
    return DeflateRect1(pInclusive);
}

void DrawGradientFrame(HDC hdc, const RECT* pRect, COLORREF clrBase, unsigned int count, bool bSunken)
{
    const COLORREF clrLight = BlendColor(clrBase, kWhite, 1, 2, BLEND_LINEAR);
    const COLORREF clrDark = BlendColor(kBlack, clrBase, 1, 2, BLEND_LINEAR);
    const COLORREF clrFirst = bSunken ? clrDark : clrLight;
    const COLORREF clrSecond = bSunken ? clrLight : clrDark;
    RECT rc = Inclusive(pRect);
    const int n = static_cast<int>(count);
    for (int i = 0; i < n; ++i)
        DrawTwoColorFrame(hdc, &rc, BlendColor(clrFirst, clrBase, i, n, BLEND_LINEAR),
                          BlendColor(clrSecond, clrBase, i, n, BLEND_LINEAR));
}

RECT* DeflateRect1(RECT* pRect)
{
    return DeflateRectN(pRect, 1);
}

RECT* DeflateRectN(RECT* pRect, int n)
{
    pRect->left += n;
    pRect->top += n;
    pRect->right -= n;
    pRect->bottom -= n;
    return pRect;
}

RECT* OffsetRect1(RECT* pRect)
{
    ++pRect->left;
    ++pRect->top;
    ++pRect->right;
    ++pRect->bottom;
    return pRect;
}
