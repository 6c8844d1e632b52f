#include <windows.h>
#include "frame/Globals_int.h"

BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        CmnDllProcessAttach(hModule);
    else if (reason == DLL_PROCESS_DETACH)
        CmnDllProcessDetach();
    return TRUE;
}
