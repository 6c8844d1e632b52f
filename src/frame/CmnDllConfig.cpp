#include <windows.h>
#include "frame/CmnDllConfig.h"
#include "frame/Globals_int.h"
#include "frame/ResModules_int.h"
#include "wnd/WndBinding_int.h"
#include "paint/OffscreenBuffer_int.h"

void CmnDllProcessAttach(HINSTANCE hModule)
{
    g_hDllInstance = hModule;
    g_hResInstance = hModule;
    ResModulesReset(hModule);
    g_pszRegSection = g_pszDefaultRegSection;
    g_pszAppName = g_pszDefaultAppName;
    g_uAppNameMsg = RegisterWindowMessageA(g_pszAppName);
}

void CmnDllProcessDetach()
{
    // Windows and their objects belong to the host; only the library's own
    // bookkeeping is released.
    ResModulesFree();
    WndBindingFree();
    ReleaseOffscreenBitmap();
}

void SetCmnDllResources(HINSTANCE hResFirst, HINSTANCE hResSecond)
{
    ResModulesReset(g_hDllInstance);
    ResModulesAppend(hResFirst);
    ResModulesAppend(hResSecond);

    if (hResSecond != NULL)
        g_hResInstance = hResSecond;
    else if (hResFirst != NULL)
        g_hResInstance = hResFirst;
    else if (g_hResInstance == NULL)
        g_hResInstance = g_hDllInstance;
}

void SetCmnDllMainWindow(HWND hWnd)
{
    if (hWnd != NULL)
        g_hMainWnd = hWnd;
}

void SetCmnDllRegSection(const char* pszSection, const char* pszAppName)
{
    g_pszRegSection = pszSection;
    if (pszAppName != NULL) {
        g_pszAppName = pszAppName;
        g_uAppNameMsg = RegisterWindowMessageA(pszAppName);
    }
}
