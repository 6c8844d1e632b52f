// Test programs link the library statically: give it the set-up the DLL
// entry point would, with the test program as the library's module.
#include <windows.h>
#include <gtest/gtest.h>
#include "frame/Globals_int.h"

int main(int argc, char** argv)
{
    CmnDllProcessAttach(GetModuleHandleA(NULL));
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CmnDllProcessDetach();
    return result;
}
