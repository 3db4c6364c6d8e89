#include "http/header_block.h"

namespace dkpsite {

namespace {

HeaderVerdict refused(int status, std::string reason) {
    return {HeaderVerdict::Refused, status, std::move(reason)};
}

std::size_t withoutLineEnd(std::string_view line) {
    std::size_t length = line.size();
    if (length > 0 && line[length - 1] == '\r')
        --length;
    return length;
}

} // namespace

HeaderVerdict judgeHeaderBlock(std::string_view bytes, const HeaderLimits& limits) {
    std::size_t lineStart = 0;
    std::size_t headers = 0;
    for (bool requestLine = true;; requestLine = false) {
        const std::size_t lineEnd = bytes.find('\n', lineStart);
        const std::size_t lineLimit = requestLine ? limits.requestLine : limits.headerLine;
        const std::string_view line =
            bytes.substr(lineStart, lineEnd == std::string_view::npos ? std::string_view::npos
                                                                      : lineEnd - lineStart);
        // A line still coming is judged on what has come of it.
        if (withoutLineEnd(line) > lineLimit)
            return requestLine ? refused(414, "the request line is longer than " +
                                                  std::to_string(lineLimit) + " bytes")
                               : refused(431, "a request header is longer than " +
                                                  std::to_string(lineLimit) + " bytes");
        if (lineEnd == std::string_view::npos)
            break;
        if (!requestLine && withoutLineEnd(line) == 0) {
            if (lineEnd + 1 > limits.block)
                break;
            return {HeaderVerdict::Complete, 0, {}};
        }
        if (!requestLine && ++headers > limits.headerCount)
            return refused(431,
                           "more than " + std::to_string(limits.headerCount) + " request headers");
        lineStart = lineEnd + 1;
    }
    if (bytes.size() > limits.block)
        return refused(431, "the request headers are longer than " + std::to_string(limits.block) +
                                " bytes in all");
    return {HeaderVerdict::Incomplete, 0, {}};
}

} // namespace dkpsite
