#include "caller_memory.h"

#include <windows.h>

namespace sim {
namespace {

// No process maps the lowest 64 kB: a wParam below it is a number, never a record.
constexpr std::uintptr_t kLowestAddress = 0x10000;
constexpr DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kReadable = kWritable | PAGE_READONLY | PAGE_EXECUTE_READ;

bool Accessible(const void* address, std::size_t size, DWORD protection) {
    auto at = reinterpret_cast<std::uintptr_t>(address);
    const std::uintptr_t end = at + size;
    if (at < kLowestAddress || size == 0 || end < at) return false;
    while (at < end) {
        MEMORY_BASIC_INFORMATION region{};
        if (!::VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) || region.State != MEM_COMMIT ||
            (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) || !(region.Protect & protection))
            return false;
        at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

}  // namespace

bool IsReadable(const void* address, std::size_t size) { return Accessible(address, size, kReadable); }
bool IsWritable(void* address, std::size_t size) { return Accessible(address, size, kWritable); }

}  // namespace sim
