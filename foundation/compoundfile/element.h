#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace compoundfile {

// One storage or stream of a compound file, held in memory for the length of an access.
struct Element {
    std::u16string name;
    bool isStorage = false;
    std::string data;                               // a stream's bytes
    std::vector<std::shared_ptr<Element>> children; // a storage's elements

    // The child of that name (A-Z compared without case), or nullptr.
    std::shared_ptr<Element> findChild(std::u16string_view childName) const;
    bool removeChild(std::u16string_view childName);
};

// Element names hold 1 to 31 UTF-16 units and none of "/", "\\", ":" and "!".
bool isValidElementName(std::u16string_view name);

} // namespace compoundfile
