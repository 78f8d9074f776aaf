#include "common/module.h"

namespace sq {
namespace {

HINSTANCE g_instance = nullptr;
volatile LONG g_lock_count = 0;

}  // namespace

HINSTANCE ModuleInstance() { return g_instance ? g_instance : ::GetModuleHandleW(nullptr); }

void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(ModuleInstance(), path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ModuleLock::Add() noexcept { ::InterlockedIncrement(&g_lock_count); }
void ModuleLock::Remove() noexcept { ::InterlockedDecrement(&g_lock_count); }
long ModuleLock::Count() noexcept { return g_lock_count; }

}  // namespace sq
