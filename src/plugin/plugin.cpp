#include "plugin/plugin.h"

#include "common/ansi_text.h"
#include "ui/frm_main.h"

namespace sq {

const char kPluginDescription[] = "Sonoquill by Robin Hale";

STDMETHODIMP Plugin::Initialize(Wrapper* wrapper) {
    try {
        wrapper_ = wrapper;
        if (!wrapper_) return E_POINTER;
        BSTR description = BstrFromAnsi(kPluginDescription);
        if (!description) return E_OUTOFMEMORY;
        const HRESULT hr = wrapper_->SetDescription(description);
        ::SysFreeString(description);
        if (FAILED(hr)) return hr;  // the window is not loaded and the countdown does not start
        return frmMain::Instance().Load();
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP Plugin::Configure() {
    try {
        return frmMain::Instance().ShowModal();
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// The window, its countdown and any transfer live on until the host process ends.
STDMETHODIMP Plugin::Quit() { return S_OK; }

}  // namespace sq
