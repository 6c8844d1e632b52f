// The shared colour arithmetic, with the published examples as a table.
#include <windows.h>
#include <gtest/gtest.h>
#include "paint/BlendColor.h"

TEST(ShapePosition, Curves)
{
    struct {
        int pos, range, curve, expected;
    } cases[] = {
        {50, 100, BLEND_LINEAR, 50},
        {50, 100, BLEND_CONVEX, 86},    // floor(sqrt(150 * 50))
        {50, 100, BLEND_CONCAVE, 14},   // 100 - floor(sqrt(10000 - 2500))
        {0, 100, BLEND_CONVEX, 0},
        {100, 100, BLEND_CONCAVE, 100},
        {1, 100, BLEND_CONVEX, 14},
        {99, 100, BLEND_CONCAVE, 86},
        {30, 100, 7, 30},               // unknown curves keep the position
        {150, 100, BLEND_CONVEX, 86},   // beyond the range: the circle falls again
        {250, 100, BLEND_CONCAVE, 100}, // no real root: limited to the range
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pos << "/" << c.range << " curve " << c.curve);
        EXPECT_EQ(c.expected, ShapePosition(c.pos, c.range, c.curve));
    }
}

TEST(BlendColor, Examples)
{
    struct {
        COLORREF c1, c2;
        int pos, range, curve;
        COLORREF expected;
    } cases[] = {
        {0x000000, 0x0000FF, 1, 3, BLEND_LINEAR, 0x000055},     // 255/3 = 85 exactly
        {0x000000, 0x0000FF, 1, 2, BLEND_LINEAR, 0x000080},     // 127.5 rounds away from zero
        {0x0000FF, 0x000000, 1, 2, BLEND_LINEAR, 0x00007F},     // -127.5 too
        {0x204060, 0xFFFFFF, 1, 2, BLEND_LINEAR, 0x90A0B0},     // midpoint with white
        {0x000000, 0x3090F0, 2, 3, BLEND_LINEAR, 0x2060A0},     // two thirds from black
        {0xFF123456, 0xFFFFFFFF, 0, 5, BLEND_LINEAR, 0x123456}, // top bytes ignored
        {0x000000, 0xFFFFFFFF, 1, 1, BLEND_LINEAR, 0xFFFFFF},   // 0xFFFFFFFF blends as white
        {0x000000, 0x0000FF, 50, 100, BLEND_CONVEX, 0x0000DB},  // 255 * 86 / 100 = 219.3
        {0x000000, 0x0000FF, 50, 100, BLEND_CONCAVE, 0x000024}, // 255 * 14 / 100 = 35.7
        {0x112233, 0x445566, 9, 0, BLEND_LINEAR, 0x112233},     // empty range: no division
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.c1 << " -> " << c.c2 << std::dec << " at " << c.pos
                                        << "/" << c.range);
        EXPECT_EQ(c.expected, BlendColor(c.c1, c.c2, c.pos, c.range, c.curve));
    }
}

TEST(BlendColor, EndsAreTheInputsForEveryCurve)
{
    for (int curve = 0; curve <= 2; ++curve) {
        EXPECT_EQ(0x123456u, BlendColor(0x123456, 0xABCDEF, 0, 10, curve));
        EXPECT_EQ(0xABCDEFu, BlendColor(0x123456, 0xABCDEF, 10, 10, curve));
        EXPECT_EQ(0xABCDEFu, BlendColor(0x123456, 0xABCDEF, 11, 10, curve));
    }
}
