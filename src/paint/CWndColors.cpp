// The colour scheme of CWnd: which colours a window paints with in its current
// state, the brush it hands out, and the background under transparent windows.
#include <windows.h>
#include "wnd/CWnd.h"
#include "wnd/WndShared_int.h"
#include "frame/Globals_int.h"

namespace {

const COLORREF kUnset = static_cast<COLORREF>(-1);

// The three colour sets hold their eight roles in the same order.
typedef COLORREF CWnd::*ColorField;
const ColorField kEffective[8] = {
    &CWnd::m_clrTextNorm, &CWnd::m_clrTextOver, &CWnd::m_clrTextDown, &CWnd::m_clrTextFocus,
    &CWnd::m_clrBackNorm, &CWnd::m_clrBackOver, &CWnd::m_clrBackDown, &CWnd::m_clrBackFocus,
};
const ColorField kOwn[8] = {
    &CWnd::m_clrOwnTextNorm, &CWnd::m_clrOwnTextOver, &CWnd::m_clrOwnTextDown, &CWnd::m_clrOwnTextFocus,
    &CWnd::m_clrOwnBackNorm, &CWnd::m_clrOwnBackOver, &CWnd::m_clrOwnBackDown, &CWnd::m_clrOwnBackFocus,
};
const ColorField kSystem[8] = {
    &CWnd::m_clrSysTextNorm, &CWnd::m_clrSysTextOver, &CWnd::m_clrSysTextDown, &CWnd::m_clrSysTextFocus,
    &CWnd::m_clrSysBackNorm, &CWnd::m_clrSysBackOver, &CWnd::m_clrSysBackDown, &CWnd::m_clrSysBackFocus,
};

// The pressed colour only counts while the window is still hot, and the
// hot colours win over the focus colour.
COLORREF StateColor(const CWnd& w, HWND hFocus, COLORREF clrNorm, COLORREF clrOver, COLORREF clrDown,
                    COLORREF clrFocus)
{
    const bool bHot = w.m_bHotByZone ? w.m_bInZone : w.m_bMouseOver;
    if (bHot) {
        if (w.m_bLDown && clrDown != kUnset)
            return clrDown;
        if (clrOver != kUnset)
            return clrOver;
    }
    if (hFocus != NULL && hFocus == w.m_hWnd && clrFocus != kUnset)
        return clrFocus;
    return clrNorm;
}

// A rectangle of hWnd's client area in its parent's client coordinates.
HWND MapToParent(HWND hWnd, const RECT& rc, RECT* pMapped)
{
    HWND hParent = ::GetParent(hWnd);
    if (hParent == NULL)
        return NULL;
    *pMapped = rc;
    ::MapWindowPoints(hWnd, hParent, reinterpret_cast<POINT*>(pMapped), 2);
    return hParent;
}

}  // namespace

bool CWnd::IsTransparent()
{
    return IsTransparentWnd(m_hWnd);
}

// Owner drawing off, or the user asked for system colours: the system set.
// Otherwise the window's own colours, the system ones filling the gaps.
void CWnd::UpdateColors()
{
    const bool bSystemMode = !g_bOwnerDrawn || g_bSystemColor;
    for (int i = 0; i < 8; ++i) {
        const COLORREF clrOwn = this->*kOwn[i];
        this->*kEffective[i] = (bSystemMode || clrOwn == kUnset) ? this->*kSystem[i] : clrOwn;
    }
    if (m_clrTextFocus == kUnset)
        m_clrTextFocus = m_clrTextNorm;
    if (m_clrBackFocus == kUnset)
        m_clrBackFocus = m_clrBackNorm;
}

COLORREF CWnd::GetStateTextColor()
{
    UpdateColors();
    return StateColor(*this, ::GetFocus(), m_clrTextNorm, m_clrTextOver, m_clrTextDown, m_clrTextFocus);
}

COLORREF CWnd::GetStateBackColor()
{
    UpdateColors();
    return StateColor(*this, ::GetFocus(), m_clrBackNorm, m_clrBackOver, m_clrBackDown, m_clrBackFocus);
}

HBRUSH CWnd::GetCtlColorBrush(HDC hdc)
{
    const WPARAM wParam = reinterpret_cast<WPARAM>(hdc);
    const LPARAM lParam = reinterpret_cast<LPARAM>(m_hWnd);
    LRESULT brush = SendMessageTo(::GetParent(m_hWnd), WM_CTLCOLOR_16, wParam, lParam);
    if (brush == 0)
        brush = SendMessageTo(m_hWnd, WM_CTLCOLOR_16, wParam, lParam);
    return reinterpret_cast<HBRUSH>(brush);
}

HBRUSH CWnd::PrepareDC(HDC hdc)
{
    m_clrText = GetStateTextColor();
    m_clrBack = GetStateBackColor();
    m_hCurBrush = GetCtlColorBrush(hdc);

    if (m_clrText == kUnset)
        m_clrText = ::GetTextColor(hdc);
    else
        ::SetTextColor(hdc, m_clrText);

    if (IsTransparent()) {
        ::SetBkMode(hdc, TRANSPARENT);
        m_hCurBrush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    if (m_hCurBrush == NULL && m_clrBack != kUnset) {
        if (m_hOwnBrush != NULL)
            ::DeleteObject(m_hOwnBrush);
        m_hOwnBrush = ::CreateSolidBrush(m_clrBack);
        m_hCurBrush = m_hOwnBrush;
    }

    if (m_clrBack == kUnset)
        m_clrBack = ::GetBkColor(hdc);
    else
        ::SetBkColor(hdc, m_clrBack);
    return m_hCurBrush;
}

HBRUSH CWnd::SetBrush(HBRUSH hBrush)
{
    return reinterpret_cast<HBRUSH>(
        ::SetClassLongPtrA(m_hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(hBrush)));
}

DWORD CWnd::GetTextNormColor() { return m_clrTextNorm; }
DWORD CWnd::GetTextOverColor() { return m_clrTextOver; }
DWORD CWnd::GetTextDownColor() { return m_clrTextDown; }
DWORD CWnd::GetBackNormColor() { return m_clrBackNorm; }
DWORD CWnd::GetBackOverColor() { return m_clrBackOver; }
DWORD CWnd::GetBackDownColor() { return m_clrBackDown; }

// A transparent window leaves its background to what lies beneath it; an
// opaque one lets the system erase with the class brush.
BOOL CWnd::PaintBackground(HDC hdc, RECT* pRect)
{
    if (pRect != NULL && ::IsRectEmpty(pRect))
        return TRUE;
    if (IsTransparent())
        return PaintParentBackground(m_hWnd, hdc, pRect);
    return FALSE;
}

void CWnd::RepaintParentBackground(HWND hWnd)
{
    if (hWnd != NULL && IsTransparentWnd(hWnd))
        PaintParentBackground(hWnd, NULL, NULL);
}

BOOL CWnd::PaintParentBackground(HDC hdc, RECT* pRect)
{
    return PaintParentBackground(m_hWnd, hdc, pRect);
}

// Climbs through transparent windows, shifting the DC's origin so that each
// ancestor paints in its own coordinates, until a window that paints its
// background is asked (WM_ERASEBKGND with the rectangle) to paint that part.
BOOL CWnd::PaintParentBackground(HWND hWnd, HDC hdc, RECT* pRect)
{
    if (hWnd == NULL && hdc == NULL)
        return FALSE;   // neither a window nor a DC to paint into
    HDC hOwnDC = NULL;
    if (hdc == NULL)
        hdc = hOwnDC = ::GetDC(hWnd);
    if (hWnd == NULL)
        hWnd = ::WindowFromDC(hdc);
    RECT rc;
    if (pRect != NULL)
        rc = *pRect;
    else
        ::GetClientRect(hWnd, &rc);

    BOOL bResult = FALSE;
    if (IsTransparentWnd(hWnd)) {
        RECT rcParent;
        HWND hParent = MapToParent(hWnd, rc, &rcParent);
        if (hParent != NULL) {
            POINT ptOld;
            ::OffsetWindowOrgEx(hdc, rcParent.left - rc.left, rcParent.top - rc.top, &ptOld);
            bResult = PaintParentBackground(hParent, hdc, &rcParent);
            ::SetWindowOrgEx(hdc, ptOld.x, ptOld.y, NULL);
        }
    } else {
        bResult = static_cast<BOOL>(
            SendMessageTo(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(&rc)));
    }

    if (hOwnDC != NULL)
        ::ReleaseDC(hWnd, hOwnDC);
    return bResult;
}

BOOL CWnd::InvalidateThrough(const RECT* pRect, bool bErase, bool bUpdate)
{
    return InvalidateThrough(m_hWnd, pRect, bErase, bUpdate);
}

// A transparent window shows its parent's background, so erasing it means
// erasing that part of the parent.
BOOL CWnd::InvalidateThrough(HWND hWnd, const RECT* pRect, bool bErase, bool bUpdate)
{
    RECT rc;
    if (pRect != NULL)
        rc = *pRect;
    else
        ::GetClientRect(hWnd, &rc);
    if (bErase && IsTransparentWnd(hWnd)) {
        RECT rcParent;
        HWND hParent = MapToParent(hWnd, rc, &rcParent);
        return hParent != NULL ? InvalidateThrough(hParent, &rcParent, true, true) : FALSE;
    }
    const BOOL bInvalidated = ::InvalidateRect(hWnd, &rc, bErase);
    return bUpdate ? ::UpdateWindow(hWnd) : bInvalidated;
}
