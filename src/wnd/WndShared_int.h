// Values and small routines that several files of the window framework share.
#pragma once

#include <windows.h>

// The 16-bit WM_CTLCOLOR, no longer in windows.h: windows still send it to ask
// their parent (then themselves) for a background brush.
const UINT WM_CTLCOLOR_16 = 0x0019;

// Refreshes a window's frame after a style change. uSwp (UINT)-1: nothing;
// 0: the frame-changed refresh that moves, sizes and activates nothing; any
// other value is passed to SetWindowPos as its flags.
void RefreshFrame(HWND hWnd, UINT uSwp);
