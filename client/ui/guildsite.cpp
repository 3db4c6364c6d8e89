#include "ui/guildsite.h"

#include "utilkit/ustring.h"

#include <vector>

namespace ui {

namespace {

void replaceAll(std::u16string& text, const std::u16string& from, const std::u16string& to) {
    if (from.empty())
        return;
    for (std::size_t at = text.find(from); at != std::u16string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::u16string guildSiteName(std::u16string url, const std::u16string& oldHost,
                             const std::u16string& host) {
    replaceAll(url, oldHost, host);
    if (host.empty())
        return {};
    std::vector<std::u16string> pieces;
    ustring::Analyze(url, u'/', pieces);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i] != host)
            continue;
        std::size_t site = i + 1;
        if (site < pieces.size() && pieces[site].size() == 1)
            ++site;
        return site < pieces.size() ? pieces[site] : std::u16string();
    }
    return {};
}

} // namespace ui
