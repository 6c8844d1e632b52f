// The host's configuration calls. None is required; every setting has a
// working default from the moment the library is loaded.
#pragma once

#include <windows.h>
#include "frame/CmnDllApi.h"

// Which of the host's modules hold resources. Rebuilds the resource-module list
// as: the library, then hResFirst, then hResSecond (NULL entries are skipped).
CMNDLL_EXTERN_C CMNDLL_API void SetCmnDllResources(HINSTANCE hResFirst, HINSTANCE hResSecond);

// The host's main window; NULL changes nothing.
CMNDLL_EXTERN_C CMNDLL_API void SetCmnDllMainWindow(HWND hWnd);

// Registry section (below HKEY_CURRENT_USER) and application name. Both
// pointers are kept, not copied: they must outlive the library.
CMNDLL_EXTERN_C CMNDLL_API void SetCmnDllRegSection(const char* pszSection, const char* pszAppName);
