#pragma once

#include <string>

namespace fetchkit {

// A package address as the manifest gives it, made whole: an address with a scheme stays as it
// is, one starting with "/" is taken on the manifest's host, any other is taken relative to the
// manifest's folder; an empty one becomes "<name>.cab" beside the manifest.
std::string packageAddress(const std::string& manifestUrl, const std::string& packageUrl,
                           const std::string& packageName);

} // namespace fetchkit
