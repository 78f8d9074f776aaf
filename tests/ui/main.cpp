// The frmMain tests run on one thread, as the player's user-interface thread would.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

int main(int argc, char** argv) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}
