// CWndEx_Clr: gradient settings, their persistence, and the window events that
// keep the gradient whole (no class brush, a full repaint on resizing).
#include <windows.h>
#include "paint/CWndEx_Clr.h"
#include "frame/Globals_int.h"

namespace {

const char kColorsValue[] = "dColorsPlus";

// The persisted record: the four fields in their declaration order.
struct ColorsRecord {
    COLORREF gradientColor;
    DWORD gradientFlags;
    int blendPos;
    int blendRange;
};
static_assert(sizeof(ColorsRecord) == 16, "the colour record is 16 bytes");
static_assert(sizeof(CWndEx_Clr) == sizeof(CWnd) + sizeof(ColorsRecord), "the four fields follow CWnd's");

}  // namespace

CWndEx_Clr::CWndEx_Clr()
    : gradientColor(RGB(247, 233, 213)), gradientFlags(GF_ON), blendPos(24), blendRange(32)
{
}

CWndEx_Clr::CWndEx_Clr(const CWndEx_Clr& other)
    : CWnd(other),
      gradientColor(other.gradientColor),
      gradientFlags(other.gradientFlags),
      blendPos(other.blendPos),
      blendRange(other.blendRange)
{
}

CWndEx_Clr& CWndEx_Clr::operator=(const CWndEx_Clr& other)
{
    CWnd::operator=(other);
    gradientColor = other.gradientColor;
    gradientFlags = other.gradientFlags;
    blendPos = other.blendPos;
    blendRange = other.blendRange;
    return *this;
}

CWndEx_Clr::~CWndEx_Clr()
{
}

bool CWndEx_Clr::HasGradientColor() { return (gradientFlags & GF_ON) != 0; }
int CWndEx_Clr::SaveLoad() { return (gradientFlags & GF_SAVELOAD) != 0; }
void CWndEx_Clr::SetGradientColorHorz() { gradientFlags |= GF_HORZ; }
void CWndEx_Clr::SetGradientColorVert() { gradientFlags &= ~static_cast<DWORD>(GF_HORZ); }
void CWndEx_Clr::SetGradientColorWhite() { gradientFlags &= ~static_cast<DWORD>(GF_BLACK); }
void CWndEx_Clr::SetGradientColorBlack() { gradientFlags |= GF_BLACK; }
void CWndEx_Clr::SetGradientColorDouble() { gradientFlags |= GF_DOUBLE; }
void CWndEx_Clr::SetSaveAndLoadGradient() { gradientFlags |= GF_SAVELOAD; }

void CWndEx_Clr::SetGradientEnabled(bool bEnabled)
{
    if (bEnabled)
        gradientFlags |= GF_ON;
    else
        gradientFlags &= ~static_cast<DWORD>(GF_ON);
}

// The gradient paints every pixel of the background itself; a class brush
// would only make the system erase it first and flicker.
BOOL CWndEx_Clr::OnCreate(CREATESTRUCTA* pCS)
{
    if (!CWnd::OnCreate(pCS))
        return FALSE;
    if (gradientFlags & GF_ANY) {
        HBRUSH hOld = SetBrush(static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
        if (hOld != NULL)
            ::DeleteObject(hOld);
    }
    return TRUE;
}

// The colours of a gradient depend on the window's size, so every pixel
// changes when it does.
void CWndEx_Clr::OnSize(UINT uType, int cx, int cy)
{
    CWnd::OnSize(uType, cx, cy);
    if (g_bOwnerDrawn && (gradientFlags & GF_ANY) && !(uType & 1))
        ::InvalidateRect(m_hWnd, NULL, FALSE);
}

int CWndEx_Clr::LoadData(int nKind)
{
    const int nResult = CWnd::LoadData(nKind);
    if (nKind == 0 && SaveLoad()) {
        // Read into a record of our own: a failed read must leave the fields as
        // they were, and a shorter record replaces only its leading bytes.
        ColorsRecord rec = {gradientColor, gradientFlags, blendPos, blendRange};
        DWORD dwSize = sizeof(rec);
        if (LoadRegBinary(kColorsValue, &rec, &dwSize)) {
            gradientColor = rec.gradientColor;
            gradientFlags = rec.gradientFlags;
            blendPos = rec.blendPos;
            blendRange = rec.blendRange;
        }
    }
    return nResult;
}

// Kinds 0 to 2, as for the window rectangle: a cancelled dialog keeps its colours too.
void CWndEx_Clr::SaveData(int nKind)
{
    CWnd::SaveData(nKind);
    if (nKind >= 0 && nKind <= 2 && SaveLoad()) {
        const ColorsRecord rec = {gradientColor, gradientFlags, blendPos, blendRange};
        SaveRegBinary(kColorsValue, &rec, sizeof(rec));
    }
}
