#pragma once

#include "records/refusal.h"
#include "web/page_renderer.h"

#include <string>

namespace dkpsite {

// A refusal worded in the page's language: the text "refusal_<name>" of texts.tsv with the
// refusal's values in its {1}, {2}…, and its cause's text after it.
std::string refusalText(const PageRenderer& renderer, PageLanguage language,
                        const Refusal& refusal);

} // namespace dkpsite
