#include "config/config_store.h"

#include "section_reader.h"
#include "section_remover.h"
#include "section_writer.h"
#include "storage_access.h"

#include "packing/pack.h"
#include "packing/packet_error.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <string>

namespace config {

namespace {

// The section name as the cache and the bag keep it: UTF-8, up to the first NUL.
std::string cacheKey(std::u16string_view section) {
    return ustring::toUtf8(section.substr(0, section.find(u'\0')));
}

std::u16string_view untilNul(std::u16string_view section) {
    return section.substr(0, section.find(u'\0'));
}

} // namespace

ConfigStore::ConfigStore() : ConfigStore(ufile::GetModulePathDir()) {}

ConfigStore::ConfigStore(std::u16string folder) : path_(std::move(folder) + u"config.cfg") {}

ConfigStore::~ConfigStore() {
    for (auto& [name, entry] : cache_)
        destroy(entry.section);
}

PropertyBag* ConfigStore::load(std::u16string_view section) {
    auto* bag = new PropertyBag(cacheKey(section), packing::PropertyMap(), this);
    SectionReader reader(*bag);
    accessSection(path_, untilNul(section), reader);
    return bag;
}

void ConfigStore::destroy(PropertyBag* bag) {
    delete bag;
}

PropertyBag* ConfigStore::acquire(std::u16string_view section) {
    const std::string key = cacheKey(section);
    if (const auto found = cache_.find(key); found != cache_.end()) {
        ++found->second.useCount;
        return found->second.section;
    }
    PropertyBag* bag = load(section);
    cache_.emplace(key, CacheEntry{1, bag});
    return bag;
}

bool ConfigStore::remove(std::u16string_view section) {
    if (cache_.contains(cacheKey(section)))
        return true;
    SectionRemover remover(untilNul(section));
    accessSection(path_, untilNul(section), remover);
    return false;
}

void ConfigStore::release(PropertyBag* bag) {
    for (auto entry = cache_.begin(); entry != cache_.end(); ++entry) {
        if (entry->second.section != bag)
            continue;
        if (--entry->second.useCount <= 0) {
            cache_.erase(entry);
            destroy(bag);
        }
        return;
    }
}

int ConfigStore::write(std::u16string_view section, const packing::PropertyMap& map) {
    // Packed before the file is opened: a map that cannot be packed (a value longer than a
    // packed string may be) is refused with the file untouched.
    std::string packed;
    try {
        packing::PackBuffer buffer;
        packing::Pack pack(buffer);
        map.marshal(pack);
        packed.assign(pack.data(), pack.size());
    } catch (const packing::PackError&) {
        return -1;
    }
    SectionWriter writer(packed);
    accessSection(path_, untilNul(section), writer);
    return writer.result();
}

} // namespace config
