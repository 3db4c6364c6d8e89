#pragma once

#include <string>
#include <string_view>

#include <windows.h>

// Windows only: paths and error texts of the cabinet back end.
namespace cabinet {

// The absolute form of a path ("/" or "\" between its components) that the file functions take
// at any length: "\\?\C:\...", or "\\?\UNC\server\..." for a network path. Empty when the system
// cannot make it absolute.
std::wstring longPath(std::wstring_view path);
std::wstring longPath(std::u16string_view path);

// The path as people read it, in UTF-8, without the "\\?\" that longPath puts before it.
std::string shownPath(std::wstring_view path);

// The system's sentence for an error code, in UTF-8, without its final full stop.
std::string describeError(DWORD code);

} // namespace cabinet
