#pragma once

#include "web/page_language.h"

#include <kainjow/mustache.hpp>
#include <map>
#include <string>

namespace dkpsite {

// The values a template is filled from. The engine escapes every `{{value}}` for HTML.
using TemplateValues = kainjow::mustache::data;

// What one page shows: its language, its title, its own address (path and query, where the
// language switch leads back to), who is signed in (and the token of the log-out form) and the
// values of its template.
struct PageView {
    PageLanguage language = PageLanguage::Chinese;
    std::string title;
    std::string target = "/";
    std::string user, logoutToken;
    TemplateValues values;
};

// Fills the templates of site/web/templates with a page's values and its language's texts
// (site/web/texts.tsv, `{{t.key}}` in a template), inside the layout every page shares.
class PageRenderer {
public:
    // Throws std::logic_error naming the template that does not parse or the line of the texts
    // that does not read.
    PageRenderer();

    // The page of templates/<name>.mustache.
    std::string render(const std::string& name, PageView view) const;
    // One text in one language; the key itself for an unknown key.
    std::string text(PageLanguage language, const std::string& key) const;

private:
    std::string fill(const std::string& name, const TemplateValues& values) const;

    std::map<std::string, std::string> templates_;
    std::map<std::string, std::string> chinese_, english_;
    // The texts as template values (`t`), made once per language.
    TemplateValues chineseValues_, englishValues_;
};

} // namespace dkpsite
