#pragma once
// What the DLL knows about itself: its instance handle and how many of its objects are alive.
#include <windows.h>

#include <string>

namespace sq {

// The DLL's own instance (never the player's EXE); falls back to the EXE in test programs that
// link the shell directly.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
// The full path of a module: this DLL's unless another is named.
std::wstring ModulePath(HMODULE module = ModuleInstance());

// Objects, server locks, the window and pending transfers each hold one count; DllCanUnloadNow
// answers S_OK only at zero. An object of the class holds one count for as long as it lives.
class ModuleLock {
public:
    ModuleLock() noexcept { Add(); }
    ~ModuleLock() { Remove(); }
    ModuleLock(const ModuleLock&) = delete;
    ModuleLock& operator=(const ModuleLock&) = delete;

    static void Add() noexcept;
    static void Remove() noexcept;
    static long Count() noexcept;
};

}  // namespace sq
