// What the pages decide before a template is filled: the reader's language, the standings a
// query keeps and their order, where a link may lead back, and that every text a template
// names exists in both languages.
#include "web/new_password.h"
#include "web/page_renderer.h"
#include "web/page_request.h"
#include "web/standings_view.h"
#include "web/web_assets.h"

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

TEST(PageLanguage, ChineseUnlessTheReaderChoseOrPrefersEnglish) {
    struct Case {
        const char* cookie;
        const char* acceptLanguage;
        PageLanguage expected;
    };
    const Case cases[] = {
        {"", "", PageLanguage::Chinese},
        {"", "en-US,en;q=0.9", PageLanguage::English},
        {"", "zh-CN,zh;q=0.9,en;q=0.8", PageLanguage::Chinese},
        {"", "en;q=0.5, zh-TW;q=0.6", PageLanguage::Chinese},
        {"", "fr-FR, en;q=0.3", PageLanguage::English},
        {"", "EN-gb", PageLanguage::English},
        {"", "eng, enx", PageLanguage::Chinese}, // not "en" tags
        {"", "en;q=abc", PageLanguage::Chinese}, // an unreadable weight counts for nothing
        {"zh", "en", PageLanguage::Chinese},
        {"en", "zh-CN", PageLanguage::English},
        {"xx", "en", PageLanguage::English},
    };
    for (const Case& c : cases)
        EXPECT_EQ(choosePageLanguage(c.cookie, c.acceptLanguage), c.expected)
            << "cookie \"" << c.cookie << "\", Accept-Language \"" << c.acceptLanguage << "\"";
}

TEST(PageRequest, TheLanguageSwitchLeadsOnlyBackIntoTheSite) {
    EXPECT_EQ(localTarget("/adpt_dkp?sort=name"), "/adpt_dkp?sort=name");
    for (const char* away : {"//evil.example/", "/\\evil.example", "https://evil.example/", "",
                             "adpt_dkp", "/a\r\nSet-Cookie: x=1"})
        EXPECT_EQ(localTarget(away), "/") << away;
    EXPECT_EQ(percentEncoded("a b&c=晨"), "a%20b%26c%3D%E6%99%A8");
}

StandingRow row(const char* name, const char* playerClass, std::int64_t earned,
                std::int64_t raids) {
    return {Standing{name, playerClass, earned, 0}, raids};
}

std::vector<std::string> names(const std::vector<StandingRow>& rows) {
    std::vector<std::string> result;
    for (const StandingRow& r : rows)
        result.push_back(r.standing.name);
    return result;
}

TEST(StandingsView, EachColumnSortsBothWaysAndFiltersKeepOnlyWhatWasAsked) {
    std::vector<StandingRow> rows = {row("Corwyn", "Rogue", 5, 2), row("aldric", "Mage", 50, 4),
                                     row("Brannoc", "Hunter", 50, 1),
                                     row("冰霜法师", "Mage", 25, 3), row("Idle", "Mage", 90, 0)};
    markInactive(rows, {{"Idle", "Mage", 70, "", false}, {"Corwyn", "Rogue", 70, "", true}});
    using V = std::vector<std::string>;
    struct Case {
        const char *sort, *order, *playerClass, *name;
        V expected;
        const char* inactive = "";
    };
    const Case cases[] = {
        // Default: points, highest first; equal points in name order.
        {"", "", "", "", V{"Brannoc", "aldric", "冰霜法师", "Corwyn"}},
        {"points", "asc", "", "", V{"Corwyn", "冰霜法师", "Brannoc", "aldric"}},
        {"name", "", "", "", V{"Brannoc", "Corwyn", "aldric", "冰霜法师"}},
        {"name", "desc", "", "", V{"冰霜法师", "aldric", "Corwyn", "Brannoc"}},
        {"class", "", "", "", V{"Brannoc", "aldric", "冰霜法师", "Corwyn"}},
        {"attendance", "", "", "", V{"aldric", "冰霜法师", "Corwyn", "Brannoc"}},
        {"bogus", "sideways", "", "", V{"Brannoc", "aldric", "冰霜法师", "Corwyn"}},
        {"name", "", "Mage", "", V{"aldric", "冰霜法师"}},
        {"name", "", "", "ALD", V{"aldric"}},
        {"name", "", "", "法师", V{"冰霜法师"}},
        {"name", "", "Rogue", "ald", V{}},
        // Inactive players only when asked for, and then under every other filter.
        {"", "", "", "", V{"Idle", "Brannoc", "aldric", "冰霜法师", "Corwyn"}, "1"},
        {"name", "", "Mage", "", V{"Idle", "aldric", "冰霜法师"}, "1"},
        {"name", "", "", "idl", V{}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(names(selectStandings(
                      rows, standingsQuery(c.sort, c.order, c.playerClass, c.name, c.inactive))),
                  c.expected)
            << "sort=" << c.sort << " order=" << c.order << " class=" << c.playerClass
            << " q=" << c.name;
    EXPECT_EQ(attendancePercent(rows[1], 8), 50);
    EXPECT_EQ(attendancePercent(rows[1], 0), 0);
    EXPECT_EQ(attendancePercent(rows[1], 3), 100); // never above all raids
}

TEST(NewPassword, APageAcceptsOnlyAPasswordTheClientCanTypeAndSend) {
    struct Case {
        std::string password, again, problem;
    };
    const Case cases[] = {
        {"eight ch", "eight ch", ""},
        {"夜色 officer", "夜色 officer", ""},
        {std::string(25, 'x'), std::string(25, 'x'), ""},
        {"二十五个字二十五个字二十五个字二十五个字二十五个字",
         "二十五个字二十五个字二十五个字二十五个字二十五个字", ""},
        {"eight ch", "eight cH", "password_mismatch"},
        {"seven c", "seven c", "password_length"},
        {std::string(26, 'x'), std::string(26, 'x'), "password_length"},
        {" leading", " leading", "password_blank_ends"},
        {"trailing\t", "trailing\t", "password_blank_ends"},
        // The client sends GBK: a character it has no code for would become "?".
        {"emoji 😀 pass", "emoji 😀 pass", "password_characters"},
        {"한국어 password", "한국어 password", "password_characters"},
        {"bad \xff utf-8", "bad \xff utf-8", "password_characters"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(newPasswordProblem(c.password, c.again), c.problem) << c.password;
}

TEST(PageRenderer, EveryTextATemplateNamesExistsInBothLanguages) {
    const PageRenderer renderer;
    int named = 0;
    for (const auto& [path, content] : webAssets()) {
        for (size_t tag = content.find("{{t."); tag != content.npos;
             tag = content.find("{{t.", tag + 1)) {
            ++named;
            const size_t start = tag + 4;
            const std::string key(content.substr(start, content.find("}}", start) - start));
            for (const auto language : {PageLanguage::Chinese, PageLanguage::English})
                EXPECT_NE(renderer.text(language, key), key) << path << " names " << key;
        }
    }
    EXPECT_GT(named, 50);
}

TEST(PageRenderer, ValuesAreEscapedAndTheLayoutNamesTheLanguage) {
    const PageRenderer renderer;
    PageView view;
    view.language = PageLanguage::English;
    view.title = "<b>\"T\" & 'U'</b>";
    view.values.set("message", "<script>x()</script>");
    const std::string page = renderer.render("message", view);
    EXPECT_NE(page.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;x()&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(page.find("&lt;b&gt;&quot;T&quot; &amp; &apos;U&apos;&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
}

} // namespace
} // namespace dkpsite
