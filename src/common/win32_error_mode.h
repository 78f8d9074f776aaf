#pragma once
// The system must not put up a box of its own in front of the player: no "insert a disk" for an
// empty drive, none for a DLL that is missing or damaged. While a NoCriticalErrorBox lives, such
// a failure only fails the call that met it.
#include <windows.h>

namespace sq {

class NoCriticalErrorBox {
public:
    NoCriticalErrorBox() noexcept { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
    ~NoCriticalErrorBox() { ::SetThreadErrorMode(old_, nullptr); }
    NoCriticalErrorBox(const NoCriticalErrorBox&) = delete;
    NoCriticalErrorBox& operator=(const NoCriticalErrorBox&) = delete;

private:
    DWORD old_ = 0;
};

}  // namespace sq
