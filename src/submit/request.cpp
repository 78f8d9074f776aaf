#include "submit/request.h"

#include "common/text_replace.h"

namespace sq::protocol {
namespace {

constexpr char kQueryTemplate[] = "?c=##Username##&p=##Password##&art=##Artist##&trk=##Track##";
// "oquill_", the name cut short: kept as the service knows it.
constexpr char kHeaderLines[4][36] = {
    "oquill_Protocol: SNQP1.0",
    "oquill_Client: ##Type_Of_Client##",
    "oquill_ID: ##Client_ID##",
    "oquill_Version: ##Version##",
};
constexpr char kLineBreak[] = "\r\n";

std::string EncodeSpaces(const std::string& value) { return ReplaceAll(value, " ", "%20"); }

// Tag text is taken byte for byte, so a value may hold NULs (UTF-16 tags) or a line break. Sent
// raw, a NUL ends the request line early and drops the keys after it, and CR LF would start a
// header line of the tag's choosing. Such bytes go out escaped; every other byte stays as it is.
std::string EscapeControlBytes(const std::string& query) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(query.size());
    for (const char c : query) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string VersionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

std::string BuildHeaderBlock() {
    std::string block;
    for (const char* line : kHeaderLines) {
        if (!block.empty()) block += kLineBreak;
        block += line;
    }
    block = ReplaceAll(block, "##Version##", VersionText());
    block = ReplaceAll(block, "##Type_Of_Client##", kClientType);
    block = ReplaceAll(block, "##Client_ID##", kClientId);
    return block;
}

std::string BuildAddress(const std::string& username, const std::string& password, const std::string& artist,
                         const std::string& track) {
    // The order of the steps matters: a placeholder inside a value is filled only by a later step.
    const std::string encoded_track = EncodeSpaces(track);
    const std::string encoded_artist = EncodeSpaces(artist);
    std::string query = kQueryTemplate;
    query = ReplaceAll(query, "##Username##", username);
    query = ReplaceAll(query, "##Password##", password);
    query = ReplaceAll(query, "##Track##", encoded_track);
    query = ReplaceAll(query, "##Artist##", encoded_artist);
    return std::string(kBaseAddress) + kEndpoint + EscapeControlBytes(query);
}

Request BuildRequest(const std::string& username, const std::string& password, const std::string& artist,
                     const std::string& track) {
    return Request{BuildAddress(username, password, artist, track), BuildHeaderBlock()};
}

}  // namespace sq::protocol
