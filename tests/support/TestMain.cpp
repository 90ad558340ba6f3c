// Entry of every test executable: the library is started and shut down around the tests exactly
// as Lumo.exe does around its application object.
#include <gtest/gtest.h>
#include <windows.h>

#include "media/KLibrary.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    KInitLibrary(GetModuleHandleW(nullptr));
    int result = RUN_ALL_TESTS();
    KTermLibrary();
    return result;
}
