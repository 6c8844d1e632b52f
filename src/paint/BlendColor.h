// The colour arithmetic every drawing step shares: the blend of two colours at
// pos/range of the way from c1 to c2, optionally reshaped by a quarter circle.
#pragma once

#include <windows.h>

enum {
    BLEND_LINEAR = 0,   // straight line
    BLEND_CONVEX = 1,   // rises fast at the start, flattens at the end
    BLEND_CONCAVE = 2   // flat at the start, steep at the end
};

int ShapePosition(int pos, int range, int curve);
// Bits 24-31 of the inputs are ignored; the result's top byte is 0.
COLORREF BlendColor(COLORREF c1, COLORREF c2, int pos, int range, int curve);
