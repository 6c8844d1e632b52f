// Painting gives back every GDI object it makes. GetGuiResources tells nothing
// under Wine, so the free room of the process's handle table is measured by
// filling it, and painting is also tried with the table all but full.
#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <vector>
#include "common/TestUtil.h"
#include "paint/DrawFrames_int.h"
#include "PaintTestUtil.h"

namespace {

// Holds pens until the handle table is full, or until `keepFree` are left.
class HandleFiller {
public:
    explicit HandleFiller(size_t keepFree = 0)
    {
        for (;;) {
            HPEN h = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(m_pens.size() & 0xFFFFFF));
            if (h == NULL)
                break;
            m_pens.push_back(h);
        }
        for (size_t i = 0; i < keepFree && !m_pens.empty(); ++i) {
            DeleteObject(m_pens.back());
            m_pens.pop_back();
        }
    }
    ~HandleFiller()
    {
        for (HPEN h : m_pens)
            DeleteObject(h);
    }
    size_t count() const { return m_pens.size(); }

private:
    std::vector<HPEN> m_pens;
};

size_t FreeHandles()
{
    return HandleFiller().count();
}

const int kPaints = 3000;
const size_t kHeadroom = 1000;

}  // namespace

TEST(GdiLeaks, EveryPaintingStepGivesItsObjectsBack)
{
    ScopedPrefs prefs(true, false);
    CTestGradientWnd wnd;
    ASSERT_NE(nullptr, wnd.CreatePopup(4, 4, RGB(0, 0, 0)));
    wnd.blendPos = wnd.blendRange = 1;
    TestBitmap bmp(4, 4);
    const RECT rc = {0, 0, 4, 4};
    struct {
        const char* name;
        std::function<void()> paint;
    } steps[] = {
        {"vertical gradient",
         [&] {
             wnd.gradientFlags = CWndEx_Clr::GF_ON;
             wnd.Erase(bmp.dc(), rc);
         }},
        {"horizontal mirrored gradient",
         [&] {
             wnd.gradientFlags = CWndEx_Clr::GF_ON | CWndEx_Clr::GF_HORZ | CWndEx_Clr::GF_MIRROR;
             wnd.Erase(bmp.dc(), rc);
         }},
        {"back colour fill",
         [&] {
             wnd.gradientFlags = CWndEx_Clr::GF_HORZ;
             wnd.Erase(bmp.dc(), rc);
         }},
        {"PrepareDC", [&] { wnd.PrepareDC(bmp.dc()); }},
        {"pen and gradient frames",
         [&] {
             DrawPenFrame(bmp.dc(), &rc, RGB(9, 9, 9), PS_SOLID);
             RECT rcRing = {1, 1, 2, 2};
             DrawTwoColorFrame(bmp.dc(), &rcRing, RGB(20, 20, 20), RGB(30, 30, 30));
             DrawGradientFrame(bmp.dc(), &rc, RGB(50, 60, 70), 2, false);
         }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        bmp.Fill(RGB(0, 0, 0));
        s.paint();   // also makes whatever the system caches on first use
        std::vector<COLORREF> expected;
        for (int i = 0; i < 16; ++i)
            expected.push_back(bmp.Pixel(i % 4, i / 4));
        const size_t before = FreeHandles();
        for (int i = 0; i < kPaints; ++i)
            s.paint();
        EXPECT_LE(before, FreeHandles() + 8);

        // With the table all but full, a leak would exhaust it on the way.
        {
            HandleFiller filler(kHeadroom);
            for (int i = 0; i < kPaints; ++i)
                s.paint();
            bmp.Fill(RGB(0, 0, 0));
            s.paint();
            for (int i = 0; i < 16; ++i)
                EXPECT_EQ(expected[i], bmp.Pixel(i % 4, i / 4)) << "pixel " << i % 4 << "," << i / 4;
        }
    }
    wnd.DestroyWindow();
}
