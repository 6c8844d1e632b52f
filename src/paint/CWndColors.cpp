// The colour scheme of CWnd: which colours a window paints with in its current
// state, and the background under transparent windows.
#include <windows.h>
#include "wnd/CWnd.h"

bool CWnd::IsTransparent()
{
    return IsTransparentWnd(m_hWnd);
}

// The state colours and the transparent background arrive with the colour
// scheme; until then a window paints with the class brush.
HBRUSH CWnd::PrepareDC(HDC /*hdc*/)
{
    return m_hCurBrush;
}

void CWnd::UpdateColors()
{
}

BOOL CWnd::PaintBackground(HDC /*hdc*/, RECT* pRect)
{
    return pRect != NULL && ::IsRectEmpty(pRect);
}

void CWnd::RepaintParentBackground(HWND hWnd)
{
    if (hWnd != NULL && IsTransparentWnd(hWnd))
        PaintParentBackground(hWnd, NULL, NULL);
}

// Painting through the nearest non-transparent ancestor arrives with the
// colour scheme.
BOOL CWnd::PaintParentBackground(HWND /*hWnd*/, HDC /*hdc*/, RECT* /*pRect*/)
{
    return FALSE;
}
