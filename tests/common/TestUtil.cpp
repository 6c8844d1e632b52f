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

void* PatchImport(const char* dll, const char* function, void* replacement)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(NULL));
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    IMAGE_IMPORT_DESCRIPTOR* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; imp->Name != 0; ++imp) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + imp->Name), dll) != 0)
            continue;
        IMAGE_THUNK_DATA* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        IMAGE_THUNK_DATA* addrs = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++addrs) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const IMAGE_IMPORT_BY_NAME* byName =
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) != 0)
                continue;
            DWORD old;
            VirtualProtect(&addrs->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(addrs->u1.Function);
            addrs->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&addrs->u1.Function, sizeof(void*), old, &old);
            return previous;
        }
    }
    return NULL;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}
