#include <windows.h>
#include "frame/Globals_int.h"

const char* const g_pszDefaultRegSection = "Software\\Varnholt\\Tessary";
const char* const g_pszDefaultAppName = "Tessary";

const char* g_pszRegSection = g_pszDefaultRegSection;
const char* g_pszAppName = g_pszDefaultAppName;
HINSTANCE g_hDllInstance = NULL;
HINSTANCE g_hResInstance = NULL;
HWND g_hMainWnd = NULL;
UINT g_uAppNameMsg = 0;
UINT g_uQueryCancelAutoPlayMsg = RegisterWindowMessageA("QueryCancelAutoPlay");
CToolTip* g_pToolTip = NULL;
int g_nLanguage = 0;

HKEY const g_hkeyDataRoot = HKEY_CURRENT_USER;
HKEY const g_hkeyLanguageRoot = HKEY_CURRENT_USER;

bool g_bOwnerDrawn = true;
bool g_bSystemColor = true;
bool g_bGradientColor = true;
bool g_bTransparent = true;
bool g_bEnableToolTips = true;
DWORD g_dwToolTipPopup = 4000;
DWORD g_dwToolTipInitial = 700;
bool g_bToolTipsAvailable = false;
bool g_bPrefsPending = true;
bool g_bEditMargins = true;
BYTE g_nEditMarginLeft = 2;
BYTE g_nEditMarginRight = 2;
bool g_bSystemStyleItem = true;
bool g_bLanguageItem = true;
bool g_bSystemStyle = false;
bool g_bManifestSource = false;
