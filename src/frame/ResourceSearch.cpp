#include <windows.h>
#include <cstring>
#include "frame/Globals_int.h"
#include "frame/ResModules_int.h"
#include "frame/ResourceSearch_int.h"

namespace {

// The letter that marks a name's language, by g_nLanguage (German exists only
// as a name letter).
const char kLanguageLetters[] = "ERFG";

HRSRC FindInModules(const char* type, const char* name, HINSTANCE* module)
{
    for (int i = 0; i < ResModulesCount(); ++i) {
        const HINSTANCE hModule = ResModuleAt(i);
        const HRSRC hRes = ::FindResourceA(hModule, name, type);
        if (hRes != NULL) {
            if (module != NULL)
                *module = hModule;
            return hRes;
        }
    }
    return NULL;
}

// Builds the language variant of name into variant; false when the name has
// none (numeric, empty, too long, not ending in E, or English).
bool MakeNameVariant(const char* name, char* variant)
{
    if (IS_INTRESOURCE(name) || g_nLanguage <= 0 || g_nLanguage >= 4)
        return false;
    const size_t length = strlen(name);
    if (length == 0 || length >= static_cast<size_t>(kResNameMax) || name[length - 1] != 'E')
        return false;
    memcpy(variant, name, length + 1);
    variant[length - 1] = kLanguageLetters[g_nLanguage];
    return true;
}

void CopyFoundName(char* foundName, const char* name)
{
    if (foundName == NULL || IS_INTRESOURCE(name))
        return;
    // A plain name of 64 characters or more can be found too; the caller's
    // buffer still holds only 64 bytes.
    lstrcpynA(foundName, name, kResNameMax);
}

WORD VariantId(unsigned int id)
{
    return static_cast<WORD>(LOWORD(id) + g_nLanguage);
}

}  // namespace

HRSRC FindByName(const char* type, const char* name, HINSTANCE* module, char* foundName)
{
    char variant[kResNameMax];
    if (MakeNameVariant(name, variant)) {
        const HRSRC hRes = FindInModules(type, variant, module);
        if (hRes != NULL) {
            CopyFoundName(foundName, variant);
            return hRes;
        }
    }
    const HRSRC hRes = FindInModules(type, name, module);
    if (hRes != NULL)
        CopyFoundName(foundName, name);
    return hRes;
}

HRSRC FindById(const char* type, unsigned int id, HINSTANCE* module, unsigned int* foundId)
{
    WORD n = VariantId(id);
    HRSRC hRes = FindInModules(type, MAKEINTRESOURCEA(n), module);
    if (hRes == NULL && n != LOWORD(id)) {
        n = LOWORD(id);
        hRes = FindInModules(type, MAKEINTRESOURCEA(n), module);
    }
    if (hRes != NULL && foundId != NULL)
        *foundId = n;
    return hRes;
}

void* LoadByName(const char* type, const char* name, DWORD* size)
{
    HINSTANCE hModule = NULL;
    const HRSRC hRes = FindByName(type, name, &hModule, NULL);
    if (hRes == NULL)
        return NULL;
    const HGLOBAL hData = ::LoadResource(hModule, hRes);
    if (hData == NULL)
        return NULL;
    if (size != NULL)
        *size = ::SizeofResource(hModule, hRes);
    return ::LockResource(hData);
}

void* LoadById(const char* type, unsigned int id, DWORD* size)
{
    void* data = LoadByName(type, MAKEINTRESOURCEA(VariantId(id)), size);
    if (data == NULL && g_nLanguage != 0)
        data = LoadByName(type, MAKEINTRESOURCEA(LOWORD(id)), size);
    return data;
}

int LoadStringRes(unsigned int id, char* buffer, int max)
{
    // LoadStringA with no room answers a pointer into the resource instead
    // of copying: never ask for that here.
    if (buffer == NULL || max <= 0)
        return 0;
    for (int i = 0; i < ResModulesCount(); ++i) {
        const int length = ::LoadStringA(ResModuleAt(i), id, buffer, max);
        if (length > 0)
            return length;
    }
    return 0;
}
