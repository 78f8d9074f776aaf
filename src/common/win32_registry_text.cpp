#include "common/win32_registry_text.h"

#include <optional>

#include "common/win32_ansi_text.h"
#include "common/win32_unique_handle.h"

namespace sq {
namespace {

// The most a short text takes, in code-page bytes with its terminator.
constexpr std::size_t kShortTextBytes = 256;

enum class StringTypes { RegSzOnly, RegSzOrExpandSz };

// The value's data as stored, in UTF-16 units; nothing for a missing key or value or a type the
// reader does not take.
std::optional<std::wstring> QueryString(HKEY root, const wchar_t* key_path, const wchar_t* value_name,
                                        StringTypes types) {
    UniqueRegKey key;
    if (::RegOpenKeyExW(root, key_path, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = REG_NONE;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), value_name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && !(type == REG_EXPAND_SZ && types == StringTypes::RegSzOrExpandSz)) return std::nullopt;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size()) * sizeof(wchar_t);
    if (::RegQueryValueExW(key.get(), value_name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    data.resize(bytes / sizeof(wchar_t));
    return data;
}

}  // namespace

std::string ReadRegistryText(HKEY root, const wchar_t* key_path, const wchar_t* value_name) {
    const std::optional<std::wstring> data = QueryString(root, key_path, value_name, StringTypes::RegSzOrExpandSz);
    if (!data) return {};
    std::size_t length = data->size();
    while (length > 0 && (*data)[length - 1] == L'\0') --length;
    return AnsiFromWide(data->data(), length);
}

std::string ReadShortRegistryText(HKEY root, const wchar_t* key_path, const wchar_t* value_name) {
    const std::optional<std::wstring> data = QueryString(root, key_path, value_name, StringTypes::RegSzOnly);
    if (!data) return {};
    // Counted in code-page bytes, the terminator included where the value has one.
    const std::string text = AnsiFromWide(*data);
    if (text.size() > kShortTextBytes) return {};
    return text.substr(0, text.find('\0'));
}

}  // namespace sq
