#include "common/win32_module.h"

#include <memory>

namespace sq {
namespace {

HINSTANCE g_instance = nullptr;
volatile LONG g_lock_count = 0;

}  // namespace

HINSTANCE ModuleInstance() { return g_instance ? g_instance : ::GetModuleHandleW(nullptr); }

void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

std::wstring ModulePath(HMODULE module) {
    // A path may be longer than MAX_PATH: the buffer doubles until the whole of it fits.
    for (DWORD size = MAX_PATH;; size *= 2) {
        const std::unique_ptr<wchar_t[]> buffer(new wchar_t[size]);
        const DWORD n = ::GetModuleFileNameW(module, buffer.get(), size);
        if (n == 0) return {};
        if (n < size) return std::wstring(buffer.get(), n);
    }
}

void ModuleLock::Add() noexcept { ::InterlockedIncrement(&g_lock_count); }
void ModuleLock::Remove() noexcept { ::InterlockedDecrement(&g_lock_count); }
long ModuleLock::Count() noexcept { return g_lock_count; }

}  // namespace sq
