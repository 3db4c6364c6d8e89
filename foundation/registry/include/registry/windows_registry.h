#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows only: string values of the Windows registry. Every operation opens its key for that
// one operation and closes it again.
namespace registry {

enum class Hive { LocalMachine, CurrentUser };

// Which of the two registry views of 64-bit Windows a key is opened in: the running program's
// own, or the 64-bit or the 32-bit one whatever the program is (32-bit Windows has only one).
enum class View { Own, Bits64, Bits32 };

struct ValueName {
    Hive hive;
    std::u16string_view key; // below the hive, "Software\\Vendor\\Product"
    std::u16string_view name;
    View view = View::Own;
};

// The text of a string value (REG_SZ, or REG_EXPAND_SZ taken literally, not expanded), up to its
// first NUL. Nothing when the key or the value is missing, the value is of another type, or its
// data is not whole UTF-16 units ending in a NUL.
std::optional<std::u16string> readString(const ValueName& value);

// Sets the value to `text` as REG_SZ, with its terminating NUL; the key is created when missing.
bool writeString(const ValueName& value, std::u16string_view text);

// Deletes the value; a missing key or value is not an error.
bool deleteValue(const ValueName& value);

} // namespace registry
