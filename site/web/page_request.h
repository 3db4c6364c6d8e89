#pragma once

#include "web/page_language.h"

#include <cstdint>
#include <httplib.h>
#include <optional>
#include <string>

namespace dkpsite {

// The value of the request's cookie of that name, or "".
std::string cookieValue(const httplib::Request& req, const std::string& name);

// The language the request's reader gets (the language cookie, then Accept-Language).
PageLanguage requestLanguage(const httplib::Request& req);

// The request's path and query as sent, when it is an address of this site ("/…" but not
// "//…"), otherwise "/".
std::string localTarget(const std::string& target);

// Longer passwords are no one's: a form says so before any password work is spent on them.
inline constexpr std::size_t kMaxFormPasswordBytes = 256;

// A form's field `name`, from the query or an ordinary form body, or from the part of that name
// of a form that sends files (multipart); "" when missing.
std::string formValue(const httplib::Request& req, const char* name);

// `text` without the blanks (spaces, tabs, line ends) at either end.
std::string trimmed(const std::string& text);

// The request's parameter `name` as a number of at most 15 digits (no sign), or nothing.
std::optional<std::int64_t> numberParameter(const httplib::Request& req, const char* name);

// `text` with every byte but letters, digits and "-._~" percent-encoded, for a query value.
std::string percentEncoded(const std::string& text);

// The address of an event's page, as the client opens it after an upload.
std::string eventPageAddress(std::int64_t event, std::int64_t dkpSystem,
                             const std::string& guildId);

} // namespace dkpsite
