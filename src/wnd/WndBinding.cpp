#include <windows.h>
#include <unordered_map>
#include <vector>
#include "wnd/CWnd.h"
#include "wnd/WndBinding_int.h"

namespace {

// A hashed map keeps lookups flat however many windows are alive; a handle is
// bound to at most one object because BindWnd only adds unknown handles.
std::unordered_map<HWND, CWnd*> s_map;
std::vector<CWnd*> s_pending;

// Most messages go to the window that received the previous one.
HWND s_lastHandle = NULL;
CWnd* s_lastWnd = NULL;

}  // namespace

CWnd* FindWnd(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    if (hWnd == s_lastHandle)
        return s_lastWnd;
    auto it = s_map.find(hWnd);
    if (it == s_map.end())
        return NULL;
    s_lastHandle = hWnd;
    s_lastWnd = it->second;
    return it->second;
}

CWnd* BindWnd(HWND hWnd)
{
    CWnd* pWnd = FindWnd(hWnd);
    if (pWnd != NULL || hWnd == NULL)
        return pWnd;
    if (s_pending.empty())
        return NULL;
    pWnd = s_pending.back();
    s_pending.pop_back();
    s_map.emplace(hWnd, pWnd);
    return pWnd;
}

void UnbindWnd(HWND hWnd)
{
    if (hWnd == NULL)
        return;
    if (hWnd == s_lastHandle) {
        s_lastHandle = NULL;
        s_lastWnd = NULL;
    }
    s_map.erase(hWnd);
}

void PushPendingWnd(CWnd* pWnd)
{
    if (pWnd != NULL && (s_pending.empty() || s_pending.back() != pWnd))
        s_pending.push_back(pWnd);
}

void PopPendingWnd(CWnd* pWnd)
{
    if (pWnd != NULL && !s_pending.empty() && s_pending.back() == pWnd)
        s_pending.pop_back();
}

CWnd* PeekPendingWnd()
{
    return s_pending.empty() ? NULL : s_pending.back();
}

void WndBindingFree()
{
    s_map.clear();
    s_pending.clear();
    s_lastHandle = NULL;
    s_lastWnd = NULL;
}

LRESULT CALLBACK CmnWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(hWnd))
        return 0;
    CWnd* pWnd = BindWnd(hWnd);
    if (pWnd == NULL || pWnd->m_bDetached)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    if (pWnd->m_hWnd == NULL)
        pWnd->m_hWnd = hWnd;

    LRESULT result;
    if (pWnd->PreDispatch(uMsg, wParam, lParam))
        result = pWnd->WindowProc(uMsg, wParam, lParam);
    else
        result = pWnd->DefWindowProc();

    // An object unbound while handling the message (WM_DESTROY) may be gone.
    pWnd = FindWnd(hWnd);
    if (pWnd != NULL)
        pWnd->PostDispatch();
    return result;
}
