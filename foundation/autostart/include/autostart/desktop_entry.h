#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace autostart {

// The parts of the freedesktop.org desktop entry format that an autostart entry needs.
namespace desktop_entry {

// The text of an application entry named `name` that starts `program` without arguments.
std::string applicationEntry(std::string_view name, std::string_view program);

// The value of `key` in the "[Desktop Entry]" group, with the string escapes undone; nothing
// when the key is absent.
std::optional<std::string> readValue(std::string_view entryText, std::string_view key);

// The command line of an "Exec" value split into its arguments, quoting undone. Nothing when
// the value is malformed (an unterminated quote).
std::optional<std::vector<std::string>> splitExec(std::string_view exec);

// An "Exec" value (before string escaping) that runs `program` alone.
std::string quoteExecArgument(std::string_view program);

} // namespace desktop_entry

} // namespace autostart
