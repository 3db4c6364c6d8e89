#include "filecase/filecase.h"

#include "utilkit/ufile.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace filecase {
namespace {

char16_t lowerAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

bool existsAsIs(const std::u16string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(ufile::toNativePath(path), error));
}

// The entry of `folder` whose name matches `name` but for case; the alphabetically first one
// when several do, so the choice does not depend on the listing order. Empty when none does.
std::u16string findIgnoringCase(const std::u16string& folder, std::u16string_view name) {
    std::vector<std::u16string> matches;
    std::error_code error;
    const fs::path where(folder.empty() ? std::string(".") : ufile::toNativePath(folder));
    fs::directory_iterator it(where, error);
    if (error)
        return {};
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            break;
        std::u16string entry = ufile::fromNativePath(it->path().filename().native());
        if (equalIgnoringCase(entry, name))
            matches.push_back(std::move(entry));
    }
    if (matches.empty())
        return {};
    return *std::min_element(matches.begin(), matches.end());
}

} // namespace

bool equalIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto x, auto y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

std::u16string resolve(std::u16string_view base, std::u16string_view relative) {
    std::u16string path(base);
    bool searching = true; // below a component that does not exist nothing else can
    std::size_t start = 0;
    while (start < relative.size()) {
        std::size_t end = relative.find(u'/', start);
        if (end == std::u16string_view::npos)
            end = relative.size();
        const std::u16string_view name = relative.substr(start, end - start);
        const std::u16string folder = path;
        path.append(name);
        if (searching && !name.empty() && name != u"." && name != u".." && !existsAsIs(path)) {
            const std::u16string found = findIgnoringCase(folder, name);
            if (found.empty())
                searching = false;
            else
                path = folder + found;
        }
        if (end < relative.size())
            path.push_back(u'/');
        start = end + 1;
    }
    return path;
}

} // namespace filecase
