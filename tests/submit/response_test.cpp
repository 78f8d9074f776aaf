#include "submit/response.h"

#include <gtest/gtest.h>

namespace sq::protocol {
namespace {

struct ResponseCase {
    std::string answer;
    OutcomeKind kind;
    std::string text;
};

class Response : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(Response, IsClassifiedByTheFirstMatchingRow) {
    const ResponseCase& c = GetParam();
    const Outcome outcome = ClassifyResponse(c.answer);
    EXPECT_EQ(outcome.kind, c.kind) << '"' << c.answer << '"';
    EXPECT_EQ(outcome.text, c.text) << '"' << c.answer << '"';
}

constexpr auto kStatus = OutcomeKind::Status;
constexpr auto kBox = OutcomeKind::MessageBox;
constexpr auto kOpen = OutcomeKind::Open;

INSTANTIATE_TEST_SUITE_P(
    Rows, Response,
    ::testing::Values(
        ResponseCase{"Success", kStatus, "Thanks! Your song was submitted."},
        ResponseCase{"Bad_Login", kStatus, "Your username or password are incorrect."},
        ResponseCase{"Old_Client", kStatus, "Please upgrade your client. No information logged."},
        ResponseCase{"Old_Protocol", kStatus, "Please upgrade your client. Song was submitted."},
        ResponseCase{"Old_Protocol_Upgrade", kStatus, "Please upgrade your client. No information logged."},
        ResponseCase{"Unsupported_ID", kStatus, "Unauthorized access, please contact the Sonoquill team."},
        ResponseCase{"Protocol_Mismatch", kStatus, "Supplied protocol is superior to current protocol."},
        ResponseCase{"Msg Hello", kStatus, "Hello"},
        ResponseCase{"Alert_Box Watch out", kBox, "Watch out"},
        ResponseCase{"Question_Box Really?", kBox, "Really?"},
        ResponseCase{"URL http://www.sonoquill.net/upgrade", kOpen, "http://www.sonoquill.net/upgrade"},
        ResponseCase{"", kStatus, kUnknownResponse}));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, Response,
    ::testing::Values(
        ResponseCase{"Success\n", kStatus, kUnknownResponse}, ResponseCase{"Success\r\n", kStatus, kUnknownResponse},
        ResponseCase{" Success", kStatus, kUnknownResponse}, ResponseCase{"Success ", kStatus, kUnknownResponse},
        ResponseCase{"success", kStatus, kUnknownResponse}, ResponseCase{"msg Hello", kStatus, kUnknownResponse},
        ResponseCase{"Msg Hello Msg World", kStatus, "Hello World"}, ResponseCase{"Msg ", kStatus, ""},
        ResponseCase{"Msg", kStatus, kUnknownResponse}, ResponseCase{"URL", kStatus, kUnknownResponse},
        ResponseCase{"Msg  two spaces", kStatus, " two spaces"},
        ResponseCase{"Msg Trailing line\n", kStatus, "Trailing line\n"},
        ResponseCase{"Alert_Box say Alert_Box twice", kBox, "say twice"},
        ResponseCase{"Msg Alert_Box inside", kStatus, "Alert_Box inside"},
        ResponseCase{"<html><body>500 Internal Server Error</body></html>", kStatus, kUnknownResponse},
        ResponseCase{std::string("Msg a\0b", 7), kStatus, std::string("a\0b", 3)}));

// Only web addresses go to the shell: anything else would let the answer start a program.
INSTANTIATE_TEST_SUITE_P(
    UrlAnswers, Response,
    ::testing::Values(
        ResponseCase{"URL https://www.sonoquill.net/a?b=c", kOpen, "https://www.sonoquill.net/a?b=c"},
        ResponseCase{"URL HTTP://WWW.SONOQUILL.NET/", kOpen, "HTTP://WWW.SONOQUILL.NET/"},
        ResponseCase{"URL hTtPs://x", kOpen, "hTtPs://x"},
        ResponseCase{"URL http://a/URL b", kOpen, "http://a/b"},
        ResponseCase{"URL calc.exe", kStatus, kUnknownResponse},
        ResponseCase{"URL C:\\Windows\\system32\\cmd.exe", kStatus, kUnknownResponse},
        ResponseCase{"URL \\\\server\\share\\run.exe", kStatus, kUnknownResponse},
        ResponseCase{"URL file:///C:/Windows/notepad.exe", kStatus, kUnknownResponse},
        ResponseCase{"URL ftp://example.com/", kStatus, kUnknownResponse},
        ResponseCase{"URL  http://leading.space/", kStatus, kUnknownResponse},
        ResponseCase{"URL http:/one.slash/", kStatus, kUnknownResponse},
        ResponseCase{"URL http://x/\" --argument", kStatus, kUnknownResponse},
        ResponseCase{"URL http://x/\r\nnext", kStatus, kUnknownResponse},
        ResponseCase{"URL ", kStatus, kUnknownResponse}));

TEST(Response, OnlyTheFirst512BytesAreClassified) {
    const std::string text(600, 'x');
    const Outcome outcome = ClassifyResponse("Msg " + text);
    EXPECT_EQ(outcome.kind, OutcomeKind::Status);
    EXPECT_EQ(outcome.text, text.substr(0, 512 - 4));

    EXPECT_EQ(ClassifyResponse("Success" + std::string(600, ' ')).text, kUnknownResponse);
    // A keyword that starts only after byte 512 is not seen.
    EXPECT_EQ(ClassifyResponse("Msg " + std::string(508, 'a') + "Msg b").text, std::string(508, 'a'));
    // A keyword cut in two at byte 512 is not removed.
    EXPECT_EQ(ClassifyResponse("Msg " + std::string(506, 'a') + "Msg b").text, std::string(506, 'a') + "Ms");
}

}  // namespace
}  // namespace sq::protocol
