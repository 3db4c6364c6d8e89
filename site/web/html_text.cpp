#include "web/html_text.h"

namespace dkpsite {

std::string escapeHtml(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '&':
            escaped += "&amp;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string htmlPage(const std::string& title, const std::string& bodyHtml) {
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + escapeHtml(title) +
           "</title></head><body><h1>" + escapeHtml(title) + "</h1>" + bodyHtml + "</body></html>";
}

} // namespace dkpsite
