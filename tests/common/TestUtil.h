// Small helpers shared by the test programs.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

// Dispatches every queued message of this thread (WM_QUIT included) and
// returns how many WM_QUIT messages were seen and the last exit code.
struct PumpResult {
    int quitCount = 0;
    WPARAM lastQuitCode = 0;
};
PumpResult PumpMessages();

// A 32-bit top-down DIB section selected into a memory DC: under the null
// graphics driver window DCs keep nothing, so pixels are checked here.
class TestBitmap {
public:
    TestBitmap(int cx, int cy);
    ~TestBitmap();
    HDC dc() const { return m_hdc; }
    COLORREF Pixel(int x, int y) const;   // 0x00BBGGRR, like GetPixel
    void Fill(COLORREF clr);
    bool SaveBmp(const char* path) const;

private:
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_old;
    DWORD* m_bits;
    int m_cx;
    int m_cy;
};

// A registry section of its own under HKEY_CURRENT_USER, erased on destruction.
class TestRegSection {
public:
    explicit TestRegSection(const char* name);
    ~TestRegSection();
    const char* path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

// Replaces this program's import of dll!function with `replacement` and
// returns the previous address (NULL when the import was not found). Lets a
// test count the system calls the statically linked library makes.
void* PatchImport(const char* dll, const char* function, void* replacement);

// Deletes a folder with everything in it (files and folders the test made).
void RemoveTree(const std::string& path);
