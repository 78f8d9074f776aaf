#pragma once
// The DLL's embedded type library, loaded once and shared by every object of ours: IDispatch of
// each dual interface is answered by that interface's type information.
#include <windows.h>
#include <oaidl.h>

namespace sq {

// The type information of one of our dual interfaces; the caller owns the reference. A library
// that cannot be loaded is tried again on the next call.
HRESULT GetModuleTypeInfo(REFIID iid, ITypeInfo** info) noexcept;

// Drops the cached library and type information. Called when the DLL is unloaded after COM found
// it unused; never at process end, when the system libraries may already be gone.
void ReleaseModuleTypeLibrary() noexcept;

}  // namespace sq
