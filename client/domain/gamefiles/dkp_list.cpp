#include "gamefiles/dkp_list.h"

#include "gamefolder/game_layout.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"
#include "utilkit/utime.h"

#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

namespace gamefiles {
namespace {

// The quoted millisecond count read digit by digit, anything but a digit as 0.
double millisecondsOf(std::u16string_view digits) {
    double value = 0;
    for (const char16_t c : digits)
        value = value * 10 + ((c >= u'0' && c <= u'9') ? c - u'0' : 0);
    return value;
}

std::u16string formatLocalTime(std::int64_t seconds) {
    return ustring::fromUtf8(utime::formatLocalTime(
        static_cast<std::time_t>(seconds), "%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5 %H:%M:%S"));
}

} // namespace

std::u16string getDkpListFile(std::u16string_view gameFolder) {
    return gamefolder::dkpListFile(gameFolder);
}

bool placeEmptyDkpList(std::u16string_view gameFolder) {
    if (gameFolder.empty())
        return true; // the paths would name the current directory
    const std::u16string file = getDkpListFile(gameFolder);
    if (gamefolder::pathExists(file) || !ufile::isFolder(gamefolder::dkpListFolder(gameFolder)))
        return true;
    return ufile::WriteFileData(file, kEmptyDkpList);
}

bool writeDkpList(std::u16string_view gameFolder, std::string_view listText) {
    const std::u16string file = getDkpListFile(gameFolder);
    std::string current;
    if (ufile::ReadFileData(file, current) && current == listText)
        return true;
    return ufile::WriteFileData(file, listText);
}

std::u16string getUpdateTimeText(std::u16string_view listText) {
    if (listText.find(u"Mer_DKP_UPDATETIME") == std::u16string_view::npos ||
        listText.find(u"MerDKP_Table") == std::u16string_view::npos)
        return {};
    const std::size_t end = listText.find(u';');
    if (end == std::u16string_view::npos)
        return {};
    std::vector<std::u16string> pieces;
    ustring::Analyze(listText.substr(0, end), u'"', pieces);
    if (pieces.size() <= 2)
        return {};
    const double seconds = std::trunc(millisecondsOf(pieces[1]) / 1000);
    // Beyond this no calendar year fits the broken-down time; such lists have no display.
    if (!(seconds < 6.7e16))
        return {};
    return formatLocalTime(static_cast<std::int64_t>(seconds));
}

} // namespace gamefiles
