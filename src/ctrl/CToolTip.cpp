#include <windows.h>
#include <commctrl.h>
#include "ctrl/CToolTip.h"
#include "frame/Globals_int.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(kToolInfoSize == 44, "tool records are 44 bytes on 32-bit Windows");
#endif

namespace {

void InitToolInfo(TOOLINFOA& ti, HWND hOwner, UINT_PTR uId, UINT uFlags)
{
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = kToolInfoSize;
    ti.uFlags = uFlags;
    ti.hwnd = hOwner;
    ti.uId = uId;
}

char* TextOrCallback(const char* pszText)
{
    return pszText != NULL ? const_cast<char*>(pszText) : LPSTR_TEXTCALLBACKA;
}

}  // namespace

CToolTip::CToolTip()
{
}

// The native tooltip is a top-level popup without owner: it outlives the object.
CToolTip::~CToolTip()
{
}

LRESULT CToolTip::AddToolRect(HWND hOwner, const char* pszText, const RECT* pRect, UINT uId)
{
    TOOLINFOA ti;
    InitToolInfo(ti, hOwner, uId, 0);
    if (pRect != NULL)
        ti.rect = *pRect;
    ti.lpszText = TextOrCallback(pszText);
    return SendMessageTo(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

LRESULT CToolTip::AddToolWnd(HWND hOwner, const char* pszText, HWND hChild)
{
    TOOLINFOA ti;
    InitToolInfo(ti, hOwner, reinterpret_cast<UINT_PTR>(hChild), TTF_IDISHWND | TTF_SUBCLASS);
    ti.lpszText = TextOrCallback(pszText);
    return SendMessageTo(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

LRESULT CToolTip::AddToolRect(HWND hOwner, UINT uTextId, const RECT* pRect, UINT uId)
{
    TOOLINFOA ti;
    InitToolInfo(ti, hOwner, uId, 0);
    if (pRect != NULL)
        ti.rect = *pRect;
    ti.hinst = g_hResInstance;
    ti.lpszText = MAKEINTRESOURCEA(LOWORD(uTextId));
    return SendMessageTo(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

LRESULT CToolTip::AddToolWnd(HWND hOwner, UINT uTextId, HWND hChild)
{
    TOOLINFOA ti;
    InitToolInfo(ti, hOwner, reinterpret_cast<UINT_PTR>(hChild), TTF_IDISHWND | TTF_SUBCLASS);
    ti.hinst = g_hResInstance;
    ti.lpszText = MAKEINTRESOURCEA(LOWORD(uTextId));
    return SendMessageTo(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

LRESULT CToolTip::RemoveToolRect(HWND hOwner, UINT uId)
{
    TOOLINFOA ti;
    InitToolInfo(ti, hOwner, uId, 0);
    return SendMessageTo(m_hWnd, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

LRESULT CToolTip::RemoveToolWnd(HWND hOwner, HWND hChild)
{
    TOOLINFOA ti;
    InitToolInfo(ti, hOwner, reinterpret_cast<UINT_PTR>(hChild), TTF_IDISHWND);
    return SendMessageTo(m_hWnd, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

LRESULT CToolTip::RelayEvent(const MSG* pMsg)
{
    return SendMessageTo(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}

LRESULT CToolTip::SetDelayTime(WPARAM uWhich, LPARAM lMilliseconds)
{
    return SendMessageTo(m_hWnd, TTM_SETDELAYTIME, uWhich, lMilliseconds);
}
