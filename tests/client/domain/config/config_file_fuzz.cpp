// Fuzz target: arbitrary bytes as "config.cfg". Reading never crashes or hangs; a file
// that cannot be written to is left byte for byte as it was; a file that can is still
// sound afterwards and holds what was written.
#include "config/config_store.h"
#include "config/ledgerward_keys.h"

#include "utilkit/ufile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() /
                          ("rl-config-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path file = scratchFolder() / "config.cfg";
    check(ufile::WriteFileData(ufile::fromNativePath(file.native()), bytes));

    config::ConfigStore store(ufile::fromNativePath(scratchFolder().native() + "/"));
    config::PropertyBag* bag = store.load(config::ledgerward::SectionName);
    packing::PropertyMap map = bag->map();
    store.destroy(bag);

    map.set(config::ledgerward::UserName, "fuzz");
    if (store.write(config::ledgerward::SectionName, map) != 0) {
        std::string after;
        check(ufile::ReadFileData(ufile::fromNativePath(file.native()), after) && after == bytes);
        return 0;
    }
    bag = store.load(config::ledgerward::SectionName);
    check(bag->map() == map);
    store.destroy(bag);
    return 0;
}
