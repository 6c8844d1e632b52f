// Loads the real cmndll.dll the way a host does and drives it through its
// exported interface only.
#include <windows.h>
#include <gtest/gtest.h>
#include <cmndll.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
