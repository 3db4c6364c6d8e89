#include "placement.h"

#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <set>

namespace fs = std::filesystem;

namespace cabinet {
namespace {

std::u16string comparable(const fs::path& path, bool ignoreCase) {
    std::u16string text = ufile::fromPath(path);
    if (ignoreCase) {
        for (char16_t& c : text) {
            if (c >= u'a' && c <= u'z')
                c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return text;
}

} // namespace

bool checkTargetsAgree(const std::vector<StagedFile>& files, bool ignoreCase, std::string& error) {
    std::set<std::u16string> folders;
    for (const StagedFile& file : files) {
        for (fs::path level = file.target.parent_path(); !level.empty();
             level = level.parent_path())
            folders.insert(comparable(level, ignoreCase));
    }
    for (const StagedFile& file : files) {
        if (folders.contains(comparable(file.target, ignoreCase))) {
            error = "\"" + ustring::toUtf8(ufile::fromPath(file.target)) +
                    "\" is both a file and a folder of the cabinet";
            return false;
        }
    }
    return true;
}

} // namespace cabinet
