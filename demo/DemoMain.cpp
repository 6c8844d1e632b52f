// The demo host: configures the library the way the game does, creates its
// main window through CWnd, pumps messages for a moment and reports what the
// window saw.
#include <windows.h>
#include <cstdio>
#include <cmndll.h>

namespace {

class CDemoWnd : public CWnd {
public:
    int created = 0;
    int sized = 0;
    int painted = 0;
    int timers = 0;

    BOOL OnCreate(CREATESTRUCTA* pCS) override
    {
        ++created;
        SetTimer(1, 50);
        return CWnd::OnCreate(pCS);
    }
    void OnSize(UINT uType, int cx, int cy) override
    {
        ++sized;
        CWnd::OnSize(uType, cx, cy);
    }
    void Paint(HDC hdc, PAINTSTRUCT* pPS) override
    {
        ++painted;
        RECT rc;
        GetClientRect(&rc);
        FillRect(hdc, &rc, (HBRUSH)GetStockObject(BLACK_BRUSH));
        SetTextColor(hdc, RGB(230, 200, 40));
        SetBkMode(hdc, TRANSPARENT);
        DrawTextA(hdc, "Tessary", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        (void)pPS;
    }
    void OnTimer(UINT uId) override
    {
        // Close after a few ticks: the demo ends by itself.
        if (++timers == 10)
            PostMessage(WM_CLOSE, 0, 0);
        CWnd::OnTimer(uId);
    }
};

}  // namespace

int main()
{
    SetCmnDllResources(GetModuleHandleA(NULL), NULL);
    SetCmnDllRegSection("Software\\cmndll-demo", "CmnDllDemo");

    CDemoWnd wnd;
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
