#pragma once

#include "config/property_bag.h"

#include <map>
#include <string>
#include <string_view>

namespace config {

// The settings file "config.cfg" in the program's folder: a compound file with one storage
// per section, each holding a stream "config" with the section's packed PropertyMap. Opens
// the file for one access at a time and keeps the sections handed out by acquire().
class ConfigStore {
public:
    // The file lives in the program's folder.
    ConfigStore();
    // The file lives in `folder` (ending in "/").
    explicit ConfigStore(std::u16string folder);
    ConfigStore(const ConfigStore&) = delete;
    ConfigStore& operator=(const ConfigStore&) = delete;

    // A new bag with the section's values; empty when the file, the section or the stream
    // is missing, damaged or in use. The caller gives it back with destroy().
    virtual PropertyBag* load(std::u16string_view section);
    // Deletes the bag without writing it; null is allowed.
    virtual void destroy(PropertyBag* bag);
    // The cached bag of the section (its use count raised), loading it on first use.
    virtual PropertyBag* acquire(std::u16string_view section);
    // A cached section stays in the file and gives true; otherwise the section is deleted
    // from the file and the result is false.
    virtual bool remove(std::u16string_view section);
    // Lowers the use count of a cached bag, destroying it at zero; other bags are ignored.
    virtual void release(PropertyBag* bag);
    // Writes the map as the section's stream: 0, or -1 when anything failed.
    virtual int write(std::u16string_view section, const packing::PropertyMap& map);
    // After the six operations, so that their order stays as it is. Destroys every bag still
    // in the cache.
    virtual ~ConfigStore();

    // The full path of "config.cfg".
    const std::u16string& path() const { return path_; }

private:
    struct CacheEntry {
        int useCount = 1;
        PropertyBag* section = nullptr;
    };

    std::u16string path_;
    std::map<std::string, CacheEntry> cache_;
};

} // namespace config
