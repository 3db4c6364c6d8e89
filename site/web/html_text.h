#pragma once

#include <string>

namespace dkpsite {

// `text` safe inside an HTML element or a quoted attribute.
std::string escapeHtml(const std::string& text);

// A whole page: its title as the heading, then `bodyHtml`.
std::string htmlPage(const std::string& title, const std::string& bodyHtml);

} // namespace dkpsite
