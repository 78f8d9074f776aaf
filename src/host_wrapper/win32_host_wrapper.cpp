#include "host_wrapper/win32_host_wrapper.h"

#include "common/win32_ansi_text.h"
#include "common/win32_com_boundary.h"

namespace sq {

HostWrapper* HostWrapper::Create(HWND player, DescriptionSink* sink) noexcept {
    return new (std::nothrow) HostWrapper(player, sink);
}

STDMETHODIMP HostWrapper::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_Wrapper)) {
        *out = static_cast<Wrapper*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) HostWrapper::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) HostWrapper::Release() {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP HostWrapper::GetPlayerWindow(long* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = static_cast<long>(reinterpret_cast<LONG_PTR>(player_));
    return S_OK;
}

STDMETHODIMP HostWrapper::SetDescription(BSTR description) {
    return HresultAtBoundary(L"Wrapper.SetDescription", [&] {
        if (!sink_) return E_UNEXPECTED;
        sink_->text = AnsiFromBstr(description);
        if (sink_->published) *sink_->published = sink_->text.data();
        return S_OK;
    });
}

}  // namespace sq
