// Message dispatch: every message of a bound window passes PreDispatch,
// WindowProc (one switch that unpacks the parameters and calls one virtual
// operation) and PostDispatch. This file also holds the defaults of the
// operations that only pass the message on.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include "wnd/CWnd.h"
#include "wnd/MsgRecords_int.h"
#include "wnd/WndBinding_int.h"
#include "wnd/WndShared_int.h"
#include "frame/Globals_int.h"
#include "ctrl/CToolTip.h"
#include "dlg/AboutBox.h"

namespace {

inline int SignedLo(LPARAM v) { return static_cast<short>(LOWORD(v)); }
inline int SignedHi(LPARAM v) { return static_cast<short>(HIWORD(v)); }

const UINT WM_DDE_ACK_VALUE = 0x03E4;   // WM_DDE_ACK, without dde.h

// System-menu commands the Alt+function keys stand for.
const UINT kCmdAbout = 0x00B0;
const UINT kCmdPreferences = 0x00C0;
const UINT kCmdRecenter = 0x0150;

UINT SysKeyCommand(UINT uVk)
{
    switch (uVk) {
    case VK_F1: return kCmdAbout;
    case VK_F5: return kCmdRecenter;
    case VK_F9: return kCmdPreferences;
    default: return 0;
    }
}

}  // namespace

// ---- The bracket around every message -------------------------------------

BOOL CWnd::PreDispatch(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    m_wParam = wParam;
    m_uMsg = uMsg;
    m_lParam = lParam;

    MSG msg;
    msg.hwnd = m_hWnd;
    msg.message = uMsg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = static_cast<DWORD>(::GetMessageTime());
    const DWORD pos = ::GetMessagePos();
    msg.pt.x = static_cast<short>(LOWORD(pos));
    msg.pt.y = static_cast<short>(HIWORD(pos));
    MsgRecordPush(&m_msgStack, msg);

    if (g_pToolTip != NULL && uMsg >= WM_MOUSEMOVE && uMsg <= WM_MOUSEWHEEL)
        g_pToolTip->RelayEvent(&m_msgStack->msg);
    return TRUE;
}

void CWnd::PostDispatch()
{
    MsgRecordPop(&m_msgStack, NULL);
    // The outer message of a nested dispatch becomes current again, so that
    // DefWindowProc() after a nested send processes the right message.
    if (m_msgStack != NULL) {
        m_uMsg = m_msgStack->msg.message;
        m_wParam = m_msgStack->msg.wParam;
        m_lParam = m_msgStack->msg.lParam;
    }
}

MSG* CWnd::GetLastMessage()
{
    return m_msgStack != NULL ? &m_msgStack->msg : NULL;
}

// A procedure replaced by subclassing may be a real function or a handle that
// the system hands out (for example across the ANSI/Unicode boundary);
// CallWindowProcA is right for both.
LRESULT CWnd::DefWindowProc()
{
    // Windows the library created call the system's default directly: the
    // common case stays as cheap as a bare window procedure.
    if (m_pfnPrevWndProc == ::DefWindowProcA)
        return ::DefWindowProcA(m_hWnd, m_uMsg, m_wParam, m_lParam);
    if (m_pfnPrevWndProc != NULL && m_pfnPrevWndProc != CmnWndProc)
        return ::CallWindowProcA(m_pfnPrevWndProc, m_hWnd, m_uMsg, m_wParam, m_lParam);
    return DefaultProc(m_uMsg, m_wParam, m_lParam);
}

LRESULT CWnd::DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(m_hWnd, uMsg, wParam, lParam);
}

// ---- The dispatcher --------------------------------------------------------

LRESULT CWnd::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == g_uAppNameMsg && uMsg != 0)
        return reinterpret_cast<LRESULT>(g_hMainWnd != NULL ? g_hMainWnd : m_hWnd);
    if (uMsg == g_uQueryCancelAutoPlayMsg && uMsg != 0)
        return OnQueryCancelAutoPlay(wParam, lParam);

    // Owner-draw messages go first to the bound control they are about; the
    // parent handles them when the control does not (or is not bound).
    if ((uMsg == WM_DRAWITEM || uMsg == WM_MEASUREITEM || uMsg == WM_COMPAREITEM) &&
        static_cast<int>(wParam) >= 1) {
        HWND hChild = ::GetDlgItem(m_hWnd, static_cast<int>(wParam));
        if (hChild != NULL && hChild != m_hWnd && FindWnd(hChild) != NULL) {
            LRESULT reflected = ::SendMessageA(hChild, uMsg, wParam, lParam);
            if (reflected != 0)
                return reflected;
        }
    }

    switch (uMsg) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam)) ? 0 : -1;
    case WM_DESTROY:
        OnDestroy();
        DetachWindow(true);
        return 0;
    case WM_MOVE:
        OnMove(SignedLo(lParam), SignedHi(lParam));
        return 0;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), SignedLo(lParam), SignedHi(lParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_PAINT:
        OnPaint(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_QUERYENDSESSION:
        return LOWORD(OnQueryEndSession());
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam), reinterpret_cast<RECT*>(lParam));
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_ENDSESSION:
        OnEndSession(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam) == ENDSESSION_LOGOFF);
        return 0;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return 0;
    case WM_CTLCOLOR_16:
        return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), -1);
    case WM_ACTIVATEAPP:
        OnActivateApp(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
        return 0;
    case WM_DRAWITEM:
        return OnDrawItem(static_cast<UINT>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM:
        return OnMeasureItem(static_cast<UINT>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DELETEITEM:
        return OnDeleteItem(static_cast<UINT>(wParam), reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
    case WM_SETFONT:
        OnSetFont(reinterpret_cast<HFONT>(wParam), static_cast<BOOL>(lParam));
        return 0;
    case WM_GETFONT:
        return OnGetFont();
    case WM_COMPAREITEM:
        return OnCompareItem(static_cast<UINT>(wParam), reinterpret_cast<COMPAREITEMSTRUCT*>(lParam));
    case WM_NOTIFY:
        return OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP:
        OnHelp(reinterpret_cast<HELPINFO*>(lParam));
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        OnKey(static_cast<UINT>(wParam), uMsg == WM_KEYDOWN, SignedLo(lParam), HIWORD(lParam));
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        OnSysKey(static_cast<UINT>(wParam), uMsg == WM_SYSKEYDOWN, SignedLo(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam));
    case WM_TIMER:
        OnTimer(static_cast<UINT>(wParam));
        return 0;
    case WM_HSCROLL:
        OnHScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), SignedHi(wParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), SignedHi(wParam));
        return 0;
    case WM_INITMENU:
        OnInitMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_MENUSELECT: {
        const UINT flags = HIWORD(wParam);
        HMENU hMenu = reinterpret_cast<HMENU>(lParam);
        const bool closed = flags == 0xFFFF;
        if (!closed && (flags & MF_POPUP))
            OnMenuSelect(hMenu, 0, ::GetSubMenu(hMenu, LOWORD(wParam)), static_cast<int>(flags));
        else
            OnMenuSelect(hMenu, LOWORD(wParam), NULL, closed ? -1 : static_cast<int>(flags));
        return 0;
    }
    case WM_ENTERIDLE:
        OnEnterIdle(wParam == MSGF_MENU, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                          static_cast<int>(uMsg - WM_CTLCOLORMSGBOX));
    case WM_MOUSEMOVE:
        OnMouseMove(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_MBUTTONDOWN:
        OnMButtonDown(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_MBUTTONUP:
        OnMButtonUp(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_MBUTTONDBLCLK:
        OnMButtonDblClk(SignedLo(lParam), SignedHi(lParam), static_cast<UINT>(wParam));
        return 0;
    case WM_PARENTNOTIFY:
        OnParentNotify(LOWORD(wParam), lParam, HIWORD(wParam));
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DEVICECHANGE:
        return DispatchDeviceChange(wParam, lParam);
    case WM_MOUSEHOVER:
        OnMouseHover();
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_DDE_ACK_VALUE:
        return OnDdeAck(wParam, lParam);
    default:
        return DefWindowProc();
    }
}

// Only volume events reach the operations; the answer is always TRUE except
// what a query for a volume's removal says.
LRESULT CWnd::DispatchDeviceChange(WPARAM wParam, LPARAM lParam)
{
    if (wParam != DBT_DEVICEQUERYREMOVE && wParam != DBT_DEVICEREMOVEPENDING &&
        wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE)
        return TRUE;
    DEV_BROADCAST_HDR* pHdr = reinterpret_cast<DEV_BROADCAST_HDR*>(lParam);
    if (pHdr == NULL || pHdr->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return TRUE;
    switch (wParam) {
    case DBT_DEVICEQUERYREMOVE:
        return OnDeviceQueryRemove(pHdr);
    case DBT_DEVICEREMOVEPENDING:
        OnDeviceRemovePending(pHdr);
        return TRUE;
    default:
        OnDeviceChange(pHdr, wParam == DBT_DEVICEARRIVAL);
        return TRUE;
    }
}

// ---- Defaults with behaviour of their own ----------------------------------

BOOL CWnd::OnCreate(CREATESTRUCTA* /*pCS*/)
{
    if (m_bMainWnd)
        g_hMainWnd = m_hWnd;
    return TRUE;
}

void CWnd::OnDestroy()
{
    DetachWindow(true);
}

LRESULT CWnd::OnSysCommand(UINT uCmd)
{
    if (uCmd == kCmdAbout) {
        ShowAboutBox(m_hWnd);
        return TRUE;
    }
    return DefWindowProc();
}

LRESULT CWnd::OnNotify(int /*nId*/, NMHDR* pHdr)
{
    if (pHdr != NULL && pHdr->code == TTN_NEEDTEXTA)
        return OnToolTipNeedText(reinterpret_cast<NMTTDISPINFOA*>(pHdr));
    return DefWindowProc();
}

void CWnd::OnPaint(HDC hdc, HWND hWnd)
{
    HWND hTarget = hWnd != NULL ? hWnd : m_hWnd;
    ::GetUpdateRect(hTarget, &m_rcUpdate, FALSE);
    PAINTSTRUCT ps;
    HDC hPaintDC = ::BeginPaint(hTarget, &ps);
    Paint(hdc != NULL ? hdc : hPaintDC, &ps);
    ::EndPaint(hTarget, &ps);
    ::GetClientRect(m_hWnd, &m_rcUpdate);
}

LRESULT CWnd::OnEraseBkgnd(HDC hdc, RECT* pRect)
{
    if (m_rcUpdate.left == 0 && m_rcUpdate.right == 0)
        ::GetClientRect(m_hWnd, &m_rcUpdate);
    if (PaintBackground(hdc, pRect != NULL ? pRect : &m_rcUpdate))
        return 1;
    return DefWindowProc();
}

void CWnd::OnSysColorChange()
{
    UpdateColors();
    if (m_hOwnBrush != NULL)
        ::DeleteObject(m_hOwnBrush);
    m_hOwnBrush = ::CreateSolidBrush(m_clrBack);
    m_hCurBrush = m_hOwnBrush;
    ::InvalidateRect(m_hWnd, NULL, TRUE);
}

void CWnd::OnSize(UINT /*uType*/, int /*cx*/, int /*cy*/)
{
    // The cached client rectangle is stale once the size changes.
    m_rcUpdate.left = 0;
    m_rcUpdate.right = 0;
    DefWindowProc();
}

void CWnd::OnMove(int /*x*/, int /*y*/)
{
    if (!::IsIconic(m_hWnd) && !::IsZoomed(m_hWnd))
        ::GetWindowRect(m_hWnd, &m_rcWindow);
    DefWindowProc();
}

// Alt+F1, Alt+F5 and Alt+F9 stand for system-menu commands of the top-level
// window, wherever the focus is.
void CWnd::OnSysKey(UINT uVk, bool bDown, int /*nRepeat*/, UINT /*uFlags*/)
{
    if (!bDown && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0) {
        const UINT uCmd = SysKeyCommand(uVk);
        if (uCmd != 0) {
            HWND hTop = m_hWnd;
            for (HWND h = ::GetParent(hTop); h != NULL; h = ::GetParent(h))
                hTop = h;
            ::PostMessageA(hTop, WM_SYSCOMMAND, uCmd, 0);
        }
    }
    DefWindowProc();
}

LRESULT CWnd::OnToolTipNeedText(NMTTDISPINFOA* pInfo)
{
    const bool bWindow = (pInfo->uFlags & TTF_IDISHWND) != 0;
    UINT uId = static_cast<UINT>(pInfo->hdr.idFrom);
    if (bWindow)
        uId = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(pInfo->hdr.idFrom)));
    if (GetToolTipText(pInfo->szText, uId, bWindow))
        pInfo->uFlags |= TTF_DI_SETITEM;
    return uId;
}

bool CWnd::GetToolTipText(char* /*pszText*/, UINT /*uId*/, bool /*bWindow*/)
{
    return false;
}

// ---- Defaults that only pass the message on ---------------------------------

void CWnd::Paint(HDC, PAINTSTRUCT*) {}
void CWnd::OnCommand(UINT, HWND, UINT) { DefWindowProc(); }
void CWnd::OnSetFont(HFONT, BOOL) { DefWindowProc(); }
LRESULT CWnd::OnGetFont() { return DefWindowProc(); }
void CWnd::OnHelp(HELPINFO*) { DefWindowProc(); }
void CWnd::OnTimer(UINT) { DefWindowProc(); }
void CWnd::OnClose() { DefWindowProc(); }
void CWnd::OnActivate(UINT, HWND, UINT) { DefWindowProc(); }
void CWnd::OnActivateApp(BOOL, DWORD) { DefWindowProc(); }
LRESULT CWnd::OnQueryEndSession() { return DefWindowProc(); }
void CWnd::OnEndSession(BOOL, bool) { DefWindowProc(); }
void CWnd::OnContextMenu(HWND, UINT, UINT) { DefWindowProc(); }
void CWnd::OnShowWindow(BOOL, UINT) { DefWindowProc(); }
void CWnd::OnVScroll(HWND, UINT, int) { DefWindowProc(); }
void CWnd::OnHScroll(HWND, UINT, int) { DefWindowProc(); }
void CWnd::Reserved1(DWORD) { DefWindowProc(); }
void CWnd::Reserved2(DWORD) { DefWindowProc(); }
void CWnd::OnKey(UINT, bool, int, UINT) { DefWindowProc(); }
void CWnd::OnMouseHover() { DefWindowProc(); }
void CWnd::OnLButtonDblClk(int, int, UINT) { DefWindowProc(); }
void CWnd::OnMButtonDblClk(int, int, UINT) { DefWindowProc(); }
void CWnd::OnRButtonDblClk(int, int, UINT) { DefWindowProc(); }
void CWnd::OnEnterIdle(bool, HWND) { DefWindowProc(); }
void CWnd::OnInitMenu(HMENU) { DefWindowProc(); }
void CWnd::OnInitMenuPopup(HMENU, UINT, UINT) { DefWindowProc(); }
void CWnd::OnMenuSelect(HMENU, UINT, HMENU, int) { DefWindowProc(); }
void CWnd::OnParentNotify(UINT, LPARAM, UINT) { DefWindowProc(); }
LRESULT CWnd::OnDeviceQueryRemove(DEV_BROADCAST_HDR*) { return DefWindowProc(); }
void CWnd::OnDeviceRemovePending(DEV_BROADCAST_HDR*) { DefWindowProc(); }
void CWnd::OnDeviceChange(DEV_BROADCAST_HDR*, bool) { DefWindowProc(); }
LRESULT CWnd::OnQueryCancelAutoPlay(WPARAM, LPARAM) { return DefWindowProc(); }
LRESULT CWnd::OnCtlColor(HDC, HWND, int) { return DefWindowProc(); }
LRESULT CWnd::OnDrawItem(UINT, DRAWITEMSTRUCT*) { return 0; }
LRESULT CWnd::OnDeleteItem(UINT, DELETEITEMSTRUCT*) { return 0; }
LRESULT CWnd::OnMeasureItem(UINT, MEASUREITEMSTRUCT*) { return 0; }
LRESULT CWnd::OnCompareItem(UINT, COMPAREITEMSTRUCT*) { return 0; }
LRESULT CWnd::OnDdeAck(WPARAM, LPARAM) { return DefWindowProc(); }
void CWnd::OnLClick(int, int, UINT) {}
void CWnd::OnMClick(int, int, UINT) {}
void CWnd::OnRClick(int, int, UINT) {}
