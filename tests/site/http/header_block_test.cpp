// The request head a connection must send inside its limits before the server reads it.
#include "http/header_block.h"

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

// Small limits, so that each case shows the edge it is about.
const HeaderLimits kLimits{/*requestLine*/ 30, /*headerLine*/ 20, /*headerCount*/ 3,
                           /*block*/ 80};

struct HeadCase {
    const char* what;
    std::string bytes;
    HeaderVerdict::Kind kind;
    int status;
};

TEST(HeaderBlock, EachLimitIsJudgedOnTheBytesSoFar) {
    const std::string line = "GET /a HTTP/1.1\r\n";
    const std::string header = "H: " + std::string(15, 'v') + "\r\n"; // 18 bytes without CRLF
    const HeadCase cases[] = {
        {"a whole head", line + header + "\r\n", HeaderVerdict::Complete, 0},
        {"bare line feeds", "GET /a HTTP/1.1\nH: v\n\n", HeaderVerdict::Complete, 0},
        {"the body that follows is not judged", line + "\r\n" + std::string(500, 'b'),
         HeaderVerdict::Complete, 0},
        {"a head still coming", line + header, HeaderVerdict::Incomplete, 0},
        {"nothing yet", "", HeaderVerdict::Incomplete, 0},
        {"a request line over its limit, unfinished", "GET /" + std::string(40, 'a'),
         HeaderVerdict::Refused, 414},
        {"a header over its limit, unfinished", line + "H: " + std::string(30, 'v'),
         HeaderVerdict::Refused, 431},
        {"as many headers as allowed", line + header + header + header + "\r\n",
         HeaderVerdict::Complete, 0},
        {"one header too many", line + header + header + header + header, HeaderVerdict::Refused,
         431},
        {"a whole block over its limit",
         "GET /" + std::string(20, 'a') + "\r\n" + header + header + header + "\r\n",
         HeaderVerdict::Refused, 431},
    };
    for (const HeadCase& c : cases) {
        const HeaderVerdict verdict = judgeHeaderBlock(c.bytes, kLimits);
        EXPECT_EQ(verdict.kind, c.kind) << c.what;
        EXPECT_EQ(verdict.status, c.status) << c.what;
        if (verdict.kind == HeaderVerdict::Refused) {
            EXPECT_FALSE(verdict.reason.empty()) << c.what;
        }
    }
}

TEST(HeaderBlock, AnEndlessStreamOfSmallHeadersIsRefusedAtTheBlockLimit) {
    const HeaderLimits limits{8192, 8192, 100000, 32 * 1024};
    std::string bytes = "GET / HTTP/1.1\r\n";
    while (bytes.size() <= limits.block)
        bytes += "X: 1\r\n";
    EXPECT_EQ(judgeHeaderBlock(bytes, limits).status, 431);
}

} // namespace
} // namespace dkpsite
