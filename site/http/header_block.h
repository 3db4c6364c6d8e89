#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dkpsite {

// The request line and header block of a request, bounded before the server keeps any of it.
// A browser's request line stays under a few hundred bytes and its headers, cookies included,
// under a few kilobytes; the limits leave room for long query strings and many cookies.
struct HeaderLimits {
    std::size_t requestLine = 8 * 1024;
    std::size_t headerLine = 8 * 1024;
    std::size_t headerCount = 100;
    // The request line, the headers and the blank line that ends them.
    std::size_t block = 32 * 1024;
};

// What the first bytes of a connection say about its request head.
struct HeaderVerdict {
    enum Kind {
        Complete,   // the head is whole and inside the limits
        Incomplete, // inside the limits so far; more bytes are needed
        Refused,    // over a limit: answer `status` and close the connection
    };
    Kind kind = Incomplete;
    int status = 0;
    std::string reason;
};

// Judges `bytes`, the first bytes a connection sent (as many as have come, up to one past the
// block limit). Lines end with CRLF or a bare LF, as the server reads them.
HeaderVerdict judgeHeaderBlock(std::string_view bytes, const HeaderLimits& limits);

} // namespace dkpsite
