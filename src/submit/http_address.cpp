#include "submit/http_address.h"

#include "common/http_scheme.h"

namespace sq {

std::optional<HttpAddress> SplitHttpAddress(const std::string& address) {
    HttpAddress result;
    const size_t host_start = HttpSchemeLength(address);
    if (host_start == 0) return std::nullopt;
    if (host_start == 8) {
        result.secure = true;
        result.port = 443;
    }
    const size_t object_start = address.find_first_of("/?#", host_start);
    std::string authority = address.substr(host_start, object_start == std::string::npos ? std::string::npos
                                                                                          : object_start - host_start);
    if (object_start == std::string::npos) {
        result.object = "/";
    } else if (address[object_start] == '/') {
        result.object = address.substr(object_start);
    } else {
        result.object = "/" + address.substr(object_start);
    }
    // Account data never travels in the authority; an "@" there is refused rather than guessed at.
    // Bracketed IPv6 hosts are not needed by this client and are refused too.
    if (authority.find_first_of("@[]") != std::string::npos) return std::nullopt;
    const size_t colon = authority.rfind(':');
    if (colon != std::string::npos) {
        const std::string digits = authority.substr(colon + 1);
        if (digits.empty() || digits.size() > 5) return std::nullopt;
        unsigned long port = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            port = port * 10 + static_cast<unsigned long>(c - '0');
        }
        if (port == 0 || port > 65535) return std::nullopt;
        result.port = static_cast<uint16_t>(port);
        authority.resize(colon);
    }
    if (authority.empty()) return std::nullopt;
    result.host = authority;
    return result;
}

}  // namespace sq
