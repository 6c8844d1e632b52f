// Window data kept in the registry under the host's section: values of the
// window's own key, application-wide values and flags, and the window's last
// normal rectangle (the 16-byte default value of its key).
#include <windows.h>
#include <cstring>
#include "wnd/CWnd.h"
#include "registry/CRegistryKey.h"
#include "frame/Globals_int.h"

namespace {

// Every accessor opens (creating) its key for the one call and closes it.
class CSectionKey : public CRegistryKey {
public:
    explicit CSectionKey(const char* pszSubKey)
        : CRegistryKey(g_pszRegSection, pszSubKey, g_hkeyDataRoot, false)
    {
    }
};

template <typename T>
int ReadValue(const char* pszSubKey, const char* pszName, T& value)
{
    CSectionKey key(pszSubKey);
    return key.IsOpen() ? key.GetValue(pszName, value) : 0;
}

template <typename T>
int WriteValue(const char* pszSubKey, const char* pszName, T value)
{
    CSectionKey key(pszSubKey);
    return key.IsOpen() ? key.SetValue(pszName, value) : 0;
}

const DWORD kRecordSize = sizeof(RECT);
static_assert(sizeof(RECT) == 16, "the window-position record is 16 bytes");

}  // namespace

int CWnd::LoadRegData(const char* pszName, unsigned int& uValue) { return ReadValue(m_pszRegKey, pszName, uValue); }
int CWnd::LoadRegData(const char* pszName, int& nValue) { return ReadValue(m_pszRegKey, pszName, nValue); }
int CWnd::SaveRegData(const char* pszName, unsigned int uValue) { return WriteValue(m_pszRegKey, pszName, uValue); }
int CWnd::SaveRegData(const char* pszName, int nValue) { return WriteValue(m_pszRegKey, pszName, nValue); }
int CWnd::LoadAppData(const char* pszName, unsigned int& uValue) { return ReadValue(NULL, pszName, uValue); }
int CWnd::LoadAppData(const char* pszName, int& nValue) { return ReadValue(NULL, pszName, nValue); }
int CWnd::SaveAppData(const char* pszName, unsigned int uValue) { return WriteValue(NULL, pszName, uValue); }
int CWnd::SaveAppData(const char* pszName, int nValue) { return WriteValue(NULL, pszName, nValue); }
int CWnd::LoadAppFlag(const char* pszName, bool& bValue) { return ReadValue(NULL, pszName, bValue); }
int CWnd::SaveAppFlag(const char* pszName, bool bValue) { return WriteValue(NULL, pszName, bValue); }

int CWnd::LoadRegBinary(const char* pszName, void* pData, DWORD* pSize)
{
    CSectionKey key(m_pszRegKey);
    return key.IsOpen() ? key.GetValue(pszName, pData, pSize) : 0;
}

int CWnd::SaveRegBinary(const char* pszName, const void* pData, DWORD dwSize)
{
    CSectionKey key(m_pszRegKey);
    return key.IsOpen() ? key.SetValue(pszName, pData, static_cast<int>(dwSize)) : 0;
}

int CWnd::LoadData(int nKind)
{
    if (m_pszRegKey == NULL || nKind != 0)
        return 0;
    DWORD dwSize = kRecordSize;
    return LoadRegBinary(NULL, &m_rcWindow, &dwSize);
}

// Kinds 0 to 2: initialisation, OK and Cancel of a dialog. A cancelled dialog
// still keeps where the user put it.
void CWnd::SaveData(int nKind)
{
    if (m_pszRegKey == NULL || nKind < 0 || nKind > 2)
        return;
    SaveRegBinary(NULL, &m_rcWindow, kRecordSize);
}

// ---- Dialog items ------------------------------------------------------------

void CWnd::GetCtrlData(unsigned int uId, bool& bChecked)
{
    HWND hItem = ::GetDlgItem(m_hWnd, static_cast<int>(uId));
    const BYTE state = hItem != NULL ? static_cast<BYTE>(::SendMessageA(hItem, BM_GETCHECK, 0, 0)) : 0;
    // The byte is stored as it is, so BST_INDETERMINATE (2) survives.
    memcpy(&bChecked, &state, 1);
}

void CWnd::SetCtrlData(unsigned int uId, bool bChecked)
{
    HWND hItem = ::GetDlgItem(m_hWnd, static_cast<int>(uId));
    if (hItem != NULL)
        ::SendMessageA(hItem, BM_SETCHECK, bChecked ? 1 : 0, 0);
}

void CWnd::GetItemText(int nId, char* pszText, int nMax)
{
    ::GetWindowTextA(::GetDlgItem(m_hWnd, nId), pszText, nMax);
}

// A transparent item gets its parent's background painted over the old text
// before the new one is drawn.
void CWnd::SetItemText(int nId, const char* pszText)
{
    HWND hItem = ::GetDlgItem(m_hWnd, nId);
    if (hItem == NULL)
        return;
    RepaintParentBackground(hItem);
    ::SetWindowTextA(hItem, pszText);
}
