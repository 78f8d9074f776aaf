#pragma once
// Splits an http or https address into what a connection needs. The query is kept byte for byte:
// the service's values may hold "#", "?" or "&", and none of them may be taken as a fragment.
#include <cstdint>
#include <optional>
#include <string>

namespace sq {

struct HttpAddress {
    bool secure = false;
    std::string host;
    uint16_t port = 80;
    std::string object;  // path and query, starting with "/"
};

// Empty for anything that is not http:// or https:// with a host (and a valid port, if given).
std::optional<HttpAddress> SplitHttpAddress(const std::string& address);

}  // namespace sq
