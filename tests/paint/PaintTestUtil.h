// Shared by the painting tests: the preference switches each test sets, and
// windows whose WM_CTLCOLOR answer the test decides.
#pragma once

#include <windows.h>
#include "frame/Globals_int.h"
#include "paint/CWndEx_Clr.h"
#include "wnd/CWnd.h"

// Sets the four switches the colour choice reads and restores them afterwards.
class ScopedPrefs {
public:
    ScopedPrefs(bool bOwnerDrawn, bool bSystemColor, bool bGradient = true, bool bTransparent = true)
        : m_owner(g_bOwnerDrawn), m_system(g_bSystemColor), m_gradient(g_bGradientColor), m_transparent(g_bTransparent)
    {
        g_bOwnerDrawn = bOwnerDrawn;
        g_bSystemColor = bSystemColor;
        g_bGradientColor = bGradient;
        g_bTransparent = bTransparent;
    }
    ~ScopedPrefs()
    {
        g_bOwnerDrawn = m_owner;
        g_bSystemColor = m_system;
        g_bGradientColor = m_gradient;
        g_bTransparent = m_transparent;
    }

private:
    bool m_owner, m_system, m_gradient, m_transparent;
};

// Answers WM_CTLCOLOR with `ctlBrush` (NULL: no brush) instead of default processing.
template <class Base>
class CCtlColorWnd : public Base {
public:
    HBRUSH ctlBrush = NULL;
    int ctlColorCalls = 0;
    LRESULT OnCtlColor(HDC hdc, HWND hCtrl, int nKind) override
    {
        if (nKind != -1)
            return Base::OnCtlColor(hdc, hCtrl, nKind);
        ++ctlColorCalls;
        return reinterpret_cast<LRESULT>(ctlBrush);
    }
};

// A gradient window whose flags and blend the test sets directly.
class CTestGradientWnd : public CCtlColorWnd<CWndEx_Clr> {
public:
    using CWndEx_Clr::blendPos;
    using CWndEx_Clr::blendRange;
    using CWndEx_Clr::gradientColor;
    using CWndEx_Clr::gradientFlags;
    using CWndEx_Clr::SaveLoad;

    // A popup whose client area is exactly cx x cy.
    HWND CreatePopup(int cx, int cy, COLORREF clrBack)
    {
        m_clrOwnBackNorm = clrBack;
        return CreateEx(0, "PaintTestGradient", "", WS_POPUP, 0, 0, cx, cy, NULL, NULL, NULL);
    }
    // Erases rc (client coordinates) into hdc the way the library asks for it.
    LRESULT Erase(HDC hdc, RECT rc) { return ::SendMessageA(m_hWnd, WM_ERASEBKGND, (WPARAM)hdc, (LPARAM)&rc); }
};
