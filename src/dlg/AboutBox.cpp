#include <windows.h>
#include "dlg/AboutBox.h"

// The About dialog arrives with the dialog classes; until then the command is
// accepted and shows nothing.
void ShowAboutBox(HWND /*hParent*/)
{
}
