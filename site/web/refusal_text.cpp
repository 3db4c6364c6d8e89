#include "web/refusal_text.h"

namespace dkpsite {

std::string refusalText(const PageRenderer& renderer, PageLanguage language,
                        const Refusal& refusal) {
    std::string text =
        withValues(renderer.text(language, "refusal_" + std::string(refusalName(refusal.kind))),
                   refusal.values);
    for (const Refusal& cause : refusal.cause)
        text = withValues(renderer.text(language, "refusal_because"),
                          {text, refusalText(renderer, language, cause)});
    return text;
}

} // namespace dkpsite
