#pragma once
// The calling thread in a single-threaded COM apartment for as long as the object lives. Every
// success of CoInitializeEx (S_FALSE too, where the thread was in one already) is balanced; a
// thread in the multithreaded apartment (Winamp 5.x's main thread) answers RPC_E_CHANGED_MODE and
// stays as it is, with nothing to undo.
#include <objbase.h>

namespace sq {

class ComApartment {
public:
    ComApartment() noexcept : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(hr_)) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // What CoInitializeEx answered.
    HRESULT result() const noexcept { return hr_; }

private:
    HRESULT hr_;
};

}  // namespace sq
