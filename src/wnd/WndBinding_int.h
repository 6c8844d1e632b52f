// The window map (handle -> object) and the pending-creation stack that bind
// native windows to CWnd objects. One of each per process.
#pragma once

#include <windows.h>

class CWnd;

CWnd* FindWnd(HWND hWnd);
// The bound object, or binds the handle to the top of the pending stack.
CWnd* BindWnd(HWND hWnd);
void UnbindWnd(HWND hWnd);
void PushPendingWnd(CWnd* pWnd);
void PopPendingWnd(CWnd* pWnd);
CWnd* PeekPendingWnd();
// Empties both (unload).
void WndBindingFree();

// The one window procedure of every class the library registers and every
// window it subclasses.
LRESULT CALLBACK CmnWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
