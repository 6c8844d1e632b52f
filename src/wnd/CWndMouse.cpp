// Mouse tracking: the client area, an optional hit zone and an optional
// capture zone each have an inside/outside state; crossing an edge calls one
// enter or exit operation. A press and release in the window make a click.
#include <windows.h>
#include "wnd/CWnd.h"

// ---- Point tests --------------------------------------------------------------

// An unset rectangle (right edge 0) stands for the client area as it is at
// the first test, and keeps that value.
bool CWnd::InRect(RECT& rect, POINT pt)
{
    if (pt.x == -1 && pt.y == -1)
        return false;
    if (rect.right == 0)
        ::GetClientRect(m_hWnd, &rect);
    return pt.x >= rect.left && pt.x <= rect.right && pt.y >= rect.top && pt.y <= rect.bottom;
}

bool CWnd::InClient(POINT pt)
{
    RECT rc = {0, 0, 0, 0};
    ::GetClientRect(m_hWnd, &rc);
    return InRect(rc, pt);
}

bool CWnd::InZone(POINT pt)
{
    return m_bZone && InRect(m_rcZone, pt);
}

bool CWnd::InCapture(POINT pt)
{
    return m_bCaptureAlways || (m_bCaptureZone && InRect(m_rcCapture, pt));
}

// ---- The tracking step ----------------------------------------------------------

void CWnd::OnMouseMove(int x, int y, UINT /*uKeys*/)
{
    DefWindowProc();
    m_ptMouse.x = x;
    m_ptMouse.y = y;
    const POINT pt = {x, y};

    if (InClient(pt)) {
        if (!m_bMouseOver) {
            OnMouseEnter();
            TRACKMOUSEEVENT tme;
            tme.cbSize = sizeof(tme);
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = m_hWnd;
            tme.dwHoverTime = HOVER_DEFAULT;
            ::TrackMouseEvent(&tme);
        }
    } else if (m_bMouseOver) {
        OnMouseExit();
    }

    if (InZone(pt)) {
        if (!m_bInZone)
            OnZoneEnter();
    } else if (m_bInZone) {
        OnZoneExit();
    }

    if (!m_bCaptureZone)
        return;
    if (InCapture(pt)) {
        if (!m_bInCapture) {
            if (::GetCapture() != m_hWnd)
                ::SetCapture(m_hWnd);
            OnCaptureEnter();
        }
    } else if (m_bInCapture) {
        // Releasing the capture sends WM_CAPTURECHANGED, whose handler may
        // already have reported the exit: one exit per crossing.
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (m_bInCapture)
            OnCaptureExit();
    }
}

void CWnd::OnMouseLeave()
{
    m_ptMouse.x = -1;
    m_ptMouse.y = -1;
    if (m_bMouseOver)
        OnMouseExit();
    if (m_bInZone)
        OnZoneExit();
    // A press that leaves the window produces no click.
    m_bMDown = false;
    m_bRDown = false;
    m_bLDown = false;
    DefWindowProc();
}

void CWnd::OnCaptureChanged(HWND hNewOwner)
{
    if (m_bCaptureZone && hNewOwner != m_hWnd && m_bInCapture) {
        m_bInCapture = false;
        OnCaptureExit();
    }
}

// ---- Buttons: the click runs before the flag is cleared, so a repaint
// during the click still shows the pressed look. --------------------------------

void CWnd::OnLButtonDown(int, int, UINT) { m_bLDown = true; DefWindowProc(); }
void CWnd::OnMButtonDown(int, int, UINT) { m_bMDown = true; DefWindowProc(); }
void CWnd::OnRButtonDown(int, int, UINT) { m_bRDown = true; DefWindowProc(); }

void CWnd::OnLButtonUp(int x, int y, UINT uKeys)
{
    if (m_bLDown)
        OnLClick(x, y, uKeys);
    m_bLDown = false;
    DefWindowProc();
}

void CWnd::OnMButtonUp(int x, int y, UINT uKeys)
{
    if (m_bMDown)
        OnMClick(x, y, uKeys);
    m_bMDown = false;
    DefWindowProc();
}

void CWnd::OnRButtonUp(int x, int y, UINT uKeys)
{
    if (m_bRDown)
        OnRClick(x, y, uKeys);
    m_bRDown = false;
    DefWindowProc();
}

// ---- Enter and exit: the flags the tracking step compares with --------------------

void CWnd::OnMouseEnter() { m_bMouseOver = true; }
void CWnd::OnMouseExit() { m_bMouseOver = false; }
void CWnd::OnCaptureEnter() { m_bInCapture = true; }
void CWnd::OnCaptureExit() { m_bInCapture = false; }
void CWnd::OnZoneEnter() { m_bInZone = true; }
void CWnd::OnZoneExit() { m_bInZone = false; }
