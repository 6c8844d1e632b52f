// The ordered list of modules searched for resources: the library first, then
// the host's first and second resource modules.
#pragma once

#include <windows.h>

void ResModulesReset(HINSTANCE hLibrary);           // the library's module alone
void ResModulesAppend(HINSTANCE hModule);           // NULL is skipped
void ResModulesFree();                              // empty list (unload)
int ResModulesCount();
HINSTANCE ResModuleAt(int index);                   // NULL past the end
