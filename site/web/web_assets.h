#pragma once

#include <map>
#include <string>
#include <string_view>

namespace dkpsite {

// The files of site/web that the pages are made of (templates/*.mustache, texts.tsv, site.css),
// by their path under site/web, built into the program.
const std::map<std::string, std::string_view>& webAssets();

} // namespace dkpsite
