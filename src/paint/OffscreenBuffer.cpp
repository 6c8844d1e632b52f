// The off-screen buffer through which backgrounds and owner-drawn controls paint.
#include <windows.h>
#include "paint/OffscreenBuffer_int.h"

OffscreenBuffer::OffscreenBuffer()
    : memDC(NULL), targetDC(NULL), oldBitmap(NULL), left(0), top(0), width(0), height(0)
{
}

OffscreenBuffer::~OffscreenBuffer()
{
    End();
}

HDC OffscreenBuffer::Begin(HDC target, const RECT* pRect, bool bCopyTarget)
{
    End();   // a buffer begun twice gives its first one back first
    RECT rc;
    if (pRect == NULL) {
        ::GetClientRect(::WindowFromDC(target), &rc);
        pRect = &rc;
    }
    left = pRect->left;
    top = pRect->top;
    width = pRect->right - pRect->left;
    height = pRect->bottom - pRect->top;
    targetDC = target;

    memDC = ::CreateCompatibleDC(target);
    if (memDC == target)
        memDC = NULL;
    if (memDC == NULL)
        return target;
    // Without a bitmap of the right size the drawing would be lost: paint
    // straight into the target instead.
    HBITMAP hBitmap = width > 0 && height > 0 ? ::CreateCompatibleBitmap(target, width, height) : NULL;
    if (hBitmap == NULL) {
        ::DeleteDC(memDC);
        memDC = NULL;
        return target;
    }
    oldBitmap = ::SelectObject(memDC, hBitmap);
    ::OffsetWindowOrgEx(memDC, left, top, NULL);
    if (bCopyTarget)
        Transfer(true);
    return memDC;
}

BOOL OffscreenBuffer::Transfer(bool bToBuffer)
{
    if (memDC == NULL)
        return FALSE;
    if (bToBuffer)
        return ::BitBlt(memDC, left, top, width, height, targetDC, left, top, SRCCOPY);
    return ::BitBlt(targetDC, left, top, width, height, memDC, left, top, SRCCOPY);
}

HDC OffscreenBuffer::End()
{
    if (memDC != NULL) {
        Transfer(false);
        ::DeleteObject(::SelectObject(memDC, oldBitmap));
        ::DeleteDC(memDC);
        memDC = NULL;
        oldBitmap = NULL;
    }
    return targetDC;
}
