#include "win_files.h"

#include "utilkit/ustring.h"

namespace cabinet {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

} // namespace

std::wstring longPath(std::u16string_view path) {
    return longPath(std::wstring_view(std::wstring(path.begin(), path.end())));
}

std::wstring longPath(std::wstring_view path) {
    std::wstring text(path);
    for (wchar_t& c : text) {
        if (c == L'/')
            c = L'\\';
    }
    if (text.starts_with(kLongPrefix))
        return text;
    const DWORD needed = ::GetFullPathNameW(text.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return {};
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(text.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return {};
    full.resize(length);
    while (full.size() > 3 && full.back() == L'\\')
        full.pop_back();
    if (full.starts_with(L"\\\\"))
        return std::wstring(kLongUncPrefix) + full.substr(2);
    return std::wstring(kLongPrefix) + full;
}

std::string shownPath(std::wstring_view path) {
    std::wstring shown;
    if (path.starts_with(kLongUncPrefix))
        shown = L"\\\\" + std::wstring(path.substr(kLongUncPrefix.size()));
    else if (path.starts_with(kLongPrefix))
        shown = path.substr(kLongPrefix.size());
    else
        shown = path;
    return ustring::toUtf8(std::u16string(shown.begin(), shown.end()));
}

std::string describeError(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text),
        0, nullptr);
    if (length == 0 || text == nullptr)
        return "system error " + std::to_string(code);
    std::wstring sentence(text, length);
    ::LocalFree(text);
    while (!sentence.empty() && (sentence.back() == L'\n' || sentence.back() == L'\r' ||
                                 sentence.back() == L' ' || sentence.back() == L'.'))
        sentence.pop_back();
    return ustring::toUtf8(std::u16string(sentence.begin(), sentence.end()));
}

} // namespace cabinet
