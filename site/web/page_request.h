#pragma once

#include "web/page_language.h"

#include <httplib.h>
#include <string>

namespace dkpsite {

// The value of the request's cookie of that name, or "".
std::string cookieValue(const httplib::Request& req, const std::string& name);

// The language the request's reader gets (the language cookie, then Accept-Language).
PageLanguage requestLanguage(const httplib::Request& req);

// The request's path and query as sent, when it is an address of this site ("/…" but not
// "//…"), otherwise "/".
std::string localTarget(const std::string& target);

// `text` with every byte but letters, digits and "-._~" percent-encoded, for a query value.
std::string percentEncoded(const std::string& text);

} // namespace dkpsite
