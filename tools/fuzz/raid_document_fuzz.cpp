// Fuzz target of the site's raid-document reader: any bytes are read or refused with a reason,
// and a document that is read holds no number beyond the limit.
#include "site_fuzz_checks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string wrong =
        site_fuzz::checkRaidDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!wrong.empty()) {
        std::fprintf(stderr, "raid document: %s\n", wrong.c_str());
        std::abort();
    }
    return 0;
}
