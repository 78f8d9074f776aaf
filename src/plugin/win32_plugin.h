#pragma once
#include "common/win32_com_ptr.h"
#include "common/win32_com_object.h"
#include "sonoquill_wa.h"

namespace sq {

// Sonoquill_WA.Plugin: the object the host wrapper creates and drives.
class Plugin final : public ComObject<Plugin, _Plugin, IKvoWinAmpGenPlugin> {
public:
    static HRESULT Create(REFIID iid, void** out) { return Make(iid, out); }

    STDMETHODIMP Initialize(Wrapper* wrapper) override;
    STDMETHODIMP Configure() override;
    STDMETHODIMP Quit() override;

private:
    ComPtr<Wrapper> wrapper_;  // the host's wrapper, held until this object ends
};

// The text the host shows for the plug-in in the player's list.
extern const char kPluginDescription[];

}  // namespace sq
