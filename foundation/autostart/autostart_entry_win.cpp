#include "autostart/autostart_entry.h"

#include "registry/windows_registry.h"
#include "utilkit/ufile.h"

#include <string_view>

namespace autostart {

namespace {

constexpr std::u16string_view kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::u16string_view kValueName = u"TALLYRA";
constexpr std::u16string_view kLauncherName = u"Ledgerboot.exe";

// The machine-wide Run key, where earlier versions of the program registered the launcher too,
// so that their registration is recognised and never doubled. In the program's own registry
// view: a 32-bit program's value is in the 32-bit view, which Windows starts as well. Without
// the rights to change machine-wide settings nothing is written, and isRegistered() says so.
constexpr registry::ValueName kRunValue{registry::Hive::LocalMachine, kRunKey, kValueName};

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
    return u"HKEY_LOCAL_MACHINE\\" + std::u16string(kRunKey) + u"\\" + std::u16string(kValueName);
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
