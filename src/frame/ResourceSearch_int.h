// Resource lookup over the resource-module list: the modules are tried in
// list order and the first one that has the resource wins. The Find and Load
// forms try the language variant first (id + g_nLanguage, or a name whose
// trailing E is replaced by the language letter), then the plain one.
// Every out-parameter may be NULL.
#pragma once

#include <windows.h>

// Names are at most 63 characters; foundName must hold 64 bytes.
const int kResNameMax = 64;

// name may be a numeric identifier (high 16 bits zero): searched as it is.
HRSRC FindByName(const char* type, const char* name, HINSTANCE* module, char* foundName);
HRSRC FindById(const char* type, unsigned int id, HINSTANCE* module, unsigned int* foundId);

// The resource's data (valid while its module stays loaded); size receives
// SizeofResource.
void* LoadByName(const char* type, const char* name, DWORD* size);
void* LoadById(const char* type, unsigned int id, DWORD* size);

// The first module's non-empty string id, without language variant; the
// length copied, 0 when no module has it.
int LoadStringRes(unsigned int id, char* buffer, int max);
