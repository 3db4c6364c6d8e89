#pragma once

#include <cstdint>
#include <string_view>

namespace config {

// The client's one settings section and the keys it stores there.
namespace ledgerward {

inline constexpr std::u16string_view SectionName = u"Ledgerward";

// The default guild address: wide text, stored as UTF-8.
inline constexpr std::uint16_t GuildUrl = 1001;
// The login user name: bytes in the ANSI code page, stored unchanged.
inline constexpr std::uint16_t UserName = 1002;
// The typed password in the same form as UserName; empty unless the user asked to keep it.
inline constexpr std::uint16_t Password = 1003;
// The game folder chosen by the user: wide text, stored as UTF-8, ending in a separator.
inline constexpr std::uint16_t WowFolder = 1004;

} // namespace ledgerward

} // namespace config
