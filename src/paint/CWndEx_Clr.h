// CWndEx_Clr: a window with a gradient background, painted line by line
// through an off-screen buffer. Its gradient settings can be kept with the
// window data as the 16-byte value "dColorsPlus".
//
// Hosts derive from it: the four fields are binary interface, and the class
// adds no virtual operations to CWnd's.
#pragma once

#include <windows.h>
#include "frame/CmnDllApi.h"
#include "wnd/CWnd.h"

class CMNDLL_API CWndEx_Clr : public CWnd {
public:
    enum {
        GF_ON = 0x01,        // paint a gradient background
        GF_HORZ = 0x02,      // colour changes along x (vertical lines)
        GF_BLACK = 0x04,     // end colour black instead of white
        GF_MIRROR = 0x08,    // start colour at both edges, end colour in the middle
        GF_SWAP = 0x10,      // start and end colours exchanged
        GF_DOUBLE = 0x20,    // end colour is gradientColor
        GF_SAVELOAD = 0x40,  // keep the colour record with the window data
        GF_ANY = 0x3F        // any bit that shapes the background
    };

    CWndEx_Clr();
    CWndEx_Clr(const CWndEx_Clr& other);
    CWndEx_Clr& operator=(const CWndEx_Clr& other);
    virtual ~CWndEx_Clr();

    virtual BOOL PaintBackground(HDC hdc, RECT* pRect);
    virtual BOOL OnCreate(CREATESTRUCTA* pCS);
    virtual void OnSize(UINT uType, int cx, int cy);
    virtual int LoadData(int nKind);
    virtual void SaveData(int nKind);

    // The setters change bits only: they neither repaint nor save.
    bool HasGradientColor();
    void SetGradientColorHorz();
    void SetGradientColorVert();
    void SetGradientColorWhite();
    void SetGradientColorBlack();
    void SetGradientColorDouble();
    void SetSaveAndLoadGradient();
    // Follows the application's gradient preference (dialogs call it).
    void SetGradientEnabled(bool bEnabled);

protected:
    int SaveLoad();

    // ---- Fields, in their binary order: also the "dColorsPlus" record ------
    COLORREF gradientColor;   // end colour with GF_DOUBLE
    DWORD gradientFlags;      // GF_ bits
    int blendPos;             // the end colour lies blendPos/blendRange of the way
    int blendRange;           // from the back colour to black, white or gradientColor
};
