#pragma once

#include <atomic>
#include <cstddef>
#include <string>

namespace fetchkit {

struct FetchResult {
    bool ok = false;
    std::string body;
    std::string error; // for the log; empty on success
};

// GET over HTTP or HTTPS (redirects followed within those schemes). Fails on an HTTP error
// status, a body larger than `maxBytes`, or when `stop` is set.
FetchResult httpGet(const std::string& url, const std::atomic<bool>& stop, std::size_t maxBytes);

} // namespace fetchkit
