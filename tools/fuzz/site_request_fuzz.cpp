// Fuzz target of the site's JSON requests: any bytes, as a login body, an upload body or an
// upload's raid document, get one of the protocol's answers, and the guild list survives
// whatever is accepted.
#include "site_fuzz_checks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// A fresh site now and then keeps the stored events, and the time to sum them, small.
constexpr int kInputsPerSite = 2000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto site = std::make_unique<site_fuzz::SiteRequests>();
    static int inputs = 0;
    if (++inputs % kInputsPerSite == 0)
        site = std::make_unique<site_fuzz::SiteRequests>();
    const std::string wrong =
        site->check(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!wrong.empty()) {
        std::fprintf(stderr, "site request: %s\n", wrong.c_str());
        std::abort();
    }
    return 0;
}
