// Flicker-free painting: the caller draws into a memory bitmap at least the
// size of the rectangle being painted, which reaches the target in one BitBlt
// at End.
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
    // means the client rectangle of the target's window. The buffer starts as
    // a copy of the target with bCopyTarget, else black.
    HDC Begin(HDC target, const RECT* pRect, bool bCopyTarget);
    // As Begin, for a caller that paints every pixel of the rectangle itself:
    // without bCopyTarget the buffer then starts with whatever an earlier
    // paint left in it, which saves clearing it.
    HDC Begin(HDC target, const RECT* pRect, bool bCopyTarget, bool bPaintsAll);
    // Copies the buffer to the target and releases it; returns the target.
    HDC End();
    BOOL Transfer(bool bToBuffer);
    // The buffer's pixels as 0x00RRGGBB words, the first one at (left, top),
    // *pStride words from one row to the next; NULL when the buffer is not a
    // 32-bit bitmap of the library's own making.
    DWORD* Pixels(int* pStride);

    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;
};

// Deletes the bitmap the buffers keep between paints (unload).
void ReleaseOffscreenBitmap();
