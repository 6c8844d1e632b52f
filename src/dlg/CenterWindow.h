// Placing a window over another one (or over the work area).
#pragma once

#include <windows.h>

// Centres hwnd over hwndRef (the work area when NULL), kept inside the work area.
void CenterWindowOver(HWND hwnd, HWND hwndRef, BOOL bRepaint);
