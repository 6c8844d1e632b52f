// Flicker-free painting: the caller draws into a memory bitmap the size of the
// rectangle being painted, which reaches the target in one BitBlt at End.
#pragma once

#include <windows.h>

struct OffscreenBuffer {
    HDC memDC;           // NULL while inactive
    HDC targetDC;
    HGDIOBJ oldBitmap;   // selected into memDC before the buffer's bitmap
    int left;            // logical position and size of the buffered rectangle
    int top;
    int width;
    int height;

    OffscreenBuffer();
    ~OffscreenBuffer();   // ends the buffer, so an early return still releases it

    // Returns the DC to draw into, with the target's logical coordinates: the
    // memory DC, or the target itself when no buffer could be made. No rect
    // means the client rectangle of the target's window.
    HDC Begin(HDC target, const RECT* pRect, bool bCopyTarget);
    // Copies the buffer to the target and releases it; returns the target.
    HDC End();
    BOOL Transfer(bool bToBuffer);

    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;
};
