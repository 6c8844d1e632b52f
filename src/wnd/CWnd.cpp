// CWnd lifecycle: construction and copying, window creation with lazy class
// registration, attaching and subclassing, detaching, and the modal loop.
#include <windows.h>
#include <cstring>
#include "wnd/CWnd.h"
#include "wnd/MsgRecords_int.h"
#include "wnd/WndBinding_int.h"
#include "wnd/WndShared_int.h"
#include "frame/Globals_int.h"
#include "paint/BlendColor.h"
#include "ctrl/CToolTip.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(CWnd) == 236, "CWnd layout is binary interface");
#endif

namespace {

const char kDefaultClass[] = "CWnd";
const DWORD kOverlappedWindow = 0x00CF0000;   // WS_OVERLAPPEDWINDOW, for style -1

}  // namespace

CWnd::CWnd()
    : m_hWnd(NULL), m_nResult(0), m_pfnPrevWndProc(::DefWindowProcA), m_pszRegKey(NULL),
      m_bDetached(false), m_bMainWnd(false), m_bTransparentChildren(false), m_bSubclass(false),
      m_bInZone(false), m_bInCapture(false), m_bMouseOver(false), m_bLDown(false),
      m_bMDown(false), m_bRDown(false), m_bCaptureZone(false), m_bCaptureAlways(false),
      m_bZone(false), m_bHotByZone(false),
      m_hOwnBrush(NULL), m_hCurBrush(NULL), m_wParam(0), m_lParam(0), m_uMsg(0), m_msgStack(NULL)
{
    ::SetRectEmpty(&m_rcZone);
    ::SetRectEmpty(&m_rcWindow);
    ::SetRectEmpty(&m_rcCapture);
    ::SetRectEmpty(&m_rcUpdate);
    m_ptMouse.x = -1;
    m_ptMouse.y = -1;

    const COLORREF clrWindowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF clrWindow = GetSysColor(COLOR_WINDOW);
    const COLORREF clrHot = GetSysColor(COLOR_HOTLIGHT);
    m_clrText = clrWindowText;
    m_clrBack = clrWindow;

    COLORREF* effective = &m_clrTextNorm;
    COLORREF* own = &m_clrOwnTextNorm;
    for (int i = 0; i < 8; ++i)
        effective[i] = own[i] = CLR_INVALID;

    m_clrSysTextNorm = clrWindowText;
    m_clrSysTextOver = clrHot;
    m_clrSysTextDown = BlendColor(clrHot, clrWindowText, 1, 2, BLEND_LINEAR);
    m_clrSysTextFocus = clrWindowText;
    m_clrSysBackNorm = m_clrSysBackOver = m_clrSysBackDown = m_clrSysBackFocus = clrWindow;
}

// A copy refers to the same window but is not bound to it. It starts with an
// empty message-record stack: sharing the source's records would free them twice.
CWnd::CWnd(const CWnd& other) : m_msgStack(NULL)
{
    *this = other;
}

CWnd& CWnd::operator=(const CWnd& other)
{
    if (this == &other)
        return *this;
    // Every field before the record stack is plain data, declared in one run.
    const char* from = reinterpret_cast<const char*>(&other.m_hWnd);
    const char* to = reinterpret_cast<const char*>(&other.m_msgStack);
    memcpy(static_cast<void*>(&m_hWnd), from, static_cast<size_t>(to - from));
    return *this;
}

CWnd::~CWnd()
{
    DetachWindow(true);
    while (m_msgStack != NULL)
        MsgRecordPop(&m_msgStack, NULL);
}

// ---- Creation -------------------------------------------------------------

HWND CWnd::Create(const char* pszClass, const char* pszTitle, DWORD dwStyle,
                  int x, int y, int cx, int cy, HWND hParent, HMENU hMenu, void* pParam)
{
    return CreateEx(0, pszClass, pszTitle, dwStyle, x, y, cx, cy, hParent, hMenu, pParam);
}

HWND CWnd::Create(const char* pszClass, const char* pszTitle, DWORD dwStyle,
                  const RECT* pRect, HWND hParent, HMENU hMenu, void* pParam)
{
    return CreateEx(0, pszClass, pszTitle, dwStyle, pRect, hParent, hMenu, pParam);
}

HWND CWnd::Create()
{
    return CreateEx(0, NULL, NULL, (DWORD)-1, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, NULL, NULL, NULL);
}

HWND CWnd::CreateEx(DWORD dwExStyle, const char* pszClass, const char* pszTitle, DWORD dwStyle,
                    const RECT* pRect, HWND hParent, HMENU hMenu, void* pParam)
{
    RECT rc = {0, 0, 0, 0};
    if (pRect != NULL)
        rc = *pRect;
    return CreateEx(dwExStyle, pszClass, pszTitle, dwStyle, rc.left, rc.top,
                    rc.right - rc.left, rc.bottom - rc.top, hParent, hMenu, pParam);
}

HWND CWnd::CreateEx(DWORD dwExStyle, const char* pszClass, const char* pszTitle, DWORD dwStyle,
                    int x, int y, int cx, int cy, HWND hParent, HMENU hMenu, void* pParam)
{
    WNDCLASSEXA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.cbSize = sizeof(WNDCLASSEXA);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = CmnWndProc;
    wc.hInstance = g_hDllInstance;
    wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOWTEXT + 1);
    wc.lpszClassName = pszClass != NULL ? pszClass : kDefaultClass;
    if (!PreRegisterClass(&wc))
        return NULL;

    CREATESTRUCTA cs;
    ZeroMemory(&cs, sizeof(cs));
    cs.lpCreateParams = pParam;
    cs.hInstance = g_hDllInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = hParent;
    cs.cy = cy;
    cs.cx = cx;
    cs.y = y;
    cs.x = x;
    cs.style = (LONG)(dwStyle == (DWORD)-1 ? kOverlappedWindow : dwStyle);
    cs.lpszName = pszTitle;
    cs.lpszClass = wc.lpszClassName;
    cs.dwExStyle = dwExStyle;
    if (!PreCreateWindow(&cs))
        return NULL;

    PushPendingWnd(this);
    m_bDetached = false;
    m_hWnd = CreateWindowHook(&cs);
    // The class is registered only when creating a window of it fails. A
    // second attempt is made only when that registration took place: a class
    // that already existed failed for another reason (a refused OnCreate, say),
    // and retrying would create the window the object refused.
    if (m_hWnd == NULL && ::RegisterClassExA(&wc) != 0) {
        PushPendingWnd(this);
        m_bDetached = false;
        m_hWnd = CreateWindowHook(&cs);
    }
    if (m_hWnd == NULL)
        PopPendingWnd(this);
    return m_hWnd;
}

HWND CWnd::CreateWindowHook(CREATESTRUCTA* pCS)
{
    return ::CreateWindowExA(pCS->dwExStyle, pCS->lpszClass, pCS->lpszName, (DWORD)pCS->style,
                             pCS->x, pCS->y, pCS->cx, pCS->cy, pCS->hwndParent, pCS->hMenu,
                             g_hDllInstance, pCS->lpCreateParams);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA* /*pCS*/)
{
    return TRUE;
}

BOOL CWnd::PreRegisterClass(WNDCLASSEXA* /*pWC*/)
{
    return TRUE;
}

// ---- Attaching, subclassing, detaching ------------------------------------

// A handle that is not (or no longer) a window is refused: bound into the
// map it would catch the messages of a later window given the same handle.
BOOL CWnd::Attach(HWND hWnd, bool bSubclass)
{
    if (hWnd == NULL || !::IsWindow(hWnd) || m_hWnd != NULL || FindWnd(hWnd) != NULL)
        return FALSE;
    m_hWnd = hWnd;
    m_bSubclass = bSubclass;
    return bSubclass ? Subclass(NULL) : TRUE;
}

BOOL CWnd::AttachDlgItem(HWND hParent, int nId, bool bSubclass)
{
    return Attach(::GetDlgItem(hParent, nId), bSubclass);
}

BOOL CWnd::Subclass(HWND hWnd)
{
    HWND h = hWnd != NULL ? hWnd : m_hWnd;
    if (!m_bSubclass || h == NULL || !::IsWindow(h) || FindWnd(h) != NULL) {
        PopPendingWnd(this);
        return FALSE;
    }
    PushPendingWnd(this);
    m_bDetached = false;
    m_hWnd = h;
    if (BindWnd(h) == this) {
        m_pfnPrevWndProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CmnWndProc)));
    }
    return TRUE;
}

void CWnd::DetachWindow(bool bFinal)
{
    if (m_hWnd == NULL && bFinal)
        return;
    m_bDetached = true;

    if (m_hWnd != NULL && FindWnd(m_hWnd) == this) {
        UnbindWnd(m_hWnd);

        TRACKMOUSEEVENT tme;
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_CANCEL | TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        tme.dwHoverTime = 0;
        ::TrackMouseEvent(&tme);
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();

        if (m_pfnPrevWndProc != NULL && m_pfnPrevWndProc != ::DefWindowProcA) {
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevWndProc));
            RefreshFrame(m_hWnd, 0);
        }

        if (bFinal && m_hWnd == g_hMainWnd) {
            if (g_pToolTip != NULL) {
                delete g_pToolTip;
                g_pToolTip = NULL;
            }
            ::PostQuitMessage(m_nResult);
        }
    }

    m_hWnd = NULL;
    m_bMainWnd = false;
    if (m_pfnPrevWndProc != NULL)
        m_pfnPrevWndProc = ::DefWindowProcA;
    if (m_hOwnBrush != NULL) {
        ::DeleteObject(m_hOwnBrush);
        m_hOwnBrush = NULL;
    }
}

void CWnd::Detach()
{
    DetachWindow(false);
}

void CWnd::SetMainWindow()
{
    m_bMainWnd = true;
    if (m_hWnd != NULL)
        g_hMainWnd = m_hWnd;
}

// ---- The modal loop -------------------------------------------------------

INT_PTR CWnd::DoModal(LPARAM /*lParam*/)
{
    m_nResult = 0;
    // Without a window no message would ever end the loop.
    if (m_hWnd == NULL || m_bDetached)
        return m_nResult;
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::UpdateWindow(m_hWnd);
    // A quit message is dispatched like any other: only the window's end stops
    // the loop.
    MSG msg;
    do {
        ::GetMessageA(&msg, NULL, 0, 0);
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    } while (!m_bDetached && m_hWnd != NULL);
    return m_nResult;
}
