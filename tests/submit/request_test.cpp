#include "submit/request.h"

#include <gtest/gtest.h>

namespace sq::protocol {
namespace {

const std::string kIndex = "http://www.sonoquill.net/index.php";

TEST(Request, AccountAndSpacedNamesGiveQueryAndHeaders) {
    const Request request = BuildRequest("anna", "", "The Band", "Long Song");
    EXPECT_EQ(request.address, kIndex + "?c=anna&p=&art=The%20Band&trk=Long%20Song");
    EXPECT_EQ(request.headers,
              "oquill_Protocol: SNQP1.0\r\n"
              "oquill_Client: wa\r\n"
              "oquill_ID: 730241\r\n"
              "oquill_Version: 1.0.61");
}

TEST(Request, HeaderBlockHasNoLineBreakAfterTheLastLine) {
    const std::string block = BuildHeaderBlock();
    ASSERT_GE(block.size(), 2u);
    EXPECT_NE(block.substr(block.size() - 2), "\r\n");
    EXPECT_EQ(block.find('\n'), block.find("\r\n") + 1);
    EXPECT_EQ(VersionText(), "1.0.61");
}

struct AddressCase {
    const char* what;
    const char* user;
    const char* password;
    const char* artist;
    const char* track;
    const char* query;
};

class RequestAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(RequestAddress, OnlyTheSpacesOfArtistAndTrackAreEscaped) {
    const AddressCase& c = GetParam();
    EXPECT_EQ(BuildAddress(c.user, c.password, c.artist, c.track), kIndex + c.query) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Values, RequestAddress,
    ::testing::Values(
        AddressCase{"ampersand in track", "u", "p", "A", "Rock & Roll", "?c=u&p=p&art=A&trk=Rock%20&%20Roll"},
        AddressCase{"account keeps spaces and punctuation", "my name", "p#s&=?+%", "A", "T",
                    "?c=my name&p=p#s&=?+%&art=A&trk=T"},
        AddressCase{"empty account", "", "", "No_Artist", "T", "?c=&p=&art=No_Artist&trk=T"},
        AddressCase{"several and leading spaces", "u", "p", " A  B ", "  ", "?c=u&p=p&art=%20A%20%20B%20&trk=%20%20"},
        AddressCase{"bytes above 127 go as they are", "u", "p", "Bj\xF6rk", "J\xF3ga",
                    "?c=u&p=p&art=Bj\xF6rk&trk=J\xF3ga"},
        AddressCase{"percent and plus are not escaped", "u", "p", "100% A+", "x", "?c=u&p=p&art=100%%20A+&trk=x"},
        // Placeholders inside values: only a later step fills them.
        AddressCase{"artist placeholder in track is filled by the later artist step", "u", "p", "The Band",
                    "Ode ##Artist##", "?c=u&p=p&art=The%20Band&trk=Ode%20The%20Band"},
        AddressCase{"track placeholder in artist stays (track step came first)", "u", "p", "##Track##", "T",
                    "?c=u&p=p&art=##Track##&trk=T"},
        AddressCase{"placeholders in the user name are filled by later steps", "##Password## ##Track##", "pw",
                    "A", "T", "?c=pw T&p=pw&art=A&trk=T"},
        AddressCase{"user placeholder in password stays", "u", "##Username##", "A", "T",
                    "?c=u&p=##Username##&art=A&trk=T"},
        AddressCase{"no rescan of inserted text", "##User##name##", "p", "A", "T",
                    "?c=##User##name##&p=p&art=A&trk=T"},
        AddressCase{"client placeholders are not filled in the query", "##Client_ID##", "##Version##", "A", "T",
                    "?c=##Client_ID##&p=##Version##&art=A&trk=T"}));

TEST(Request, BaseAddressIsOneConstant) {
    EXPECT_STREQ(kBaseAddress, "http://www.sonoquill.net/");
    EXPECT_EQ(BuildAddress("a", "b", "c", "d"), kBaseAddress + std::string(kEndpoint) + "?c=a&p=b&art=c&trk=d");
}

TEST(Request, ControlBytesInValuesCannotBreakTheRequestLine) {
    // A UTF-16 tag read byte for byte: NULs between the letters must not cut the query short.
    const std::string utf16_artist("\xFF\xFE" "A\0B\0", 6);
    EXPECT_EQ(BuildAddress("u", "p", utf16_artist, "T"), kIndex + "?c=u&p=p&art=\xFF\xFE" "A%00B%00&trk=T");
    // A line break in a tag must not start a header line of its own.
    EXPECT_EQ(BuildAddress("u", "p", "A", "Song\r\nX-Evil: 1"), kIndex + "?c=u&p=p&art=A&trk=Song%0D%0AX-Evil:%201");
    EXPECT_EQ(BuildAddress("u\t", "p\x7F", "A", "T"), kIndex + "?c=u%09&p=p%7F&art=A&trk=T");
    EXPECT_EQ(BuildAddress("u", "p", "A\x1F", "T"), kIndex + "?c=u&p=p&art=A%1F&trk=T") << "the highest control byte";
}

}  // namespace
}  // namespace sq::protocol
