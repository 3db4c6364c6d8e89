#include "cabinet/stored_name.h"

#include <vector>

namespace cabinet {
namespace {

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool isOnlyDotsAndBlanks(std::u16string_view component) {
    return component.find_first_not_of(u". ") == std::u16string_view::npos;
}

bool hasForbiddenCharacter(std::u16string_view name) {
    for (const char16_t c : name) {
        if (c < 0x20 || c == 0x7F || c == u':')
            return true;
    }
    return false;
}

} // namespace

std::optional<std::u16string> targetOfStoredName(std::u16string_view stored) {
    const std::size_t start = stored.find_first_not_of(u"./\\");
    if (start == std::u16string_view::npos || hasForbiddenCharacter(stored))
        return std::nullopt;
    std::u16string target;
    std::u16string_view rest = stored.substr(start);
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !isSeparator(rest[end]))
            ++end;
        const std::u16string_view component = rest.substr(0, end);
        rest = end < rest.size() ? rest.substr(end + 1) : std::u16string_view();
        if (component.empty() || component == u".")
            continue;
        if (isOnlyDotsAndBlanks(component))
            return std::nullopt;
        if (!target.empty())
            target.push_back(u'/');
        target += component;
    }
    if (target.empty() || isSeparator(stored.back()))
        return std::nullopt;
    return target;
}

} // namespace cabinet
