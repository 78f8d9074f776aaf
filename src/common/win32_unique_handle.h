#pragma once
// The Win32 handle kinds, each owned through the one owning-handle template.
#include <windows.h>
#include <oleauto.h>
#include <wininet.h>

#include "common/owning_handle.h"

namespace sq {

#define SQ_HANDLE_TRAITS(Name, HandleType, EmptyValue, CloseCall)      \
    struct Name {                                                        \
        using Handle = HandleType;                                       \
        static Handle Empty() noexcept { return EmptyValue; }            \
        static void Close(Handle h) noexcept { CloseCall; }              \
    }

SQ_HANDLE_TRAITS(RegKeyTraits, HKEY, nullptr, ::RegCloseKey(h));
SQ_HANDLE_TRAITS(FileTraits, HANDLE, INVALID_HANDLE_VALUE, ::CloseHandle(h));
SQ_HANDLE_TRAITS(KernelTraits, HANDLE, nullptr, ::CloseHandle(h));
SQ_HANDLE_TRAITS(FindTraits, HANDLE, INVALID_HANDLE_VALUE, ::FindClose(h));
SQ_HANDLE_TRAITS(InternetTraits, HINTERNET, nullptr, ::InternetCloseHandle(h));
SQ_HANDLE_TRAITS(GdiTraits, HGDIOBJ, nullptr, ::DeleteObject(h));
SQ_HANDLE_TRAITS(MemoryDcTraits, HDC, nullptr, ::DeleteDC(h));
SQ_HANDLE_TRAITS(GlobalTraits, HGLOBAL, nullptr, ::GlobalFree(h));
SQ_HANDLE_TRAITS(BstrTraits, BSTR, nullptr, ::SysFreeString(h));
SQ_HANDLE_TRAITS(LibraryTraits, HMODULE, nullptr, ::FreeLibrary(h));
// A window the system may have destroyed already, with its thread or its parent.
SQ_HANDLE_TRAITS(WindowTraits, HWND, nullptr, if (::IsWindow(h)) ::DestroyWindow(h));
#undef SQ_HANDLE_TRAITS

using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
// Processes, threads, events: kernel objects whose empty value is NULL.
using UniqueKernelHandle = UniqueHandle<KernelTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueInternet = UniqueHandle<InternetTraits>;
using UniqueGdi = UniqueHandle<GdiTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueGlobal = UniqueHandle<GlobalTraits>;
using UniqueBstr = UniqueHandle<BstrTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;

}  // namespace sq
