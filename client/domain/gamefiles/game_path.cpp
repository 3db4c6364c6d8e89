#include "gamefiles/game_path.h"

#include "filecase/filecase.h"
#include "utilkit/ufile.h"

#include <filesystem>

namespace gamefiles {

std::u16string gamePath(std::u16string_view gameFolder, std::u16string_view relative) {
    if (gameFolder.empty())
        return {};
    return filecase::resolve(gameFolder, relative);
}

bool pathExists(std::u16string_view path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(ufile::toNativePath(path), error);
}

} // namespace gamefiles
