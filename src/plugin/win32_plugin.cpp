#include "plugin/win32_plugin.h"

#include "common/win32_ansi_text.h"
#include "common/win32_com_boundary.h"
#include "common/win32_debug_trace.h"
#include "common/win32_unique_handle.h"
#include "ui/win32_frm_main.h"

namespace sq {

const char kPluginDescription[] = "Sonoquill by Robin Hale";

STDMETHODIMP Plugin::Initialize(Wrapper* wrapper) {
    return HresultAtBoundary(L"Plugin::Initialize", [&] {
        wrapper_ = wrapper;
        if (!wrapper_) return E_POINTER;
        const UniqueBstr description(BstrFromAnsi(kPluginDescription));
        if (!description) return E_OUTOFMEMORY;
        if (HRESULT hr = wrapper_->SetDescription(description.get()); FAILED(hr)) {
            // The window is not loaded and the countdown does not start.
            TraceFailure(L"Plugin::Initialize", L"the host refused the description", hr);
            return hr;
        }
        // The player's main window, whatever its class; a host that cannot say leaves the window
        // to be looked for by its class.
        long player_window = 0;
        if (SUCCEEDED(wrapper_->GetPlayerWindow(&player_window)) && player_window) {
            frmMain::Instance().HandOverPlayerWindow(reinterpret_cast<HWND>(static_cast<LONG_PTR>(player_window)));
        }
        const HRESULT loaded = frmMain::Instance().Load();
        if (FAILED(loaded)) TraceFailure(L"Plugin::Initialize", L"the control window could not be loaded", loaded);
        return loaded;
    });
}

STDMETHODIMP Plugin::Configure() {
    return HresultAtBoundary(L"Plugin::Configure", [] {
        const HRESULT hr = frmMain::Instance().ShowModal();
        if (FAILED(hr)) TraceFailure(L"Plugin::Configure", L"the control window could not be shown", hr);
        return hr;
    });
}

// The window, its countdown and any transfer live on until the host process ends.
STDMETHODIMP Plugin::Quit() { return S_OK; }

}  // namespace sq
