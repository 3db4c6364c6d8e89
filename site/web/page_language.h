#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dkpsite {

// The languages of the pages: Simplified Chinese first, like the client, then English.
enum class PageLanguage { Chinese, English };

// The cookie that remembers a reader's choice of language.
inline constexpr const char* kLanguageCookie = "lang";

// The language a cookie value or a `set=` value names ("zh" or "en"), or nothing.
std::optional<PageLanguage> languageNamed(std::string_view code);
// "zh" or "en", as languageNamed reads it.
const char* languageCode(PageLanguage language);
// The language tag of a page in that language ("zh-CN", "en").
const char* languageTag(PageLanguage language);

// The language of a page: the one the reader chose (the cookie's value), otherwise the one of
// Chinese and English that `Accept-Language` rates higher, otherwise Chinese.
PageLanguage choosePageLanguage(std::string_view cookieValue, std::string_view acceptLanguage);

} // namespace dkpsite
