// The About dialog of the host, opened by the About command of any window's
// system menu and by Alt+F1.
#pragma once

#include <windows.h>

void ShowAboutBox(HWND hParent);
