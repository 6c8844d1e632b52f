#include <windows.h>
#include <gtest/gtest.h>
#include "paint/BlendColor.h"
TEST(BlendColor, Placeholder) { EXPECT_EQ(0u, BlendColor(0, 0, 0, 1, 0)); }
