#include "submit/http_address.h"

#include <gtest/gtest.h>

namespace sq {
namespace {

TEST(HttpAddress, KeepsTheQueryByteForByte) {
    const auto a = SplitHttpAddress("http://www.sonoquill.net/index.php?c=a#b&p=?&art=x%20y&trk=\xE9");
    ASSERT_TRUE(a);
    EXPECT_FALSE(a->secure);
    EXPECT_EQ(a->host, "www.sonoquill.net");
    EXPECT_EQ(a->port, 80);
    EXPECT_EQ(a->object, "/index.php?c=a#b&p=?&art=x%20y&trk=\xE9");
}

TEST(HttpAddress, SplitsSchemeHostAndPort) {
    struct Row {
        const char* address;
        bool ok;
        bool secure;
        const char* host;
        uint16_t port;
        const char* object;
    };
    const Row rows[] = {
        {"HTTPS://Host:8443/x", true, true, "Host", 8443, "/x"},
        {"https://host", true, true, "host", 443, "/"},
        {"http://127.0.0.1:65535?q", true, false, "127.0.0.1", 65535, "/?q"},
        {"http://h#frag", true, false, "h", 80, "/#frag"},
        {"ftp://host/", false, false, "", 0, ""},
        {"http://", false, false, "", 0, ""},
        {"http://:80/", false, false, "", 0, ""},
        {"http://h:0/", false, false, "", 0, ""},
        {"http://h:65536/", false, false, "", 0, ""},
        {"http://h:8x/", false, false, "", 0, ""},
        {"http://h:/", false, false, "", 0, ""},
        {"http://user:pw@h/", false, false, "", 0, ""},
        {"http://[::1]:80/", false, false, "", 0, ""},
        {"", false, false, "", 0, ""},
    };
    for (const Row& row : rows) {
        const auto a = SplitHttpAddress(row.address);
        ASSERT_EQ(a.has_value(), row.ok) << row.address;
        if (!a) continue;
        EXPECT_EQ(a->secure, row.secure) << row.address;
        EXPECT_EQ(a->host, row.host) << row.address;
        EXPECT_EQ(a->port, row.port) << row.address;
        EXPECT_EQ(a->object, row.object) << row.address;
    }
}

}  // namespace
}  // namespace sq
