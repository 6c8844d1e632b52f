// The library's process-wide state. One set per process, used only from the
// thread that owns the host's windows.
#pragma once

#include <windows.h>

class CToolTip;

extern const char* g_pszRegSection;
extern const char* g_pszAppName;
extern HINSTANCE g_hDllInstance;
extern HINSTANCE g_hResInstance;
extern HWND g_hMainWnd;
extern UINT g_uAppNameMsg;
extern UINT g_uQueryCancelAutoPlayMsg;
extern CToolTip* g_pToolTip;
extern int g_nLanguage;

extern HKEY const g_hkeyDataRoot;
extern HKEY const g_hkeyLanguageRoot;

extern bool g_bOwnerDrawn;
extern bool g_bSystemColor;
extern bool g_bGradientColor;
extern bool g_bTransparent;
extern bool g_bEnableToolTips;
extern DWORD g_dwToolTipPopup;
extern DWORD g_dwToolTipInitial;
extern bool g_bToolTipsAvailable;
extern bool g_bPrefsPending;
extern bool g_bEditMargins;
extern BYTE g_nEditMarginLeft;
extern BYTE g_nEditMarginRight;
extern bool g_bSystemStyleItem;
extern bool g_bLanguageItem;
extern bool g_bSystemStyle;
extern bool g_bManifestSource;

extern const char* const g_pszDefaultRegSection;
extern const char* const g_pszDefaultAppName;

// Load-time set-up and unload clean-up. The DLL entry point calls them; tests
// that link the library statically call them with their own module.
void CmnDllProcessAttach(HINSTANCE hModule);
void CmnDllProcessDetach();
