#pragma once

#include <string>
#include <string_view>

// Windows folders ignore the case of names; the same folders under Wine on Linux do not, and
// the game writes "Interface/Addons" where its documentation says "Interface/AddOns".
namespace filecase {

// Joins `base` (a folder ending in "/", or empty for the current folder) and `relative`
// ("/"-separated), replacing each component that does not exist with that exact spelling by
// an existing entry whose name differs only in the case of A-Z. Components with no such entry
// keep the spelling asked for, so the result also names files still to be created. A trailing
// "/" of `relative` is kept.
std::u16string resolve(std::u16string_view base, std::u16string_view relative);

// True when the two names are equal but for the case of A-Z and a-z.
bool equalIgnoringCase(std::u16string_view a, std::u16string_view b);

} // namespace filecase
