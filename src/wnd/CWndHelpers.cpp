// CWnd's small operations: thin Win32 calls on m_hWnd or a given handle, style
// changes with a frame refresh, class tests, invalidation, timers and the
// forwarders to the shared tooltip.
#include <windows.h>
#include <commctrl.h>
#include "wnd/CWnd.h"
#include "wnd/WndBinding_int.h"
#include "wnd/WndShared_int.h"
#include "frame/Globals_int.h"
#include "ctrl/CToolTip.h"
#include "dlg/CenterWindow.h"

void RefreshFrame(HWND hWnd, UINT uSwp)
{
    const UINT kFrameChangedFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                    SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER;
    if (uSwp == (UINT)-1)
        return;
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, uSwp == 0 ? kFrameChangedFlags : uSwp);
}

// ---- Exported instance helpers ---------------------------------------------

HDC CWnd::BeginPaint(PAINTSTRUCT* pPS) { return ::BeginPaint(m_hWnd, pPS); }
BOOL CWnd::EndPaint(PAINTSTRUCT* pPS) { return ::EndPaint(m_hWnd, pPS); }
HICON CWnd::GetCursor() const { return ::GetCursor(); }
HICON CWnd::SetCursor(HICON hCursor) { return ::SetCursor(hCursor); }

int CWnd::SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw)
{
    return ::SetScrollRange(m_hWnd, nBar, nMin, nMax, bRedraw);
}

int CWnd::SetScrollInfo(int nBar, SCROLLINFO* pInfo, BOOL bRedraw)
{
    return ::SetScrollInfo(m_hWnd, nBar, pInfo, bRedraw);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

int CWnd::ScrollWindow(int dx, int dy, const RECT* pScroll, const RECT* pClip)
{
    return ::ScrollWindow(m_hWnd, dx, dy, pScroll, pClip);
}

// ---- Exported static helpers -------------------------------------------------

CWnd* CWnd::GetWindow(HWND hWnd) { return FindWnd(hWnd); }
HDC CWnd::GetDC(HWND hWnd) { return ::GetDC(hWnd); }
int CWnd::ReleaseDC(HWND hWnd, HDC hdc) { return ::ReleaseDC(hWnd, hdc); }
BOOL CWnd::GetClientRect(HWND hWnd, RECT* pRect) { return ::GetClientRect(hWnd, pRect); }
BOOL CWnd::GetWindowRect(HWND hWnd, RECT* pRect) { return ::GetWindowRect(hWnd, pRect); }
HWND CWnd::SetFocus(HWND hWnd) { return ::SetFocus(hWnd); }
HWND CWnd::SetCapture(HWND hWnd) { return ::SetCapture(hWnd); }
HWND CWnd::GetDlgItem(HWND hWnd, int nId) { return ::GetDlgItem(hWnd, nId); }
HWND CWnd::GetWindow(HWND hWnd, UINT uCmd) { return ::GetWindow(hWnd, uCmd); }
LONG CWnd::GetWindowLongA(HWND hWnd, int nIndex) { return ::GetWindowLongA(hWnd, nIndex); }
DWORD CWnd::GetClassLongA(HWND hWnd, int nIndex) { return ::GetClassLongA(hWnd, nIndex); }
LONG CWnd::SetWindowLongA(HWND hWnd, int nIndex, LONG lValue) { return ::SetWindowLongA(hWnd, nIndex, lValue); }
DWORD CWnd::SetClassLongA(HWND hWnd, int nIndex, LONG lValue) { return ::SetClassLongA(hWnd, nIndex, lValue); }
int CWnd::GetDlgCtrlID(HWND hWnd) { return ::GetDlgCtrlID(hWnd); }
BOOL CWnd::SetWindowTextA(HWND hWnd, const char* pszText) { return ::SetWindowTextA(hWnd, pszText); }
int CWnd::GetWindowTextA(HWND hWnd, char* pszText, int nMax) { return ::GetWindowTextA(hWnd, pszText, nMax); }
BOOL CWnd::ShowWindow(HWND hWnd, int nCmd) { return ::ShowWindow(hWnd, nCmd); }
BOOL CWnd::ClientToScreen(HWND hWnd, POINT* pPt) { return ::ClientToScreen(hWnd, pPt); }
BOOL CWnd::ScreenToClient(HWND hWnd, POINT* pPt) { return ::ScreenToClient(hWnd, pPt); }

BOOL CWnd::MoveWindow(HWND hWnd, int x, int y, int cx, int cy, BOOL bRepaint)
{
    return ::MoveWindow(hWnd, x, y, cx, cy, bRepaint);
}

int CWnd::MapWindowPoints(HWND hFrom, HWND hTo, POINT* pPts, UINT uCount)
{
    return ::MapWindowPoints(hFrom, hTo, pPts, uCount);
}

HWND CWnd::GetParent(HWND hWnd) { return ::GetParent(hWnd); }

int CWnd::MessageBoxA(HWND hWnd, const char* pszText, const char* pszCaption, UINT uType)
{
    return ::MessageBoxA(hWnd, pszText, pszCaption, uType);
}

HFONT CWnd::GetFont(HWND hWnd)
{
    return reinterpret_cast<HFONT>(::SendMessageA(hWnd, WM_GETFONT, 0, 0));
}

HWND CWnd::GetFirstChld(HWND hWnd) { return ::GetTopWindow(hWnd); }
HWND CWnd::GetFirstSibl(HWND hWnd) { return ::GetWindow(hWnd, GW_HWNDFIRST); }
HWND CWnd::GetLastSibl(HWND hWnd) { return ::GetWindow(hWnd, GW_HWNDLAST); }
HWND CWnd::GetNextSibl(HWND hWnd) { return ::GetWindow(hWnd, GW_HWNDNEXT); }
HWND CWnd::GetPrevSibl(HWND hWnd) { return ::GetWindow(hWnd, GW_HWNDPREV); }
HWND CWnd::GetOwner(HWND hWnd) { return ::GetWindow(hWnd, GW_OWNER); }

// ---- Messages ------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT uMsg) { return SendMessageTo(m_hWnd, uMsg, 0, 0); }
LRESULT CWnd::SendMessage(UINT uMsg, WPARAM wParam) { return SendMessageTo(m_hWnd, uMsg, wParam, 0); }

LRESULT CWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return SendMessageTo(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWnd::SendMessageLParam(UINT uMsg, LPARAM lParam) { return SendMessageTo(m_hWnd, uMsg, 0, lParam); }

BOOL CWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWnd::SendMessageTo(HWND hWnd, UINT uMsg) { return SendMessageTo(hWnd, uMsg, 0, 0); }
LRESULT CWnd::SendMessageTo(HWND hWnd, UINT uMsg, WPARAM wParam) { return SendMessageTo(hWnd, uMsg, wParam, 0); }

// A NULL handle would broadcast nothing useful; it gets 0 without a call.
LRESULT CWnd::SendMessageTo(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return hWnd != NULL ? ::SendMessageA(hWnd, uMsg, wParam, lParam) : 0;
}

void CWnd::SetIcon(HICON hIcon, int nType)
{
    SendMessageTo(m_hWnd, WM_SETICON, static_cast<WPARAM>(nType), reinterpret_cast<LPARAM>(hIcon));
}

// ---- Styles --------------------------------------------------------------------

DWORD CWnd::GetStyle() { return GetStyle(m_hWnd); }
DWORD CWnd::GetExStyle() { return GetExStyle(m_hWnd); }
LONG CWnd::GetWindowLongA(int nIndex) { return ::GetWindowLongA(m_hWnd, nIndex); }
DWORD CWnd::GetStyle(HWND hWnd) { return static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle(HWND hWnd) { return static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_EXSTYLE)); }

DWORD CWnd::SetStyle(HWND hWnd, DWORD dwStyle, UINT uSwp)
{
    const DWORD previous = static_cast<DWORD>(::SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>(dwStyle)));
    RefreshFrame(hWnd, uSwp);
    return previous;
}

DWORD CWnd::SetExStyle(HWND hWnd, DWORD dwExStyle, UINT uSwp)
{
    const DWORD previous = static_cast<DWORD>(::SetWindowLongA(hWnd, GWL_EXSTYLE, static_cast<LONG>(dwExStyle)));
    RefreshFrame(hWnd, uSwp);
    return previous;
}

void CWnd::ModifyExStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT uSwp)
{
    const DWORD old = GetExStyle(hWnd);
    const DWORD updated = (old & ~dwRemove) | dwAdd;
    if (updated != old)
        SetExStyle(hWnd, updated, uSwp);
}

void CWnd::ModifyExStyle(DWORD dwRemove, DWORD dwAdd, UINT uSwp)
{
    ModifyExStyle(m_hWnd, dwRemove, dwAdd, uSwp);
}

bool CWnd::IsClass(HWND hWnd, const char* pszName)
{
    if (hWnd == NULL || pszName == NULL)
        return false;
    char szClass[64];
    if (::GetClassNameA(hWnd, szClass, sizeof(szClass)) == 0)
        return false;
    // The locale-aware comparison treats double-byte characters as units.
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, szClass, -1, pszName, -1) == CSTR_EQUAL;
}

// ---- Invalidation ------------------------------------------------------------

BOOL CWnd::Invalidate(bool bErase, bool bUpdate) { return InvalidateRect(m_hWnd, NULL, bErase, bUpdate); }

BOOL CWnd::InvalidateRect(const RECT* pRect, bool bErase, bool bUpdate)
{
    return InvalidateRect(m_hWnd, pRect, bErase, bUpdate);
}

BOOL CWnd::InvalidateRect(HWND hWnd, const RECT* pRect, bool bErase, bool bUpdate)
{
    const BOOL result = ::InvalidateRect(hWnd, pRect, bErase);
    return bUpdate ? ::UpdateWindow(hWnd) : result;
}

// ---- State tests -------------------------------------------------------------

bool CWnd::HasTransparentStyle() { return HasTransparentStyle(m_hWnd); }
bool CWnd::HasTransparentStyle(HWND hWnd) { return (GetExStyle(hWnd) & WS_EX_TRANSPARENT) != 0; }

bool CWnd::IsTransparentWnd(HWND hWnd)
{
    return g_bOwnerDrawn && g_bTransparent && HasTransparentStyle(hWnd);
}

DWORD CWnd::IsChild() { return GetStyle() & WS_CHILD; }
BOOL CWnd::IsIconic() { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() { return ::IsZoomed(m_hWnd); }
BOOL CWnd::IsVisible() { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsNormal() { return !::IsIconic(m_hWnd) && !::IsZoomed(m_hWnd); }

// ---- Instance forms of window calls ------------------------------------------

BOOL CWnd::MoveWindow(int x, int y, int cx, int cy, bool bRepaint)
{
    return ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint);
}

BOOL CWnd::MoveWindow(const RECT& rect, bool bRepaint)
{
    return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bRepaint);
}

BOOL CWnd::UpdateWindow() { return ::UpdateWindow(m_hWnd); }
BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }
BOOL CWnd::ShowWindow(int nCmd) { return ::ShowWindow(m_hWnd, nCmd); }
BOOL CWnd::GetWindowRect(RECT* pRect) { return ::GetWindowRect(m_hWnd, pRect); }
BOOL CWnd::GetClientRect(RECT* pRect) { return ::GetClientRect(m_hWnd, pRect); }
HDC CWnd::GetDC() { return ::GetDC(m_hWnd); }
HWND CWnd::GetDlgItem(int nId) { return ::GetDlgItem(m_hWnd, nId); }
HWND CWnd::GetParent() { return ::GetParent(m_hWnd); }
int CWnd::GetWindowTextA(char* pszText, int nMax) { return ::GetWindowTextA(m_hWnd, pszText, nMax); }
BOOL CWnd::SetWindowTextA(const char* pszText) { return ::SetWindowTextA(m_hWnd, pszText); }
HFONT CWnd::GetFont() { return GetFont(m_hWnd); }

// ---- Timers, cursor, placement -----------------------------------------------

UINT_PTR CWnd::SetTimer(UINT uId, UINT uElapse) { return ::SetTimer(m_hWnd, uId, uElapse, NULL); }

void CWnd::KillTimer(UINT* pId)
{
    if (m_hWnd != NULL && *pId != 0)
        ::KillTimer(m_hWnd, *pId);
    *pId = 0;
}

void CWnd::SetClassCursor(HCURSOR hCursor)
{
    ::SetClassLongPtrA(m_hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hCursor));
}

void CWnd::CenterWindow(HWND hReference) { CenterWindowOver(m_hWnd, hReference, TRUE); }

HWND CWnd::ClientRectToParent(HWND hWnd, POINT pts[2])
{
    HWND hParent = ::GetParent(hWnd);
    ::MapWindowPoints(hWnd, hParent, pts, 2);
    return hParent;
}

HWND CWnd::WindowRectInParent(HWND hWnd, RECT* pRect)
{
    HWND hParent = ::GetParent(hWnd);
    ::GetWindowRect(hWnd, pRect);
    ::MapWindowPoints(NULL, hParent, reinterpret_cast<POINT*>(pRect), 2);
    return hParent;
}

// ---- Tools of the shared tooltip ---------------------------------------------

BOOL CWnd::AddToolWnd(HWND hTool)
{
    return g_pToolTip != NULL ? static_cast<BOOL>(g_pToolTip->AddToolWnd(m_hWnd, static_cast<const char*>(NULL), hTool)) : 0;
}

BOOL CWnd::AddToolWnd(UINT uTextId, HWND hTool)
{
    return g_pToolTip != NULL ? static_cast<BOOL>(g_pToolTip->AddToolWnd(m_hWnd, uTextId, hTool)) : 0;
}

BOOL CWnd::AddToolRect(const RECT* pRect, UINT uId)
{
    return g_pToolTip != NULL ? static_cast<BOOL>(g_pToolTip->AddToolRect(m_hWnd, static_cast<const char*>(NULL), pRect, uId)) : 0;
}

BOOL CWnd::AddToolRect(UINT uTextId, const RECT* pRect, UINT uId)
{
    return g_pToolTip != NULL ? static_cast<BOOL>(g_pToolTip->AddToolRect(m_hWnd, uTextId, pRect, uId)) : 0;
}

BOOL CWnd::RemoveToolRect(UINT uId)
{
    return g_pToolTip != NULL ? static_cast<BOOL>(g_pToolTip->RemoveToolRect(m_hWnd, uId)) : 0;
}

BOOL CWnd::RemoveToolWnd(HWND hTool)
{
    return g_pToolTip != NULL ? static_cast<BOOL>(g_pToolTip->RemoveToolWnd(m_hWnd, hTool)) : 0;
}
