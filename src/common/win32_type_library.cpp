#include "common/win32_type_library.h"

#include <new>

#include "common/win32_com_ptr.h"
#include "common/win32_module.h"

namespace sq {
namespace {

// Our library has two dual interfaces; a little room to spare costs nothing.
constexpr size_t kCachedInfos = 4;

struct CachedInfo {
    IID iid;
    ITypeInfo* info;
};

// Plain pointers, not owning objects: a static destructor would release them at process end,
// when ole32 may already be gone. ReleaseModuleTypeLibrary lets them go at a safe moment.
ITypeLib* g_library = nullptr;
CachedInfo g_infos[kCachedInfos] = {};
// Objects may be created on several script threads at once.
SRWLOCK g_lock = SRWLOCK_INIT;

class ExclusiveLock {
public:
    ExclusiveLock() noexcept { ::AcquireSRWLockExclusive(&g_lock); }
    ~ExclusiveLock() { ::ReleaseSRWLockExclusive(&g_lock); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
};

HRESULT EnsureLibrary() {
    if (g_library) return S_OK;
    // The type library is resource 1 of this DLL; REGKIND_NONE keeps the registry untouched.
    return ::LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &g_library);
}

}  // namespace

HRESULT GetModuleTypeInfo(REFIID iid, ITypeInfo** info) noexcept {
    if (!info) return E_POINTER;
    *info = nullptr;
    try {
        ExclusiveLock lock;
        if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
        CachedInfo* free_slot = nullptr;
        for (CachedInfo& slot : g_infos) {
            if (slot.info && slot.iid == iid) {
                slot.info->AddRef();
                *info = slot.info;
                return S_OK;
            }
            if (!slot.info && !free_slot) free_slot = &slot;
        }
        ComPtr<ITypeInfo> loaded;
        if (HRESULT hr = g_library->GetTypeInfoOfGuid(iid, loaded.put()); FAILED(hr)) return hr;
        if (free_slot) *free_slot = CachedInfo{iid, ComPtr<ITypeInfo>(loaded).detach()};
        *info = loaded.detach();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

void ReleaseModuleTypeLibrary() noexcept {
    ExclusiveLock lock;
    for (CachedInfo& slot : g_infos) {
        if (slot.info) slot.info->Release();
        slot = CachedInfo{};
    }
    if (g_library) g_library->Release();
    g_library = nullptr;
}

}  // namespace sq
