#pragma once
#include "common/win32_com_boundary.h"
#include "common/win32_com_object.h"

namespace sq {

// The class factory of one creatable class: `Create(iid, out)` makes the object.
using CreateFunction = HRESULT (*)(REFIID iid, void** out);

class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
public:
    explicit ClassFactory(CreateFunction create) noexcept : create_(create) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return HresultAtBoundary(L"IClassFactory::CreateInstance", [&] { return create_(iid, out); });
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock) ModuleLock::Add(); else ModuleLock::Remove();
        return S_OK;
    }

private:
    CreateFunction create_;
};

}  // namespace sq
