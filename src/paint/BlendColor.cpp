#include <windows.h>
#include <cmath>
#include "paint/BlendColor.h"

namespace {

// Wraps like the 32-bit products the curve is defined with, without the
// undefined behaviour of signed overflow.
int Wrap32(long long v)
{
    return static_cast<int>(static_cast<unsigned int>(v));
}

}  // namespace

int ShapePosition(int pos, int range, int curve)
{
    if (curve == BLEND_LINEAR || pos == 0)
        return pos;
    if (pos == range)
        return range;

    int shaped = pos;
    if (curve == BLEND_CONVEX) {
        // The quarter circle of radius range, in 32-bit arithmetic.
        const int t = Wrap32((2 * static_cast<long long>(range) - pos) * pos);
        shaped = t < 0 ? range : static_cast<int>(std::sqrt(static_cast<double>(t)));
    } else if (curve == BLEND_CONCAVE) {
        const int t = Wrap32(static_cast<long long>(range) * range - static_cast<long long>(pos) * pos);
        shaped = t < 0 ? range : range - static_cast<int>(std::sqrt(static_cast<double>(t)));
    }
    return shaped > range ? range : shaped;
}

namespace {

int BlendChannel(COLORREF c1, COLORREF c2, int shift, int k, int range)
{
    const int a = static_cast<int>((c1 >> shift) & 0xFF);
    const int b = static_cast<int>((c2 >> shift) & 0xFF);
    return (a + MulDiv(b - a, k, range)) & 0xFF;
}

}  // namespace

COLORREF BlendColor(COLORREF c1, COLORREF c2, int pos, int range, int curve)
{
    // An empty range has no way between the colours; stay at the start rather
    // than divide by zero.
    if (range == 0)
        return c1 & 0x00FFFFFF;
    if (pos > range)
        pos = range;
    const int k = ShapePosition(pos, range, curve);
    const int r = BlendChannel(c1, c2, 0, k, range);
    const int g = BlendChannel(c1, c2, 8, k, range);
    const int b = BlendChannel(c1, c2, 16, k, range);
    return RGB(r, g, b);
}
