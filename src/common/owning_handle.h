#pragma once
// The one owning-handle template, for every kind of handle: its traits give the handle type, its
// explicit empty value and how to close it. Win32's kinds are in win32_unique_handle.h. The portable
// core holds none of its own (it reaches files and the system through ports the shell passes);
// the native tests and tools declare theirs beside the code that holds them (a POSIX descriptor,
// a C library FILE, a socket).
#include <utility>

namespace sq {

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

}  // namespace sq
