// The demo host: configures the library the way the game does, creates its
// main window (a CWndEx_Clr with a gradient background), pumps messages for a
// moment and reports what the window saw. "--hold MS" keeps the window up
// longer, for a look at it.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cmndll.h>

namespace {

const UINT kTickMs = 50;

class CDemoWnd : public CWndEx_Clr {
public:
    CDemoWnd()
    {
        // From the window colour down to a deep blue.
        gradientFlags = GF_ON | GF_DOUBLE;
        gradientColor = RGB(30, 60, 140);
    }

    int ticksToRun = 10;
    int created = 0;
    int sized = 0;
    int painted = 0;
    int timers = 0;

    BOOL OnCreate(CREATESTRUCTA* pCS) override
    {
        ++created;
        SetTimer(1, kTickMs);
        return CWndEx_Clr::OnCreate(pCS);
    }
    void OnSize(UINT uType, int cx, int cy) override
    {
        ++sized;
        CWndEx_Clr::OnSize(uType, cx, cy);
    }
    void Paint(HDC hdc, PAINTSTRUCT* pPS) override
    {
        ++painted;
        RECT rc;
        GetClientRect(&rc);
        SetTextColor(hdc, RGB(250, 220, 60));
        SetBkMode(hdc, TRANSPARENT);
        DrawTextA(hdc, "Tessary", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        (void)pPS;
    }
    void OnTimer(UINT uId) override
    {
        // Close after a few ticks: the demo ends by itself.
        if (++timers == ticksToRun)
            PostMessage(WM_CLOSE, 0, 0);
        CWnd::OnTimer(uId);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    int holdMs = 0;
    if (argc == 3 && strcmp(argv[1], "--hold") == 0)
        holdMs = atoi(argv[2]);

    SetCmnDllResources(GetModuleHandleA(NULL), NULL);
    SetCmnDllRegSection("Software\\cmndll-demo", "CmnDllDemo");

    CDemoWnd wnd;
    if (holdMs > 0)
        wnd.ticksToRun = holdMs / (int)kTickMs;
    wnd.SetMainWindow();
    if (wnd.CreateEx(0, "CmnDllDemo", "cmndll demo", (DWORD)-1, 100, 100, 480, 320, NULL, NULL, NULL) == NULL) {
        printf("demo: could not create the main window\n");
        return 1;
    }
    const UINT uAppName = RegisterWindowMessageA("CmnDllDemo");
    const bool bMainKnown = (HWND)SendMessageA(wnd.m_hWnd, uAppName, 0, 0) == wnd.m_hWnd;

    const INT_PTR result = wnd.DoModal(0);
    printf("demo: created %d, sized %d, painted %d, timer ticks %d, main window answered %s, result %d\n",
           wnd.created, wnd.sized, wnd.painted, wnd.timers, bMainKnown ? "yes" : "no", (int)result);
    return 0;
}
