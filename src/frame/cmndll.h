// cmndll: the common-services library of the game. A host includes this one
// header (after windows.h, or let it include windows.h) and links cmndll.
#pragma once

#include <windows.h>

#include "frame/CmnDllApi.h"
#include "frame/CmnDllConfig.h"
#include "frame/CResources.h"
#include "base/CString.h"
#include "base/CLinkedList.h"
#include "registry/CRegistryKey.h"
#include "registry/CRegKeyList.h"
#include "registry/RegTree.h"
#include "wnd/CWnd.h"
#include "paint/CWndEx_Clr.h"
#include "shell/CShellObj.h"
