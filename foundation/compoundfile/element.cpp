#include "element.h"

#include <algorithm>

namespace compoundfile {
namespace {

char16_t foldCase(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    return std::ranges::equal(a, b,
                              [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

} // namespace

std::shared_ptr<Element> Element::findChild(std::u16string_view childName) const {
    for (const auto& child : children)
        if (sameName(child->name, childName))
            return child;
    return nullptr;
}

bool Element::removeChild(std::u16string_view childName) {
    const auto position = std::ranges::find_if(
        children, [&](const auto& child) { return sameName(child->name, childName); });
    if (position == children.end())
        return false;
    children.erase(position);
    return true;
}

bool isValidElementName(std::u16string_view name) {
    if (name.empty() || name.size() > 31)
        return false;
    return std::ranges::none_of(name, [](char16_t c) {
        return c == u'/' || c == u'\\' || c == u':' || c == u'!' || c == 0;
    });
}

} // namespace compoundfile
