#include <windows.h>
#include "dlg/CenterWindow.h"

void CenterWindowOver(HWND hwnd, HWND hwndRef, BOOL bRepaint)
{
    RECT wa;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    RECT ref = wa;
    if (hwndRef != NULL)
        ::GetWindowRect(hwndRef, &ref);
    RECT w;
    if (!::GetWindowRect(hwnd, &w))
        return;
    if (w.left == w.right && w.top == w.bottom)
        return;

    const int width = w.right - w.left;
    const int height = w.bottom - w.top;
    int x = (ref.left + ref.right - width) / 2;
    int y = (ref.top + ref.bottom - height) / 2;
    // The upper bound last: a window larger than the work area ends at its
    // right or bottom edge.
    if (x < wa.left)
        x = wa.left;
    if (x > wa.right - width)
        x = wa.right - width;
    if (y < wa.top)
        y = wa.top;
    if (y > wa.bottom - height)
        y = wa.bottom - height;
    ::MoveWindow(hwnd, x, y, width, height, bRepaint);
}
