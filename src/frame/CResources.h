// CResources: the host's and the library's way to reach resources. Every
// member searches the resource modules in order (the library, then the
// host's first and second modules) and takes the first hit.
//  - The Load members for bitmaps, icons, cursors and image lists use the
//    identifier as given; what they return belongs to the caller.
//  - The Find members try the language variant first: id + g_nLanguage, or a
//    name ending in E with E replaced by the language letter (E, R, F, G).
//    module receives the module that has the resource, foundId/foundName
//    (64 bytes) the identifier or name found; either may be NULL.
//  - LoadToolBar returns the toolbar resource's data (type 241), valid while
//    its module stays loaded.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "frame/CmnDllApi.h"

class CMNDLL_API CResources {
public:
    static HBITMAP LoadBitmap(unsigned int id);
    static HICON LoadIcon(unsigned int id);
    static HCURSOR LoadCursor(unsigned int id);
    // The icon at the system's small-icon size, scaled when the resource has
    // no image of that size.
    static HICON LoadSmallIcon(unsigned int id);
    static HIMAGELIST LoadImageList(unsigned int id, int cx, int grow, unsigned long mask);

    static HRSRC FindIcon(unsigned int id, HINSTANCE* module, unsigned int* foundId);
    static HRSRC FindDialog(unsigned int id, HINSTANCE* module, unsigned int* foundId);
    // The string-table block resource, not a single string.
    static HRSRC FindString(unsigned int id, HINSTANCE* module, unsigned int* foundId);
    static HRSRC FindBitmap(unsigned int id, HINSTANCE* module, unsigned int* foundId);
    static HRSRC FindToolBar(unsigned int id, HINSTANCE* module, unsigned int* foundId);

    static HRSRC FindIcon(const char* name, HINSTANCE* module, char* foundName);
    static HRSRC FindDialog(const char* name, HINSTANCE* module, char* foundName);
    static HRSRC FindString(const char* name, HINSTANCE* module, char* foundName);
    static HRSRC FindBitmap(const char* name, HINSTANCE* module, char* foundName);
    static HRSRC FindToolBar(const char* name, HINSTANCE* module, char* foundName);

    static void* LoadToolBar(unsigned int id);
    static void* LoadToolBar(const char* name);
};
