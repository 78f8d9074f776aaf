#pragma once
// A stand-in for the host wrapper's Wrapper object: it records the descriptions the plug-in
// hands it and can be told to refuse them.
#include <windows.h>

#include <string>
#include <vector>

#include "kvo_winamp_gen.h"

namespace sqtest {

class StandInWrapper final : public Wrapper {
public:
    explicit StandInWrapper(HWND player = nullptr) : player_(player) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetPlayerWindow(long* hwnd) override;
    STDMETHODIMP SetDescription(BSTR description) override;

    // Failure to answer SetDescription with (S_OK for none).
    HRESULT refuse_with = S_OK;
    std::vector<std::wstring> descriptions;
    LONG references() const { return refs_; }

private:
    HWND player_;
    volatile LONG refs_ = 1;  // the test's own reference; the object lives on the test's stack
};

}  // namespace sqtest
