#include "submit/response.h"

#include "common/http_scheme.h"
#include "common/text_replace.h"

namespace sq::protocol {
namespace {

struct WholeAnswer {
    const char* keyword;
    const char* text;
};

constexpr WholeAnswer kWholeAnswers[] = {
    {"Success", "Thanks! Your song was submitted."},
    {"Bad_Login", "Your username or password are incorrect."},
    {"Old_Client", "Please upgrade your client. No information logged."},
    {"Old_Protocol", "Please upgrade your client. Song was submitted."},
    {"Old_Protocol_Upgrade", "Please upgrade your client. No information logged."},
    {"Unsupported_ID", "Unauthorized access, please contact the Sonoquill team."},
    {"Protocol_Mismatch", "Supplied protocol is superior to current protocol."},
};

struct PrefixedAnswer {
    const char* keyword_and_space;
    OutcomeKind kind;
};

constexpr PrefixedAnswer kPrefixedAnswers[] = {
    {"Msg ", OutcomeKind::Status},
    {"Alert_Box ", OutcomeKind::MessageBox},
    {"Question_Box ", OutcomeKind::MessageBox},
    {"URL ", OutcomeKind::Open},
};

}  // namespace

bool IsWebAddress(const std::string& text) {
    if (!IsHttpAddress(text)) return false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"') return false;
    }
    return true;
}

Outcome ClassifyResponse(const std::string& response) {
    const std::string piece = response.substr(0, kResponsePieceSize);
    for (const WholeAnswer& row : kWholeAnswers) {
        if (piece == row.keyword) return Outcome{OutcomeKind::Status, row.text};
    }
    for (const PrefixedAnswer& row : kPrefixedAnswers) {
        if (piece.compare(0, std::char_traits<char>::length(row.keyword_and_space), row.keyword_and_space) != 0) continue;
        Outcome outcome{row.kind, ReplaceAll(piece, row.keyword_and_space, "")};
        if (outcome.kind == OutcomeKind::Open && !IsWebAddress(outcome.text)) break;
        return outcome;
    }
    return Outcome{OutcomeKind::Status, kUnknownResponse};
}

}  // namespace sq::protocol
