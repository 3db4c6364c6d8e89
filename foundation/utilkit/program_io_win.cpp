#include "utilkit/program_io.h"

#include "utilkit/ustring.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h> // after windows.h, whose types it uses

namespace utilkit {

std::vector<std::string> programArguments(int, char**) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr)
        return {};
    std::vector<std::string> utf8;
    for (int i = 1; i < count; ++i) {
        const std::wstring_view argument(arguments[i]);
        utf8.push_back(ustring::toUtf8(std::u16string_view(
            reinterpret_cast<const char16_t*>(argument.data()), argument.size())));
    }
    ::LocalFree(arguments);
    return utf8;
}

void useBinaryStandardStreams() {
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // A console shows the UTF-8 it is given as UTF-8.
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace utilkit
