#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cabinet {

// The path, relative to the destination and with "/" separators, that a name stored in a
// cabinet stands for. Leading full stops and separators ("\" and "/") are removed, repeated
// separators and "." components collapse. Nothing for a name that would climb out (a ".."
// component, or any component of dots and blanks only), names a drive or stream (":"), holds a
// control character, or is empty.
std::optional<std::u16string> targetOfStoredName(std::u16string_view stored);

} // namespace cabinet
