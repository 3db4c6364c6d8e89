#include "config/property_bag.h"

#include "config/config_store.h"

#include "packing/pack.h"
#include "packing/unpack.h"

#include "utilkit/ustring.h"

namespace config {

PropertyBag::PropertyBag(std::string name, packing::PropertyMap map, ConfigStore* owner)
    : map_(std::move(map)), owner_(owner), name_(std::move(name)) {}

void PropertyBag::commit() {
    if (owner_ != nullptr)
        owner_->write(ustring::fromUtf8(name_), map_);
}

std::uint32_t PropertyBag::get_uint32(std::uint16_t key, std::uint32_t def) {
    const std::string* stored = map_.find(key);
    if (stored == nullptr)
        return def;
    std::uint32_t value = 0;
    for (const char c : *stored) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

void PropertyBag::set_uint32(std::uint16_t key, std::uint32_t value) {
    map_.set(key, std::to_string(value));
}

void PropertyBag::get_wstring(std::uint16_t key, std::u16string& value) {
    const std::string* stored = map_.find(key);
    value = stored == nullptr ? std::u16string() : ustring::fromUtf8(*stored);
}

void PropertyBag::set_wstring(std::uint16_t key, const std::u16string& value) {
    map_.set(key, ustring::toUtf8(value));
}

void PropertyBag::get_quad(std::uint16_t key, PropertyQuad& value) {
    const std::string* stored = map_.find(key);
    if (stored == nullptr || stored->empty())
        return;
    packing::Unpack unpack(stored->data(), stored->size());
    PropertyQuad read;
    read.f1 = unpack.pop_uint32();
    read.f0 = unpack.pop_uint32();
    read.f3 = unpack.pop_uint32();
    read.f2 = unpack.pop_uint32();
    value = read;
}

void PropertyBag::set_quad(std::uint16_t key, const PropertyQuad& value) {
    packing::PackBuffer buffer;
    packing::Pack pack(buffer);
    pack << value.f1 << value.f0 << value.f3 << value.f2;
    map_.set(key, std::string(pack.data(), pack.size()));
}

void PropertyBag::get_pair(std::uint16_t key, PropertyPair& value) {
    const std::string* stored = map_.find(key);
    if (stored == nullptr || stored->empty())
        return;
    packing::Unpack unpack(stored->data(), stored->size());
    PropertyPair read;
    read.f0 = unpack.pop_uint32();
    read.f1 = unpack.pop_uint32();
    value = read;
}

void PropertyBag::set_pair(std::uint16_t key, const PropertyPair& value) {
    packing::PackBuffer buffer;
    packing::Pack pack(buffer);
    pack << value.f0 << value.f1;
    map_.set(key, std::string(pack.data(), pack.size()));
}

std::string PropertyBag::get_string(std::uint16_t key, const std::string& def) {
    const std::string* stored = map_.find(key);
    return stored == nullptr || stored->empty() ? def : *stored;
}

void PropertyBag::set_string(std::uint16_t key, const std::string& value) {
    map_.set(key, value);
}

void PropertyBag::release() {
    if (owner_ != nullptr)
        owner_->release(this);
}

} // namespace config
