#include "autostart/autostart_entry.h"

#include "autostart/desktop_entry.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace autostart {

namespace {

constexpr std::string_view kEntryName = "TALLYRA";
constexpr std::u16string_view kLauncherName = u"Ledgerboot";

std::string configurationFolder() {
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is ignored.
    const char* configured = std::getenv("XDG_CONFIG_HOME");
    if (configured != nullptr && configured[0] == '/')
        return configured;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}

} // namespace

std::u16string AutostartEntry::expectedCommand() {
    return ufile::GetModulePathDir() + std::u16string(kLauncherName);
}

std::u16string AutostartEntry::entryPath() {
    return ustring::fromUtf8(configurationFolder() + "/autostart/" + std::string(kEntryName) +
                             ".desktop");
}

bool AutostartEntry::isChosen() const {
    std::string text;
    return ufile::ReadFileData(entryPath(), text) &&
           desktop_entry::readValue(text, "Hidden").value_or("") != "true";
}

bool AutostartEntry::isRegistered() const {
    std::string text;
    if (!ufile::ReadFileData(entryPath(), text))
        return false;
    if (desktop_entry::readValue(text, "Hidden").value_or("") == "true")
        return false;
    const auto exec = desktop_entry::readValue(text, "Exec");
    if (!exec)
        return false;
    const auto arguments = desktop_entry::splitExec(*exec);
    return arguments && arguments->size() == 1 &&
           arguments->front() == ustring::toUtf8(expectedCommand());
}

void AutostartEntry::setRegistered(bool on) const {
    const std::string path = ufile::toNativePath(entryPath());
    std::error_code ignored;
    if (!on) {
        std::filesystem::remove(path, ignored);
        return;
    }
    if (isRegistered())
        return;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    ufile::WriteFileData(entryPath(), desktop_entry::applicationEntry(
                                          kEntryName, ustring::toUtf8(expectedCommand())));
}

} // namespace autostart
