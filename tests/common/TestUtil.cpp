#include <windows.h>
#include <cstdio>
#include "common/TestUtil.h"

PumpResult PumpMessages()
{
    PumpResult result;
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ++result.quitCount;
            result.lastQuitCode = msg.wParam;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return result;
}

TestBitmap::TestBitmap(int cx, int cy) : m_hdc(NULL), m_hbm(NULL), m_old(NULL), m_bits(NULL), m_cx(cx), m_cy(cy)
{
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    m_hdc = CreateCompatibleDC(NULL);
    m_hbm = CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    m_bits = static_cast<DWORD*>(bits);
    m_old = SelectObject(m_hdc, m_hbm);
}

TestBitmap::~TestBitmap()
{
    SelectObject(m_hdc, m_old);
    DeleteObject(m_hbm);
    DeleteDC(m_hdc);
}

COLORREF TestBitmap::Pixel(int x, int y) const
{
    GdiFlush();
    const DWORD v = m_bits[y * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void TestBitmap::Fill(COLORREF clr)
{
    GdiFlush();
    const DWORD v = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    for (int i = 0; i < m_cx * m_cy; ++i)
        m_bits[i] = v;
}

bool TestBitmap::SaveBmp(const char* path) const
{
    GdiFlush();
    FILE* f = fopen(path, "wb");
    if (f == NULL)
        return false;
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    ZeroMemory(&fh, sizeof(fh));
    ZeroMemory(&ih, sizeof(ih));
    const DWORD imageSize = static_cast<DWORD>(m_cx * m_cy * 4);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + imageSize;
    ih.biSize = sizeof(ih);
    ih.biWidth = m_cx;
    ih.biHeight = -m_cy;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = imageSize;
    fwrite(&fh, sizeof(fh), 1, f);
    fwrite(&ih, sizeof(ih), 1, f);
    fwrite(m_bits, imageSize, 1, f);
    fclose(f);
    return true;
}

TestRegSection::TestRegSection(const char* name)
    : m_path(std::string("Software\\cmndll-tests\\") + name)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
}

TestRegSection::~TestRegSection()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
}
