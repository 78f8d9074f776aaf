#pragma once
// The service's answer: one keyword, four of them followed by a space and a text. Only the first
// piece of the body counts; status code and headers are never looked at.
#include <cstddef>
#include <string>

namespace sq::protocol {

inline constexpr size_t kResponsePieceSize = 512;
inline constexpr char kUnknownResponse[] = "Sonoquill returned an unknown response.";

enum class OutcomeKind { Status, MessageBox, Open };

struct Outcome {
    OutcomeKind kind = OutcomeKind::Status;
    std::string text;
};

// Classifies the first kResponsePieceSize bytes of `response` (anything beyond is ignored).
// A "URL " answer is only ever opened when it is a web address (see IsWebAddress); anything
// else it names would have the shell start programs or open files on the user's machine.
Outcome ClassifyResponse(const std::string& response);

// True for an http:// or https:// address (scheme in any case) with no control characters and
// no quotation marks, which could otherwise end the address early on the browser's command line.
bool IsWebAddress(const std::string& text);

}  // namespace sq::protocol
