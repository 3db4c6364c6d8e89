#include "web/page_renderer.h"

#include "web/web_assets.h"

#include <stdexcept>

namespace dkpsite {

namespace {

using kainjow::mustache::mustache;
using kainjow::mustache::partial;

constexpr std::string_view kTemplateFolder = "templates/";
constexpr std::string_view kTemplateSuffix = ".mustache";
// Templates whose names start so are parts of pages, `{{> part_name}}` in a template.
constexpr std::string_view kPartialPrefix = "part_";

bool isTemplatePath(const std::string& path) {
    return path.compare(0, kTemplateFolder.size(), kTemplateFolder) == 0 &&
           path.size() > kTemplateFolder.size() + kTemplateSuffix.size() &&
           path.compare(path.size() - kTemplateSuffix.size(), kTemplateSuffix.size(),
                        kTemplateSuffix) == 0;
}

std::string templateName(const std::string& path) {
    return path.substr(kTemplateFolder.size(),
                       path.size() - kTemplateFolder.size() - kTemplateSuffix.size());
}

// Reads the lines "key<TAB>Chinese<TAB>English" of texts.tsv; '#' starts a comment line.
void readTexts(std::string_view table, std::map<std::string, std::string>& chinese,
               std::map<std::string, std::string>& english) {
    int lineNumber = 0;
    while (!table.empty()) {
        ++lineNumber;
        const size_t end = table.find('\n');
        const std::string_view line = table.substr(0, end);
        table.remove_prefix(end == std::string_view::npos ? table.size() : end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        const size_t first = line.find('\t');
        const size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
        if (second == std::string_view::npos || line.find('\t', second + 1) != line.npos)
            throw std::logic_error("texts.tsv line " + std::to_string(lineNumber) +
                                   " is not a key and two texts separated by tabs");
        const std::string key(line.substr(0, first));
        chinese[key] = std::string(line.substr(first + 1, second - first - 1));
        english[key] = std::string(line.substr(second + 1));
    }
}

TemplateValues textValues(const std::map<std::string, std::string>& texts) {
    TemplateValues values;
    for (const auto& [key, text] : texts)
        values.set(key, text);
    return values;
}

} // namespace

PageRenderer::PageRenderer() {
    for (const auto& [path, content] : webAssets()) {
        if (path == "texts.tsv")
            readTexts(content, chinese_, english_);
        if (!isTemplatePath(path))
            continue;
        const mustache parsed{std::string(content)};
        if (!parsed.is_valid())
            throw std::logic_error("template " + path +
                                   " does not parse: " + parsed.error_message());
        templates_[templateName(path)] = std::string(content);
    }
    chineseValues_ = textValues(chinese_);
    englishValues_ = textValues(english_);
}

std::string PageRenderer::fill(const std::string& name, const TemplateValues& values) const {
    const auto found = templates_.find(name);
    if (found == templates_.end())
        throw std::logic_error("no template " + name);
    mustache page{found->second};
    return page.render(values);
}

std::string PageRenderer::render(const std::string& name, PageView view) const {
    const TemplateValues& t =
        view.language == PageLanguage::English ? englishValues_ : chineseValues_;
    view.values.set("t", t);
    for (const auto& [partialName, content] : templates_) {
        if (partialName.compare(0, kPartialPrefix.size(), kPartialPrefix) != 0)
            continue;
        const std::string* text = &content;
        view.values.set(partialName, partial{[text] { return *text; }});
    }
    TemplateValues layout;
    layout.set("t", t);
    layout.set("lang", languageTag(view.language));
    layout.set("other_lang",
               languageCode(view.language == PageLanguage::English ? PageLanguage::Chinese
                                                                   : PageLanguage::English));
    layout.set("title", view.title);
    layout.set("back", view.target);
    if (!view.user.empty()) {
        layout.set("user", view.user);
        layout.set("logout_csrf", view.logoutToken);
    }
    layout.set("body", fill(name, view.values));
    return fill("layout", layout);
}

std::string PageRenderer::text(PageLanguage language, const std::string& key) const {
    const auto& texts = language == PageLanguage::English ? english_ : chinese_;
    const auto found = texts.find(key);
    return found == texts.end() ? key : found->second;
}

} // namespace dkpsite
