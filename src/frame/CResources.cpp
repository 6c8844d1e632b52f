#include <windows.h>
#include <commctrl.h>
#include "frame/CResources.h"
#include "frame/ResModules_int.h"
#include "frame/ResourceSearch_int.h"

namespace {

// The common binary toolbar layout has no predefined resource type.
const char* const kToolBarType = MAKEINTRESOURCEA(241);

template <typename Handle, typename Loader>
Handle FirstLoaded(Loader load)
{
    for (int i = 0; i < ResModulesCount(); ++i) {
        const Handle handle = load(ResModuleAt(i));
        if (handle != NULL)
            return handle;
    }
    return NULL;
}

const char* IdName(unsigned int id)
{
    return MAKEINTRESOURCEA(LOWORD(id));
}

}  // namespace

HBITMAP CResources::LoadBitmap(unsigned int id)
{
    return FirstLoaded<HBITMAP>([id](HINSTANCE h) { return ::LoadBitmapA(h, IdName(id)); });
}

HICON CResources::LoadIcon(unsigned int id)
{
    return FirstLoaded<HICON>([id](HINSTANCE h) { return ::LoadIconA(h, IdName(id)); });
}

HCURSOR CResources::LoadCursor(unsigned int id)
{
    return FirstLoaded<HCURSOR>([id](HINSTANCE h) { return ::LoadCursorA(h, IdName(id)); });
}

HICON CResources::LoadSmallIcon(unsigned int id)
{
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    return FirstLoaded<HICON>([id, cx, cy](HINSTANCE h) {
        return static_cast<HICON>(::LoadImageA(h, IdName(id), IMAGE_ICON, cx, cy, 0));
    });
}

HIMAGELIST CResources::LoadImageList(unsigned int id, int cx, int grow, unsigned long mask)
{
    return FirstLoaded<HIMAGELIST>([=](HINSTANCE h) {
        return ::ImageList_LoadImageA(h, IdName(id), cx, grow, static_cast<COLORREF>(mask), IMAGE_BITMAP, 0);
    });
}

HRSRC CResources::FindIcon(unsigned int id, HINSTANCE* module, unsigned int* foundId)
{
    return FindById(RT_ICON, id, module, foundId);
}

HRSRC CResources::FindDialog(unsigned int id, HINSTANCE* module, unsigned int* foundId)
{
    return FindById(RT_DIALOG, id, module, foundId);
}

HRSRC CResources::FindString(unsigned int id, HINSTANCE* module, unsigned int* foundId)
{
    return FindById(RT_STRING, id, module, foundId);
}

HRSRC CResources::FindBitmap(unsigned int id, HINSTANCE* module, unsigned int* foundId)
{
    return FindById(RT_BITMAP, id, module, foundId);
}

HRSRC CResources::FindToolBar(unsigned int id, HINSTANCE* module, unsigned int* foundId)
{
    return FindById(kToolBarType, id, module, foundId);
}

HRSRC CResources::FindIcon(const char* name, HINSTANCE* module, char* foundName)
{
    return FindByName(RT_ICON, name, module, foundName);
}

HRSRC CResources::FindDialog(const char* name, HINSTANCE* module, char* foundName)
{
    return FindByName(RT_DIALOG, name, module, foundName);
}

HRSRC CResources::FindString(const char* name, HINSTANCE* module, char* foundName)
{
    return FindByName(RT_STRING, name, module, foundName);
}

HRSRC CResources::FindBitmap(const char* name, HINSTANCE* module, char* foundName)
{
    return FindByName(RT_BITMAP, name, module, foundName);
}

HRSRC CResources::FindToolBar(const char* name, HINSTANCE* module, char* foundName)
{
    return FindByName(kToolBarType, name, module, foundName);
}

void* CResources::LoadToolBar(unsigned int id)
{
    return LoadById(kToolBarType, id, NULL);
}

void* CResources::LoadToolBar(const char* name)
{
    return LoadByName(kToolBarType, name, NULL);
}
