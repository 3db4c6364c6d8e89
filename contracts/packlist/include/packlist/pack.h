#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace packlist {

// One update package as the package lists record it.
struct Pack {
    std::u16string name; // also the base name of its cabinet file in "temp"
    std::u16string url;  // where the downloader fetched it; carried only
    std::string md5;     // the package's digest as text; carried only
    std::int32_t ver = 0;
    std::int32_t type = 0; // the package kind; one update run installs one kind

    bool operator==(const Pack&) const = default;
};

// Lists keep file order and may hold one name more than once.
using PackList = std::vector<Pack>;

} // namespace packlist
