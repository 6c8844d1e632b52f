// Window data kept in the registry under the host's section.
#include <windows.h>
#include "wnd/CWnd.h"

// The window-position record arrives with the registry accessors.
int CWnd::LoadData(int /*nKind*/)
{
    return 0;
}

void CWnd::SaveData(int /*nKind*/)
{
}
