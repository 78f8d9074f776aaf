#pragma once
// IUnknown and IDispatch written once. A class lists its interfaces:
//     class Plugin final : public ComObject<Plugin, _Plugin, IKvoWinAmpGenPlugin> { ... };
// QueryInterface searches that list; IDispatch, when one of the interfaces is dual, is served
// by the embedded type library's ITypeInfo for that interface (loaded once per DLL).
#include <windows.h>
#include <oaidl.h>

#include <new>
#include <type_traits>

#include "common/win32_com_boundary.h"
#include "common/win32_com_ptr.h"
#include "common/win32_module.h"
#include "common/win32_type_library.h"

namespace sq {

namespace detail {

template <typename... Is>
struct FirstDispatch {
    using type = void;
};
template <typename I, typename... Rest>
struct FirstDispatch<I, Rest...> {
    using type = std::conditional_t<std::is_base_of_v<IDispatch, I>, I, typename FirstDispatch<Rest...>::type>;
};

}  // namespace detail

template <typename Derived, typename... Interfaces>
class ComObject : public Interfaces... {
    using Dispatch = typename detail::FirstDispatch<Interfaces...>::type;

public:
    // Creates an object and hands out the asked-for interface; the caller owns that reference.
    template <typename... Args>
    static HRESULT Make(REFIID iid, void** out, Args&&... args) {
        if (!out) return E_POINTER;
        *out = nullptr;
        Derived* object = new (std::nothrow) Derived(std::forward<Args>(args)...);
        if (!object) return E_OUTOFMEMORY;
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();  // drops the creation reference; the object lives on through *out
        return hr;
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown) {
            *out = static_cast<IUnknown*>(static_cast<FirstInterface*>(this));
        } else if constexpr (!std::is_void_v<Dispatch>) {
            if (iid == IID_IDispatch) *out = static_cast<IDispatch*>(static_cast<Dispatch*>(this));
        }
        if (!*out) FindInterface<Interfaces...>(iid, out);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() {
        const LONG left = ::InterlockedDecrement(&refs_);
        if (left == 0) delete static_cast<Derived*>(this);
        return static_cast<ULONG>(left);
    }

    // IDispatch, delegated to the type library (these override only when a base is dual).
    STDMETHODIMP GetTypeInfoCount(UINT* count) {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return DispatchTypeInfo(info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
        return HresultAtBoundary(L"GetIDsOfNames", [&] {
            ComPtr<ITypeInfo> info;
            if (HRESULT hr = DispatchTypeInfo(info.put()); FAILED(hr)) return hr;
            return ::DispGetIDsOfNames(info.get(), names, count, ids);
        });
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                        UINT* arg_error) {
        if constexpr (std::is_void_v<Dispatch>) {
            return E_NOTIMPL;
        } else {
            return HresultAtBoundary(L"Invoke", [&] {
                ComPtr<ITypeInfo> info;
                if (HRESULT hr = DispatchTypeInfo(info.put()); FAILED(hr)) return hr;
                return info->Invoke(static_cast<Dispatch*>(this), id, flags, params, result, excep, arg_error);
            });
        }
    }

    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

protected:
    ComObject() noexcept { ModuleLock::Add(); }
    virtual ~ComObject() { ModuleLock::Remove(); }

private:
    template <typename First, typename...>
    struct Front {
        using type = First;
    };
    using FirstInterface = typename Front<Interfaces...>::type;

    template <typename I, typename... Rest>
    void FindInterface(REFIID iid, void** out) {
        if (iid == __uuidof(I)) {
            *out = static_cast<I*>(this);
            return;
        }
        if constexpr (sizeof...(Rest) > 0) FindInterface<Rest...>(iid, out);
    }

    static HRESULT DispatchTypeInfo(ITypeInfo** info) {
        if constexpr (std::is_void_v<Dispatch>) {
            return E_NOTIMPL;
        } else {
            return GetModuleTypeInfo(__uuidof(Dispatch), info);
        }
    }

    volatile LONG refs_ = 1;
};

}  // namespace sq
