// Fuzz target of the cabinet extraction as the updater uses it: any bytes are extracted into a
// fresh program folder or refused with a reason, and nothing lands outside that folder.
#include "cabinet_extract_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string wrong =
        cabinet_fuzz::checkExtraction(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!wrong.empty()) {
        std::fprintf(stderr, "cabinet extraction: %s\n", wrong.c_str());
        std::abort();
    }
    return 0;
}
