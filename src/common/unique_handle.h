#pragma once
// One owning-handle template for every Win32 handle kind, with an explicit empty value.
#include <windows.h>
#include <oleauto.h>
#include <wininet.h>

#include <utility>

namespace sq {

// Traits give the handle type, its empty value and how to close it.
template <typename Traits>
class UniqueHandle {
    using T = typename Traits::Handle;
    static T Empty() noexcept { return Traits::Empty(); }

public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T h) noexcept : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    T get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Empty(); }
    // Resets first, so a handle is never leaked by an out-parameter call.
    T* put() noexcept {
        reset();
        return &h_;
    }
    T release() noexcept { return std::exchange(h_, Empty()); }
    void reset(T h = Traits::Empty()) noexcept {
        T old = std::exchange(h_, h);
        if (old != Empty()) Traits::Close(old);
    }

private:
    T h_ = Empty();
};

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

}  // namespace sq
