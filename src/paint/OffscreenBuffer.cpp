// The off-screen buffer through which backgrounds and owner-drawn controls paint.
#include <windows.h>
#include "paint/OffscreenBuffer_int.h"

namespace {

// What decides whether a bitmap made for one target serves another: the pixel
// layout a compatible bitmap of the target gets.
struct BitmapFormat {
    bool bDib;            // the target draws on a DIB section (else device format)
    WORD bitsPixel;
    WORD planes;
    DWORD compression;
    DWORD masks[3];

    bool operator==(const BitmapFormat& o) const
    {
        return bDib == o.bDib && bitsPixel == o.bitsPixel && planes == o.planes && compression == o.compression &&
               masks[0] == o.masks[0] && masks[1] == o.masks[1] && masks[2] == o.masks[2];
    }
};

// A whole-window buffer is megabytes whose first touch costs far more than
// everything drawn into it, and windows repaint at the same size over and
// over: one bitmap is kept between paints and lent to one buffer at a time.
struct KeptBitmap {
    HBITMAP hBitmap;
    DWORD* pBits;   // its pixels when it is a 32-bit top-down DIB section, else NULL
    int cx;
    int cy;
    BitmapFormat format;
    bool bLent;
};

KeptBitmap g_kept = {};

// The layout of the target, or false when a kept bitmap must not serve it:
// palette formats carry colour tables of their own, and printers and
// metafiles are painted once.
bool TargetFormat(HDC target, BitmapFormat* pFormat)
{
    BitmapFormat f = {};
    const DWORD type = ::GetObjectType(target);
    if (type == OBJ_MEMDC) {
        DIBSECTION ds;
        const int n = ::GetObjectA(::GetCurrentObject(target, OBJ_BITMAP), sizeof(ds), &ds);
        if (n != sizeof(ds) && n != sizeof(BITMAP))
            return false;
        f.bDib = n == sizeof(ds);
        f.bitsPixel = ds.dsBm.bmBitsPixel;
        f.planes = ds.dsBm.bmPlanes;
        if (f.bDib && ds.dsBmih.biCompression == BI_BITFIELDS) {
            f.compression = BI_BITFIELDS;
            f.masks[0] = ds.dsBitfields[0];
            f.masks[1] = ds.dsBitfields[1];
            f.masks[2] = ds.dsBitfields[2];
        }
    } else if (type == OBJ_DC && ::GetDeviceCaps(target, TECHNOLOGY) == DT_RASDISPLAY) {
        f.bitsPixel = static_cast<WORD>(::GetDeviceCaps(target, BITSPIXEL));
        f.planes = static_cast<WORD>(::GetDeviceCaps(target, PLANES));
    } else {
        return false;
    }
    *pFormat = f;
    return f.bitsPixel * f.planes > 8;
}

// Formats whose pixels are 0x00RRGGBB words: the kept bitmap is then a DIB
// section, so a painter can write whole rows straight into its memory.
bool IsXrgb32(const BitmapFormat& f)
{
    return f.bitsPixel * f.planes == 32 &&
           (f.compression != BI_BITFIELDS || (f.masks[0] == 0xFF0000 && f.masks[1] == 0xFF00 && f.masks[2] == 0xFF));
}

HBITMAP CreateKeptBitmap(HDC target, int cx, int cy, const BitmapFormat& format, DWORD** ppBits)
{
    *ppBits = NULL;
    if (!IsXrgb32(format))
        return ::CreateCompatibleBitmap(target, cx, cy);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;   // top-down: row y starts at y * cx
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(target, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap != NULL)
        *ppBits = static_cast<DWORD*>(pBits);
    return hBitmap;
}

int Larger(int a, int b)
{
    return a > b ? a : b;
}

// The kept bitmap when it can serve, else one made for this paint alone;
// NULL when none can be made. *pbUsed tells whether it holds earlier paints.
HBITMAP BorrowBitmap(HDC target, int cx, int cy, bool* pbUsed)
{
    *pbUsed = false;
    BitmapFormat format;
    if (g_kept.bLent || !TargetFormat(target, &format))
        return ::CreateCompatibleBitmap(target, cx, cy);
    if (g_kept.hBitmap != NULL && g_kept.format == format && g_kept.cx >= cx && g_kept.cy >= cy) {
        g_kept.bLent = true;
        *pbUsed = true;
        return g_kept.hBitmap;
    }
    // Grown in both directions, so tall and wide paints in turn do not keep
    // replacing each other.
    if (g_kept.hBitmap != NULL && g_kept.format == format) {
        cx = Larger(cx, g_kept.cx);
        cy = Larger(cy, g_kept.cy);
    }
    DWORD* pBits = NULL;
    HBITMAP hBitmap = CreateKeptBitmap(target, cx, cy, format, &pBits);
    if (hBitmap == NULL)
        return NULL;
    ReleaseOffscreenBitmap();
    g_kept.hBitmap = hBitmap;
    g_kept.pBits = pBits;
    g_kept.cx = cx;
    g_kept.cy = cy;
    g_kept.format = format;
    g_kept.bLent = true;
    return hBitmap;
}

void ReturnBitmap(HGDIOBJ hBitmap)
{
    if (hBitmap != NULL && hBitmap == g_kept.hBitmap)
        g_kept.bLent = false;
    else
        ::DeleteObject(hBitmap);
}

}  // namespace

void ReleaseOffscreenBitmap()
{
    // A bitmap still lent out is deleted by the buffer holding it, at its End.
    if (g_kept.hBitmap != NULL && !g_kept.bLent)
        ::DeleteObject(g_kept.hBitmap);
    g_kept = KeptBitmap();
}

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
    return Begin(target, pRect, bCopyTarget, false);
}

HDC OffscreenBuffer::Begin(HDC target, const RECT* pRect, bool bCopyTarget, bool bPaintsAll)
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
    bool bUsed = false;
    HBITMAP hBitmap = width > 0 && height > 0 ? BorrowBitmap(target, width, height, &bUsed) : NULL;
    oldBitmap = hBitmap != NULL ? ::SelectObject(memDC, hBitmap) : NULL;
    if (oldBitmap == NULL) {
        if (hBitmap != NULL)
            ReturnBitmap(hBitmap);
        ::DeleteDC(memDC);
        memDC = NULL;
        return target;
    }
    ::OffsetWindowOrgEx(memDC, left, top, NULL);
    if (bCopyTarget)
        Transfer(true);
    else if (bUsed && !bPaintsAll)
        ::PatBlt(memDC, left, top, width, height, BLACKNESS);   // as black as a new bitmap
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

DWORD* OffscreenBuffer::Pixels(int* pStride)
{
    if (memDC == NULL || g_kept.pBits == NULL || ::GetCurrentObject(memDC, OBJ_BITMAP) != g_kept.hBitmap)
        return NULL;
    ::GdiFlush();   // drawing still queued must land before the memory is written
    *pStride = g_kept.cx;
    return g_kept.pBits;
}

HDC OffscreenBuffer::End()
{
    if (memDC != NULL) {
        Transfer(false);
        ReturnBitmap(::SelectObject(memDC, oldBitmap));
        ::DeleteDC(memDC);
        memDC = NULL;
        oldBitmap = NULL;
    }
    return targetDC;
}
