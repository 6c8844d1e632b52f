#include <windows.h>
#include <cstdlib>
#include <cstring>
#include "registry/CRegistryKey.h"
#include "base/CString.h"

namespace {

// The path buffer: at most 1023 characters and the terminator.
const size_t kPathSize = 1024;
// Width of the caller's buffer in the text form of GetValue.
const DWORD kTextSize = 512;

// Copies text into a 512-byte buffer, cut short rather than overrun.
void CopyText(char* buffer, const char* text)
{
    lstrcpynA(buffer, text != NULL ? text : "", kTextSize);
}

}  // namespace

CRegistryKey::CRegistryKey() : handle(HKEY_CURRENT_USER), root(NULL), path(static_cast<char*>(calloc(kPathSize, 1)))
{
}

CRegistryKey::CRegistryKey(const CRegistryKey& other) : CRegistryKey()
{
    *this = other;
}

CRegistryKey::CRegistryKey(const char* pszPath, HKEY hRoot, bool openOnly) : CRegistryKey()
{
    OpenOrCreate(pszPath, NULL, hRoot, !openOnly);
}

CRegistryKey::CRegistryKey(const char* pszPath, const char* pszSubPath, HKEY hRoot, bool openOnly)
    : CRegistryKey()
{
    OpenOrCreate(pszPath, pszSubPath, hRoot, !openOnly);
}

CRegistryKey::~CRegistryKey()
{
    Close();
    free(path);
}

CRegistryKey& CRegistryKey::operator=(const CRegistryKey& other)
{
    // Opening closes this key first, which would empty the very path a
    // self-assignment is about to read.
    if (&other == this)
        return *this;
    CRegistryKey& source = const_cast<CRegistryKey&>(other);
    if (source.IsOpen())
        Open(other.path, other.root);
    return *this;
}

CRegistryKey::operator HKEY()
{
    return handle;
}

void CRegistryKey::Reset()
{
    root = NULL;
    handle = HKEY_CURRENT_USER;
    path[0] = '\0';
}

bool CRegistryKey::Compose(const char* pszPath, const char* pszSubPath)
{
    path[0] = '\0';
    size_t length = 0;
    if (pszPath != NULL && pszPath[0] != '\0') {
        length = strlen(pszPath);
        if (length >= kPathSize)
            return false;
        memcpy(path, pszPath, length + 1);
    }
    if (pszSubPath != NULL && pszSubPath[0] != '\0') {
        // No leading backslash when there is no path: the platform refuses
        // relative paths that start with one.
        const bool separator = length > 0 && path[length - 1] != '\\';
        const size_t subLength = strlen(pszSubPath);
        if (length + (separator ? 1 : 0) + subLength >= kPathSize) {
            path[0] = '\0';
            return false;
        }
        if (separator)
            path[length++] = '\\';
        memcpy(path + length, pszSubPath, subLength + 1);
    }
    return true;
}

bool CRegistryKey::OpenOrCreate(const char* pszPath, const char* pszSubPath, HKEY hRoot, bool create)
{
    Close();
    root = hRoot;
    if (!Compose(pszPath, pszSubPath)) {
        Reset();
        return false;
    }
    if (path[0] == '\0') {
        handle = hRoot;
        return true;
    }
    HKEY hKey = NULL;
    const LONG status = create ? ::RegCreateKeyA(hRoot, path, &hKey) : ::RegOpenKeyA(hRoot, path, &hKey);
    if (status != ERROR_SUCCESS || hKey == NULL) {
        // Left as it is, a failed key under HKEY_CURRENT_USER would pass the
        // open test (its handle would equal its root).
        Reset();
        return false;
    }
    handle = hKey;
    return true;
}

bool CRegistryKey::Open(const char* pszPath, const char* pszSubPath, HKEY hRoot)
{
    return OpenOrCreate(pszPath, pszSubPath, hRoot, false);
}

bool CRegistryKey::Open(const char* pszPath, HKEY hRoot)
{
    return OpenOrCreate(pszPath, NULL, hRoot, false);
}

bool CRegistryKey::Create(const char* pszPath, const char* pszSubPath, HKEY hRoot)
{
    return OpenOrCreate(pszPath, pszSubPath, hRoot, true);
}

bool CRegistryKey::Create(const char* pszPath, HKEY hRoot)
{
    return OpenOrCreate(pszPath, NULL, hRoot, true);
}

void CRegistryKey::Close()
{
    if (handle != root && IsOpen())
        ::RegCloseKey(handle);
    Reset();
}

bool CRegistryKey::IsOpen()
{
    if (handle == root)
        return true;
    return path[0] != '\0' && handle != NULL && handle != HKEY_CURRENT_USER && root != NULL;
}

long CRegistryKey::Flush()
{
    return ::RegFlushKey(handle);
}

int CRegistryKey::Write(const char* name, DWORD type, const void* data, DWORD size)
{
    if (!IsOpen())
        return 0;
    return ::RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

int CRegistryKey::SetValue(const char* name, bool value)
{
    const BYTE byte = value ? 1 : 0;
    return Write(name, REG_BINARY, &byte, 1);
}

int CRegistryKey::SetValue(const char* name, const char* text)
{
    if (text == NULL)
        return Write(name, REG_SZ, NULL, 0);
    return Write(name, REG_SZ, text, static_cast<DWORD>(strlen(text) + 1));
}

int CRegistryKey::SetValue(const char* name, const void* data, int size)
{
    if (size < 0)
        return 0;
    return Write(name, REG_BINARY, data, static_cast<DWORD>(size));
}

int CRegistryKey::SetValue(const char* name, int value)
{
    const DWORD dw = static_cast<DWORD>(value);
    return Write(name, REG_DWORD, &dw, sizeof(dw));
}

int CRegistryKey::SetValue(const char* name, unsigned int value)
{
    return SetValue(name, static_cast<int>(value));
}

int CRegistryKey::DeleteValue(const char* name)
{
    if (!IsOpen())
        return 0;
    return ::RegDeleteValueA(handle, name) == ERROR_SUCCESS;
}

// Reads through a scratch buffer: the platform may leave partial data behind
// when a value does not fit, and a failed read must not change the
// destination. stored, when given, receives the size the platform reports.
int CRegistryKey::Read(const char* name, void* destination, DWORD width, DWORD* stored)
{
    if (!IsOpen())
        return 0;
    BYTE small[kTextSize];
    BYTE* scratch = NULL;
    if (destination != NULL)
        scratch = width <= sizeof(small) ? small : static_cast<BYTE*>(malloc(width));
    DWORD size = width;
    const LONG status = ::RegQueryValueExA(handle, name, NULL, NULL, scratch, &size);
    if (stored != NULL)
        *stored = size;
    const bool ok = status == ERROR_SUCCESS && (destination == NULL || size <= width);
    if (ok && destination != NULL)
        memcpy(destination, scratch, size);
    if (scratch != small)
        free(scratch);
    return ok ? 1 : 0;
}

int CRegistryKey::GetValue(const char* name, int& value)
{
    return Read(name, &value, sizeof(value), NULL);
}

int CRegistryKey::GetValue(const char* name, unsigned int& value)
{
    return Read(name, &value, sizeof(value), NULL);
}

int CRegistryKey::GetValue(const char* name, unsigned long& value)
{
    static_assert(sizeof(unsigned long) == 4, "Windows keeps long at 32 bits");
    return Read(name, &value, sizeof(value), NULL);
}

int CRegistryKey::QueryValue(const char* name, int& value)
{
    return GetValue(name, value);
}

int CRegistryKey::QueryValue(const char* name, unsigned int& value)
{
    return GetValue(name, value);
}

int CRegistryKey::GetValue(const char* name, bool& value)
{
    BYTE byte = 0;
    if (!Read(name, &byte, 1, NULL))
        return 0;
    value = byte != 0;
    return 1;
}

int CRegistryKey::GetValue(const char* name, char& value)
{
    return Read(name, &value, 1, NULL);
}

int CRegistryKey::GetValue(const char* name, unsigned char& value)
{
    return Read(name, &value, 1, NULL);
}

int CRegistryKey::GetValue(const char* name, void* data, unsigned long* size)
{
    if (size == NULL)
        return 0;
    DWORD stored = *size;
    const int result = Read(name, data, *size, &stored);
    if (IsOpen())
        *size = stored;
    return result;
}

int CRegistryKey::GetValue(const char* name, char* buffer, const char* defaultText)
{
    char scratch[kTextSize];
    DWORD stored = 0;
    if (Read(name, scratch, kTextSize, &stored)) {
        // The caller reads a text: data without a zero byte is terminated
        // after its end, or refused when it fills the whole buffer.
        if (memchr(scratch, 0, stored) != NULL || stored < kTextSize) {
            memcpy(buffer, scratch, stored);
            if (stored < kTextSize)
                buffer[stored] = '\0';
            return 1;
        }
    }
    CopyText(buffer, defaultText);
    return 0;
}

int CRegistryKey::GetValue(const char* name, CString& text)
{
    if (!IsOpen())
        return 0;
    DWORD size = 0;
    if (::RegQueryValueExA(handle, name, NULL, NULL, NULL, &size) != ERROR_SUCCESS)
        return 0;
    // One byte more than the data: a binary value need not end in a zero.
    BYTE* buffer = static_cast<BYTE*>(calloc(size + 1, 1));
    DWORD read = size;
    const LONG status = ::RegQueryValueExA(handle, name, NULL, NULL, buffer, &read);
    const int result = status == ERROR_SUCCESS && read <= size;
    if (result) {
        buffer[read] = '\0';
        text = reinterpret_cast<const char*>(buffer);
    }
    free(buffer);
    return result;
}
