#include <windows.h>
#include "frame/ResModules_int.h"

namespace {

// SetCmnDllResources rebuilds the list whole, with at most three entries, so a
// fixed array is all the list ever needs.
const int kMaxModules = 3;
HINSTANCE s_modules[kMaxModules];
int s_count = 0;

}  // namespace

void ResModulesReset(HINSTANCE hLibrary)
{
    s_count = 0;
    ResModulesAppend(hLibrary);
}

void ResModulesAppend(HINSTANCE hModule)
{
    if (hModule != NULL && s_count < kMaxModules)
        s_modules[s_count++] = hModule;
}

void ResModulesFree()
{
    s_count = 0;
}

int ResModulesCount()
{
    return s_count;
}

HINSTANCE ResModuleAt(int index)
{
    return (index >= 0 && index < s_count) ? s_modules[index] : NULL;
}
