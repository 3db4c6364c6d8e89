// Differential fuzz target: the fast clipper and the literal reference must build the same
// document from every input, and the raids analysed from the fast clipper's compact tree must
// equal those analysed from the reference's document.
#include "clipper_fuzz_input.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const clipper_fuzz::Case& input : clipper_fuzz::casesFromBytes(bytes)) {
        if (!clipper_fuzz::load(input).agree()) {
            std::fprintf(stderr, "the fast clipper and the reference disagree (tree or raids)\n");
            std::abort();
        }
    }
    return 0;
}
