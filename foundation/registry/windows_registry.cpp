#include "registry/windows_registry.h"

#include <windows.h>

namespace registry {
namespace {

HKEY rootOf(Hive hive) {
    return hive == Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM viewFlag(View view) {
    switch (view) {
    case View::Bits64:
        return KEY_WOW64_64KEY;
    case View::Bits32:
        return KEY_WOW64_32KEY;
    default:
        return 0;
    }
}

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// A key opened for one operation, closed when the scope ends.
class OpenKey {
public:
    OpenKey(const ValueName& value, REGSAM access, bool create) {
        const std::wstring key = wide(value.key);
        const REGSAM rights = access | viewFlag(value.view);
        status_ = create
                      ? ::RegCreateKeyExW(rootOf(value.hive), key.c_str(), 0, nullptr,
                                          REG_OPTION_NON_VOLATILE, rights, nullptr, &key_, nullptr)
                      : ::RegOpenKeyExW(rootOf(value.hive), key.c_str(), 0, rights, &key_);
        if (status_ != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~OpenKey() {
        if (key_)
            ::RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY get() const { return key_; }
    LSTATUS status() const { return status_; }

private:
    HKEY key_ = nullptr;
    LSTATUS status_ = ERROR_SUCCESS;
};

} // namespace

std::optional<std::u16string> readString(const ValueName& value) {
    const OpenKey key(value, KEY_QUERY_VALUE, false);
    if (!key.get())
        return std::nullopt;
    const std::wstring name = wide(value.name);
    DWORD type = 0;
    DWORD size = 0;
    std::wstring data;
    LSTATUS status = ::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
    // The value may grow between asking for its size and reading it: ask again.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.resize(size / sizeof(wchar_t) + 1);
        size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        status = ::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_SUCCESS)
            break;
    }
    const std::size_t units = size / sizeof(wchar_t);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) ||
        size % sizeof(wchar_t) != 0 || units == 0 || data[units - 1] != L'\0')
        return std::nullopt;
    const std::wstring_view stored(data.data(), units - 1);
    const std::wstring_view text = stored.substr(0, stored.find(L'\0'));
    return std::u16string(text.begin(), text.end());
}

bool writeString(const ValueName& value, std::u16string_view text) {
    const OpenKey key(value, KEY_SET_VALUE, true);
    if (!key.get())
        return false;
    const std::wstring data = wide(text);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), wide(value.name).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

bool deleteValue(const ValueName& value) {
    const OpenKey key(value, KEY_SET_VALUE, false);
    if (!key.get())
        return key.status() == ERROR_FILE_NOT_FOUND;
    const LSTATUS status = ::RegDeleteValueW(key.get(), wide(value.name).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace registry
