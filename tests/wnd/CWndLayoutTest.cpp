// The order of CWnd's virtual operations is binary interface: hosts derive
// from CWnd. A pointer to a virtual member encodes its table position, which
// this test compares with the published slot numbers (slot 0 being the
// destructor, which takes two entries in this compiler's tables).
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include "wnd/CWnd.h"

namespace {

template <typename F>
long SlotOf(F member)
{
    static_assert(sizeof(F) == 2 * sizeof(void*), "Itanium member pointer");
    ptrdiff_t raw[2];
    memcpy(raw, &member, sizeof(raw));
    // A virtual member pointer holds 1 + its byte offset in the table.
    const long entry = static_cast<long>((raw[0] - 1) / static_cast<ptrdiff_t>(sizeof(void*)));
    return entry - 1;   // the destructor's second entry
}

}  // namespace

TEST(CWndLayout, VirtualOperationsKeepTheirSlots)
{
    typedef HWND (CWnd::*Create10)(const char*, const char*, DWORD, int, int, int, int, HWND, HMENU, void*);
    typedef HWND (CWnd::*Create7)(const char*, const char*, DWORD, const RECT*, HWND, HMENU, void*);
    typedef HWND (CWnd::*Create0)();
    typedef HWND (CWnd::*CreateEx11)(DWORD, const char*, const char*, DWORD, int, int, int, int, HWND, HMENU, void*);
    typedef HWND (CWnd::*CreateEx8)(DWORD, const char*, const char*, DWORD, const RECT*, HWND, HMENU, void*);

    EXPECT_EQ(1, SlotOf(static_cast<Create10>(&CWnd::Create)));
    EXPECT_EQ(2, SlotOf(static_cast<Create7>(&CWnd::Create)));
    EXPECT_EQ(3, SlotOf(static_cast<Create0>(&CWnd::Create)));
    EXPECT_EQ(4, SlotOf(static_cast<CreateEx11>(&CWnd::CreateEx)));
    EXPECT_EQ(5, SlotOf(static_cast<CreateEx8>(&CWnd::CreateEx)));
    EXPECT_EQ(6, SlotOf(&CWnd::DoModal));
    EXPECT_EQ(7, SlotOf(&CWnd::IsTransparent));
    EXPECT_EQ(8, SlotOf(&CWnd::PrepareDC));
    EXPECT_EQ(9, SlotOf(&CWnd::UpdateColors));
    EXPECT_EQ(10, SlotOf(&CWnd::Paint));
    EXPECT_EQ(11, SlotOf(&CWnd::PaintBackground));
    EXPECT_EQ(12, SlotOf(&CWnd::OnCreate));
    EXPECT_EQ(13, SlotOf(&CWnd::OnDestroy));
    EXPECT_EQ(14, SlotOf(&CWnd::OnSysCommand));
    EXPECT_EQ(17, SlotOf(&CWnd::OnPaint));
    EXPECT_EQ(18, SlotOf(&CWnd::OnEraseBkgnd));
    EXPECT_EQ(23, SlotOf(&CWnd::OnTimer));
    EXPECT_EQ(24, SlotOf(&CWnd::OnSize));
    EXPECT_EQ(35, SlotOf(&CWnd::Reserved1));
    EXPECT_EQ(36, SlotOf(&CWnd::Reserved2));
    EXPECT_EQ(39, SlotOf(&CWnd::OnMouseMove));
    EXPECT_EQ(51, SlotOf(&CWnd::OnCaptureChanged));
    EXPECT_EQ(61, SlotOf(&CWnd::OnCtlColor));
    EXPECT_EQ(66, SlotOf(&CWnd::OnDdeAck));
    EXPECT_EQ(67, SlotOf(&CWnd::CreateWindowHook));
    EXPECT_EQ(70, SlotOf(&CWnd::DefWindowProc));
    EXPECT_EQ(73, SlotOf(&CWnd::PreDispatch));
    EXPECT_EQ(74, SlotOf(&CWnd::WindowProc));
    EXPECT_EQ(76, SlotOf(&CWnd::GetToolTipText));
    EXPECT_EQ(81, SlotOf(&CWnd::OnZoneEnter));
    EXPECT_EQ(82, SlotOf(&CWnd::OnZoneExit));
    EXPECT_EQ(85, SlotOf(&CWnd::OnRClick));
    EXPECT_EQ(86, SlotOf(&CWnd::LoadData));
    EXPECT_EQ(87, SlotOf(&CWnd::SaveData));
}
