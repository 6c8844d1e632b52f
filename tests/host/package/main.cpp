// A host built against the installed package: configures the library,
// creates a window of its own CWnd class and asks it for the main window.
#include <windows.h>
#include <cstdio>
#include <cmndll.h>

class CHostWnd : public CWnd {
public:
    bool created = false;
    BOOL OnCreate(CREATESTRUCTA* pCS) override
    {
        created = m_hWnd != NULL;
        return CWnd::OnCreate(pCS);
    }
};

int main()
{
    SetCmnDllRegSection("Software\\cmndll-tests\\package", "PackageHost");
    CHostWnd wnd;
    HWND hWnd = wnd.Create();
    if (hWnd == NULL || !wnd.created) {
        printf("package host: window not created\n");
        return 1;
    }
    const UINT uMsg = RegisterWindowMessageA("PackageHost");
    const HWND hAnswer = reinterpret_cast<HWND>(SendMessageA(hWnd, uMsg, 0, 0));
    DestroyWindow(hWnd);
    if (hAnswer != hWnd) {
        printf("package host: application-name message not answered\n");
        return 1;
    }
    printf("package host: ok\n");
    return 0;
}
