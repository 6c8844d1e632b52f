// The one lookup behind CShellObj and the library's own folder needs.
#pragma once

#include <windows.h>

// Fills path (MAX_PATH bytes) with the folder the shell knows by its CSIDL_
// number; a non-zero create makes a missing folder. True when the shell
// delivered a path.
bool GetSpecialFolder(char* path, int csidl, int create);
