// CWnd: one object stands for one native window. The library binds the object
// to its window when the window is created (or attached and subclassed) and
// routes every message of that window through PreDispatch, WindowProc and
// PostDispatch to the virtual operations below.
//
// Field order and the order of the virtual operations are binary interface:
// hosts derive from CWnd. Add new virtual operations only in derived classes.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include "frame/CmnDllApi.h"

// One message being dispatched; records of nested dispatches stack up.
struct CMsgRecord {
    MSG msg;
    CMsgRecord* pNext;
};

class CMNDLL_API CWnd {
public:
    CWnd();
    CWnd(const CWnd& other);
    CWnd& operator=(const CWnd& other);

    // ---- Virtual operations, in their binary order ----------------------
    virtual ~CWnd();

    virtual HWND Create(const char* pszClass, const char* pszTitle, DWORD dwStyle,
                        int x, int y, int cx, int cy, HWND hParent, HMENU hMenu, void* pParam);
    virtual HWND Create(const char* pszClass, const char* pszTitle, DWORD dwStyle,
                        const RECT* pRect, HWND hParent, HMENU hMenu, void* pParam);
    virtual HWND Create();
    virtual HWND CreateEx(DWORD dwExStyle, const char* pszClass, const char* pszTitle, DWORD dwStyle,
                          int x, int y, int cx, int cy, HWND hParent, HMENU hMenu, void* pParam);
    virtual HWND CreateEx(DWORD dwExStyle, const char* pszClass, const char* pszTitle, DWORD dwStyle,
                          const RECT* pRect, HWND hParent, HMENU hMenu, void* pParam);
    // INT_PTR is int on 32-bit Windows; on 64-bit it lets CDlg return a dialog result.
    virtual INT_PTR DoModal(LPARAM lParam);

    virtual bool IsTransparent();
    virtual HBRUSH PrepareDC(HDC hdc);
    virtual void UpdateColors();
    virtual void Paint(HDC hdc, PAINTSTRUCT* pPS);
    virtual BOOL PaintBackground(HDC hdc, RECT* pRect);

    virtual BOOL OnCreate(CREATESTRUCTA* pCS);
    virtual void OnDestroy();
    virtual LRESULT OnSysCommand(UINT uCmd);
    virtual LRESULT OnNotify(int nId, NMHDR* pHdr);
    virtual void OnCommand(UINT uId, HWND hCtrl, UINT uCode);
    virtual void OnPaint(HDC hdc, HWND hWnd);
    virtual LRESULT OnEraseBkgnd(HDC hdc, RECT* pRect);
    virtual void OnSysColorChange();
    virtual void OnSetFont(HFONT hFont, BOOL bRedraw);
    virtual LRESULT OnGetFont();
    virtual void OnHelp(HELPINFO* pInfo);
    virtual void OnTimer(UINT uId);
    virtual void OnSize(UINT uType, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnClose();
    virtual void OnActivate(UINT uState, HWND hOther, UINT uMinimized);
    virtual void OnActivateApp(BOOL bActive, DWORD dwThread);
    virtual LRESULT OnQueryEndSession();
    virtual void OnEndSession(BOOL bEnding, bool bLogoff);
    virtual void OnContextMenu(HWND hWnd, UINT x, UINT y);
    virtual void OnShowWindow(BOOL bShow, UINT uStatus);
    virtual void OnVScroll(HWND hBar, UINT uCode, int nPos);
    virtual void OnHScroll(HWND hBar, UINT uCode, int nPos);
    virtual void Reserved1(DWORD dwArg);
    virtual void Reserved2(DWORD dwArg);
    virtual void OnKey(UINT uVk, bool bDown, int nRepeat, UINT uFlags);
    virtual void OnSysKey(UINT uVk, bool bDown, int nRepeat, UINT uFlags);
    virtual void OnMouseMove(int x, int y, UINT uKeys);
    virtual void OnMouseLeave();
    virtual void OnMouseHover();
    virtual void OnLButtonUp(int x, int y, UINT uKeys);
    virtual void OnMButtonUp(int x, int y, UINT uKeys);
    virtual void OnRButtonUp(int x, int y, UINT uKeys);
    virtual void OnLButtonDown(int x, int y, UINT uKeys);
    virtual void OnMButtonDown(int x, int y, UINT uKeys);
    virtual void OnRButtonDown(int x, int y, UINT uKeys);
    virtual void OnLButtonDblClk(int x, int y, UINT uKeys);
    virtual void OnMButtonDblClk(int x, int y, UINT uKeys);
    virtual void OnRButtonDblClk(int x, int y, UINT uKeys);
    virtual void OnCaptureChanged(HWND hNewOwner);
    virtual void OnEnterIdle(bool bMenu, HWND hWnd);
    virtual void OnInitMenu(HMENU hMenu);
    virtual void OnInitMenuPopup(HMENU hMenu, UINT uIndex, UINT uSystemMenu);
    virtual void OnMenuSelect(HMENU hMenu, UINT uItem, HMENU hSubMenu, int nFlags);
    virtual void OnParentNotify(UINT uEvent, LPARAM lParam, UINT uChildId);
    virtual LRESULT OnDeviceQueryRemove(DEV_BROADCAST_HDR* pHdr);
    virtual void OnDeviceRemovePending(DEV_BROADCAST_HDR* pHdr);
    virtual void OnDeviceChange(DEV_BROADCAST_HDR* pHdr, bool bArrived);
    virtual LRESULT OnQueryCancelAutoPlay(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCtlColor(HDC hdc, HWND hCtrl, int nKind);
    virtual LRESULT OnDrawItem(UINT uId, DRAWITEMSTRUCT* pDIS);
    virtual LRESULT OnDeleteItem(UINT uId, DELETEITEMSTRUCT* pDIS);
    virtual LRESULT OnMeasureItem(UINT uId, MEASUREITEMSTRUCT* pMIS);
    virtual LRESULT OnCompareItem(UINT uId, COMPAREITEMSTRUCT* pCIS);
    virtual LRESULT OnDdeAck(WPARAM wParam, LPARAM lParam);
    virtual HWND CreateWindowHook(CREATESTRUCTA* pCS);
    virtual BOOL PreCreateWindow(CREATESTRUCTA* pCS);
    virtual BOOL PreRegisterClass(WNDCLASSEXA* pWC);
    // windows.h maps these two names to their A forms, as everywhere in an ANSI build.
    virtual LRESULT DefWindowProc();
    virtual LRESULT DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual void PostDispatch();
    virtual BOOL PreDispatch(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnToolTipNeedText(NMTTDISPINFOA* pInfo);
    virtual bool GetToolTipText(char* pszText, UINT uId, bool bWindow);
    virtual void OnMouseEnter();
    virtual void OnMouseExit();
    virtual void OnCaptureEnter();
    virtual void OnCaptureExit();
    virtual void OnZoneEnter();
    virtual void OnZoneExit();
    virtual void OnLClick(int x, int y, UINT uKeys);
    virtual void OnMClick(int x, int y, UINT uKeys);
    virtual void OnRClick(int x, int y, UINT uKeys);
    virtual int LoadData(int nKind);
    virtual void SaveData(int nKind);

    // ---- Binding: attach, subclass, detach, main window ---------------------
    BOOL Attach(HWND hWnd, bool bSubclass);
    BOOL AttachDlgItem(HWND hParent, int nId, bool bSubclass);
    BOOL Subclass(HWND hWnd);
    void DetachWindow(bool bFinal);
    void Detach();
    void SetMainWindow();

    // ---- Exported helpers: thin Win32 calls ----------------------------------
    operator HWND() const { return m_hWnd; }
    HDC BeginPaint(PAINTSTRUCT* pPS);
    BOOL EndPaint(PAINTSTRUCT* pPS);
    HICON GetCursor() const;
    HICON SetCursor(HICON hCursor);
    int SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw);
    int SetScrollInfo(int nBar, SCROLLINFO* pInfo, BOOL bRedraw);
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw);
    int ScrollWindow(int dx, int dy, const RECT* pScroll, const RECT* pClip);

    static CWnd* GetWindow(HWND hWnd);
    static HDC GetDC(HWND hWnd);
    static int ReleaseDC(HWND hWnd, HDC hdc);
    static BOOL GetClientRect(HWND hWnd, RECT* pRect);
    static BOOL GetWindowRect(HWND hWnd, RECT* pRect);
    static HWND SetFocus(HWND hWnd);
    static HWND SetCapture(HWND hWnd);
    static HWND GetDlgItem(HWND hWnd, int nId);
    static HWND GetWindow(HWND hWnd, UINT uCmd);
    static LONG GetWindowLongA(HWND hWnd, int nIndex);
    static DWORD GetClassLongA(HWND hWnd, int nIndex);
    static LONG SetWindowLongA(HWND hWnd, int nIndex, LONG lValue);
    static DWORD SetClassLongA(HWND hWnd, int nIndex, LONG lValue);
    static int GetDlgCtrlID(HWND hWnd);
    static BOOL SetWindowTextA(HWND hWnd, const char* pszText);
    static int GetWindowTextA(HWND hWnd, char* pszText, int nMax);
    static BOOL ShowWindow(HWND hWnd, int nCmd);
    static BOOL ClientToScreen(HWND hWnd, POINT* pPt);
    static BOOL ScreenToClient(HWND hWnd, POINT* pPt);
    static BOOL MoveWindow(HWND hWnd, int x, int y, int cx, int cy, BOOL bRepaint);
    static int MapWindowPoints(HWND hFrom, HWND hTo, POINT* pPts, UINT uCount);
    static HWND GetParent(HWND hWnd);
    static int MessageBoxA(HWND hWnd, const char* pszText, const char* pszCaption, UINT uType);
    static HFONT GetFont(HWND hWnd);
    static HWND GetFirstChld(HWND hWnd);
    static HWND GetFirstSibl(HWND hWnd);
    static HWND GetLastSibl(HWND hWnd);
    static HWND GetNextSibl(HWND hWnd);
    static HWND GetPrevSibl(HWND hWnd);
    static HWND GetOwner(HWND hWnd);

    // ---- Library helpers used across the framework ------------------------
    LRESULT SendMessage(UINT uMsg);
    LRESULT SendMessage(UINT uMsg, WPARAM wParam);
    LRESULT SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT SendMessageLParam(UINT uMsg, LPARAM lParam);
    BOOL PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT SendMessageTo(HWND hWnd, UINT uMsg);
    static LRESULT SendMessageTo(HWND hWnd, UINT uMsg, WPARAM wParam);
    static LRESULT SendMessageTo(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void SetIcon(HICON hIcon, int nType);

    DWORD GetStyle();
    DWORD GetExStyle();
    LONG GetWindowLongA(int nIndex);
    static DWORD GetStyle(HWND hWnd);
    static DWORD GetExStyle(HWND hWnd);
    // swp: (UINT)-1 changes the style only; 0 refreshes the frame; anything
    // else is passed to SetWindowPos as its flags.
    static DWORD SetStyle(HWND hWnd, DWORD dwStyle, UINT uSwp);
    static DWORD SetExStyle(HWND hWnd, DWORD dwExStyle, UINT uSwp);
    static void ModifyExStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT uSwp);
    void ModifyExStyle(DWORD dwRemove, DWORD dwAdd, UINT uSwp);
    static bool IsClass(HWND hWnd, const char* pszName);

    BOOL Invalidate(bool bErase, bool bUpdate);
    BOOL InvalidateRect(const RECT* pRect, bool bErase, bool bUpdate);
    static BOOL InvalidateRect(HWND hWnd, const RECT* pRect, bool bErase, bool bUpdate);

    bool HasTransparentStyle();
    static bool HasTransparentStyle(HWND hWnd);
    static bool IsTransparentWnd(HWND hWnd);
    DWORD IsChild();
    BOOL IsIconic();
    BOOL IsZoomed();
    BOOL IsVisible();
    BOOL IsNormal();

    BOOL MoveWindow(int x, int y, int cx, int cy, bool bRepaint);
    BOOL MoveWindow(const RECT& rect, bool bRepaint);
    BOOL UpdateWindow();
    BOOL DestroyWindow();
    BOOL ShowWindow(int nCmd);
    BOOL GetWindowRect(RECT* pRect);
    BOOL GetClientRect(RECT* pRect);
    HDC GetDC();
    HWND GetDlgItem(int nId);
    HWND GetParent();
    int GetWindowTextA(char* pszText, int nMax);
    BOOL SetWindowTextA(const char* pszText);
    HFONT GetFont();

    UINT_PTR SetTimer(UINT uId, UINT uElapse);
    void KillTimer(UINT* pId);
    void SetClassCursor(HCURSOR hCursor);
    void CenterWindow(HWND hReference);

    static HWND ClientRectToParent(HWND hWnd, POINT pts[2]);
    static HWND WindowRectInParent(HWND hWnd, RECT* pRect);

    // Tools of the shared tooltip owned by this window; no-ops while no tooltip exists.
    BOOL AddToolWnd(HWND hTool);
    BOOL AddToolWnd(UINT uTextId, HWND hTool);
    BOOL AddToolRect(const RECT* pRect, UINT uId);
    BOOL AddToolRect(UINT uTextId, const RECT* pRect, UINT uId);
    BOOL RemoveToolRect(UINT uId);
    BOOL RemoveToolWnd(HWND hTool);

    // ---- Mouse tracking: point tests (client coordinates, edges inclusive) --
    bool InRect(RECT& rect, POINT pt);
    bool InClient(POINT pt);
    bool InZone(POINT pt);
    bool InCapture(POINT pt);

    // ---- Window and application data below the host's registry section ---
    // The window key is the section plus "\" + m_pszRegKey (the section itself
    // when m_pszRegKey is NULL). Keys are created on demand and never kept open.
    int LoadRegData(const char* pszName, unsigned int& uValue);
    int LoadRegData(const char* pszName, int& nValue);
    int SaveRegData(const char* pszName, unsigned int uValue);
    int SaveRegData(const char* pszName, int nValue);
    int LoadAppData(const char* pszName, unsigned int& uValue);
    int LoadAppData(const char* pszName, int& nValue);
    int SaveAppData(const char* pszName, unsigned int uValue);
    int SaveAppData(const char* pszName, int nValue);
    static int LoadAppFlag(const char* pszName, bool& bValue);
    static int SaveAppFlag(const char* pszName, bool bValue);
    int LoadRegBinary(const char* pszName, void* pData, DWORD* pSize);
    int SaveRegBinary(const char* pszName, const void* pData, DWORD dwSize);
    // The check state of a dialog item; an indeterminate box stores 2 in the byte.
    void GetCtrlData(unsigned int uId, bool& bChecked);
    void SetCtrlData(unsigned int uId, bool bChecked);
    void GetItemText(int nId, char* pszText, int nMax);
    void SetItemText(int nId, const char* pszText);

    // ---- Transparency: painting what lies under a transparent window ------
    static void RepaintParentBackground(HWND hWnd);
    static BOOL PaintParentBackground(HWND hWnd, HDC hdc, RECT* pRect);

    // ---- Colour scheme -------------------------------------------------------
    // Colours for the current mouse and focus state; each query recomputes the
    // effective colours first. -1 means no colour of that role is known.
    COLORREF GetStateTextColor();
    COLORREF GetStateBackColor();
    // The parent's WM_CTLCOLOR answer, else the window's own (may be NULL).
    HBRUSH GetCtlColorBrush(HDC hdc);
    // Replaces the class background brush; the previous one is returned, not deleted.
    HBRUSH SetBrush(HBRUSH hBrush);
    // The effective colours as last computed; they do not recompute.
    DWORD GetTextNormColor();
    DWORD GetTextOverColor();
    DWORD GetTextDownColor();
    DWORD GetBackNormColor();
    DWORD GetBackOverColor();
    DWORD GetBackDownColor();
    // InvalidateRect that, when erasing, climbs from transparent windows to the
    // nearest ancestor that paints the background they show.
    BOOL InvalidateThrough(const RECT* pRect, bool bErase, bool bUpdate);
    static BOOL InvalidateThrough(HWND hWnd, const RECT* pRect, bool bErase, bool bUpdate);
    BOOL PaintParentBackground(HDC hdc, RECT* pRect);

protected:
    MSG* GetLastMessage();
    LRESULT DispatchDeviceChange(WPARAM wParam, LPARAM lParam);

public:
    // ---- Fields, in their binary order ----------------------------------
    HWND m_hWnd;
    int m_nResult;
    WNDPROC m_pfnPrevWndProc;
    const char* m_pszRegKey;
    bool m_bDetached;
    bool m_bMainWnd;
    bool m_bTransparentChildren;
    bool m_bSubclass;
    bool m_bInZone;
    bool m_bInCapture;
    bool m_bMouseOver;
    bool m_bLDown;
    bool m_bMDown;
    bool m_bRDown;
    bool m_bCaptureZone;
    bool m_bCaptureAlways;
    bool m_bZone;
    bool m_bHotByZone;
    RECT m_rcZone;
    RECT m_rcWindow;
    RECT m_rcCapture;
    RECT m_rcUpdate;
    POINT m_ptMouse;
    COLORREF m_clrText;
    COLORREF m_clrBack;
    COLORREF m_clrTextNorm;
    COLORREF m_clrTextOver;
    COLORREF m_clrTextDown;
    COLORREF m_clrTextFocus;
    COLORREF m_clrBackNorm;
    COLORREF m_clrBackOver;
    COLORREF m_clrBackDown;
    COLORREF m_clrBackFocus;
    COLORREF m_clrOwnTextNorm;
    COLORREF m_clrOwnTextOver;
    COLORREF m_clrOwnTextDown;
    COLORREF m_clrOwnTextFocus;
    COLORREF m_clrOwnBackNorm;
    COLORREF m_clrOwnBackOver;
    COLORREF m_clrOwnBackDown;
    COLORREF m_clrOwnBackFocus;
    COLORREF m_clrSysTextNorm;
    COLORREF m_clrSysTextOver;
    COLORREF m_clrSysTextDown;
    COLORREF m_clrSysTextFocus;
    COLORREF m_clrSysBackNorm;
    COLORREF m_clrSysBackOver;
    COLORREF m_clrSysBackDown;
    COLORREF m_clrSysBackFocus;
    HBRUSH m_hOwnBrush;
    HBRUSH m_hCurBrush;
    WPARAM m_wParam;
    LPARAM m_lParam;
    UINT m_uMsg;
    CMsgRecord* m_msgStack;
};

#if defined(_WIN32) && !defined(_WIN64)
// The 32-bit layout hosts were built against.
static_assert(sizeof(CMsgRecord) == 32, "message record layout");
#endif
