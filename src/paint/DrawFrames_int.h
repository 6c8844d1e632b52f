// Drawing primitives of the owner-drawn controls: outlines blended pixel by
// pixel toward white or black (so they suit any background, a gradient or a
// parent's picture included), pen outlines, and rectangle adjustments.
//
// "Inclusive" rectangles have right and bottom on the last painted column and
// row; "exclusive" ones are ordinary RECTs. Opacity is pos/range of the way
// toward the colour.
#pragma once

#include <windows.h>

BOOL BlendPixel(HDC hdc, int x, int y, int pos, int range, COLORREF clr);
// Axis-parallel lines only, end point left out; a single point blends one
// pixel, a diagonal draws nothing.
void BlendLine(HDC hdc, int x1, int y1, int x2, int y2, int pos, int range, COLORREF clr);
// Left and top edges in clrTopLeft, right and bottom in clrBottomRight, each
// corner blended once.
void BlendFrame(HDC hdc, const RECT* pInclusive, int pos, int range, COLORREF clrTopLeft,
                COLORREF clrBottomRight);
void DrawRaisedFrame(HDC hdc, const RECT* pRect, bool bTwoRings, bool bSoftOuter);
void DrawSunkenFrame(HDC hdc, const RECT* pRect, bool bTwoRings, bool bSoftInner);
void DrawEtchedFrame(HDC hdc, const RECT* pRect, int nInset, bool bDarkFirst);
// A one-pixel pen outline; clr -1 uses the DC's current pen.
void DrawPenFrame(HDC hdc, const RECT* pRect, COLORREF clr, int nPenStyle);
// One ring, then moves the caller's rectangle in by a pixel for the next.
RECT* DrawTwoColorFrame(HDC hdc, RECT* pInclusive, COLORREF clrTopLeft, COLORREF clrBottomRight);
// count rings, fading from the light and dark shades of clrBase toward it.
void DrawGradientFrame(HDC hdc, const RECT* pRect, COLORREF clrBase, unsigned int count, bool bSunken);

RECT* DeflateRect1(RECT* pRect);
RECT* DeflateRectN(RECT* pRect, int n);
RECT* OffsetRect1(RECT* pRect);
