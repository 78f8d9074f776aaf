#include "common/com_ptr.h"
#include "plugin/com_object.h"
#include "plugin/module.h"

namespace sq {

HRESULT LoadModuleTypeInfo(REFIID iid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeLib> library;
    // The type library is resource 1 of this DLL; REGKIND_NONE keeps the registry untouched.
    const HRESULT hr = ::LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, library.put());
    if (FAILED(hr)) return hr;
    return library->GetTypeInfoOfGuid(iid, info);
}

}  // namespace sq
