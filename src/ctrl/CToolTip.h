// CToolTip: the one tooltip control shared by every window of the process
// (g_pToolTip). The object is never subclassed; it talks to the native
// control with messages. The first argument of each operation is the window
// that owns the tool.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <cstddef>
#include "wnd/CWnd.h"

class CToolTip : public CWnd {
public:
    CToolTip();
    virtual ~CToolTip();

    LRESULT AddToolRect(HWND hOwner, const char* pszText, const RECT* pRect, UINT uId);
    LRESULT AddToolWnd(HWND hOwner, const char* pszText, HWND hChild);
    LRESULT AddToolRect(HWND hOwner, UINT uTextId, const RECT* pRect, UINT uId);
    LRESULT AddToolWnd(HWND hOwner, UINT uTextId, HWND hChild);
    LRESULT RemoveToolRect(HWND hOwner, UINT uId);
    LRESULT RemoveToolWnd(HWND hOwner, HWND hChild);
    LRESULT RelayEvent(const MSG* pMsg);
    LRESULT SetDelayTime(WPARAM uWhich, LPARAM lMilliseconds);
};

// The size of the tool record hosts and the control agree on: TOOLINFOA up to
// and including lParam (44 bytes on 32-bit Windows).
const UINT kToolInfoSize = offsetof(TOOLINFOA, lpReserved);
