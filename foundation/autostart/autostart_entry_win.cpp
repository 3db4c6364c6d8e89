#include "autostart/autostart_entry.h"

#include "registry/windows_registry.h"
#include "utilkit/ufile.h"

#include <string_view>

namespace autostart {

namespace {

constexpr std::u16string_view kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::u16string_view kValueName = u"TALLYRA";
constexpr std::u16string_view kLauncherName = u"Ledgerboot.exe";

// The user's own Run key: registering needs no rights beyond the user's, as the program folder
// the launcher lives in is the user's too. The key is the same in both registry views.
constexpr registry::ValueName kRunValue{registry::Hive::CurrentUser, kRunKey, kValueName};

} // namespace

std::u16string AutostartEntry::expectedCommand() {
    std::u16string command = ufile::GetModulePathDir() + std::u16string(kLauncherName);
    for (char16_t& c : command) {
        if (c == u'/')
            c = u'\\';
    }
    return command;
}

std::u16string AutostartEntry::entryPath() {
    return u"HKEY_CURRENT_USER\\" + std::u16string(kRunKey) + u"\\" + std::u16string(kValueName);
}

bool AutostartEntry::isChosen() const {
    return registry::readString(kRunValue).has_value();
}

bool AutostartEntry::isRegistered() const {
    return registry::readString(kRunValue) == expectedCommand();
}

void AutostartEntry::setRegistered(bool on) const {
    if (!on)
        registry::deleteValue(kRunValue);
    else if (!isRegistered())
        registry::writeString(kRunValue, expectedCommand());
}

} // namespace autostart
