// Whole registry key trees: moving one to another place and erasing one.
// Both report 1 on success and 0 on failure.
#pragma once

#include <windows.h>
#include "frame/CmnDllApi.h"

// Copies every value of key srcPath under srcRoot and of all its sub-keys to
// key dstPath under dstRoot, then deletes the source tree. A NULL (or empty)
// path stands for the root itself; a source root is never deleted.
// contentsOnly false recreates the source at its own relative path below the
// destination (moving A\B to D gives D\A\B); true puts the source key's
// values and sub-keys directly into the destination (D holds B's contents).
// Keys without any value below them are not recreated.
//
// The source is deleted only once every value has been read and written, so
// a failure leaves it whole (the destination may then hold part of a copy).
// A move whose copy would land inside the tree it is about to delete is
// refused before anything is written.
CMNDLL_EXTERN_C CMNDLL_API int RegMoveKey(HKEY srcRoot, HKEY dstRoot, const char* srcPath, const char* dstPath,
                                          bool contentsOnly);

// Deletes key path under root with everything below it. Stops with 0 at the
// first entry it cannot delete. A NULL or empty path is refused: the root
// itself is never erased.
CMNDLL_EXTERN_C CMNDLL_API int RegEraseKey(HKEY root, const char* path);
