#pragma once
// The request of the SNQP1.0 protocol: everything the service learns travels in the query of the
// address and in four extra header lines; the body is empty.
#include <string>

#include "sonoquill_version.h"

namespace sq::protocol {

inline constexpr char kBaseAddress[] = "http://www.sonoquill.net/";
inline constexpr char kEndpoint[] = "index.php";
inline constexpr char kClientType[] = "wa";
inline constexpr char kClientId[] = "730241";
inline constexpr int kVersionMajor = SQ_VERSION_MAJOR;
inline constexpr int kVersionMinor = SQ_VERSION_MINOR;
inline constexpr int kVersionRevision = SQ_VERSION_REVISION;

// The component's version as the service expects it: major.minor.revision, no leading zeros.
std::string VersionText();

// The four header lines, CRLF between them and nothing after the last.
std::string BuildHeaderBlock();

// Base address, endpoint and the filled-in query. Only the spaces of artist and track are
// escaped; the account goes in exactly as stored.
std::string BuildAddress(const std::string& username, const std::string& password, const std::string& artist,
                         const std::string& track);

struct Request {
    std::string address;
    std::string headers;
};

Request BuildRequest(const std::string& username, const std::string& password, const std::string& artist,
                     const std::string& track);

}  // namespace sq::protocol
