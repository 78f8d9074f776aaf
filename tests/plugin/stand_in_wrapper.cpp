#include "plugin/stand_in_wrapper.h"

namespace sqtest {

STDMETHODIMP StandInWrapper::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_Wrapper) {
        *out = static_cast<Wrapper*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) StandInWrapper::Release() { return static_cast<ULONG>(::InterlockedDecrement(&refs_)); }

STDMETHODIMP StandInWrapper::GetPlayerWindow(long* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = static_cast<long>(reinterpret_cast<LONG_PTR>(player_));
    return S_OK;
}

STDMETHODIMP StandInWrapper::SetDescription(BSTR description) {
    descriptions.emplace_back(description ? description : L"");
    return refuse_with;
}

}  // namespace sqtest
