// Automatic start through the user's Run key, read back with the registry API itself.
#include "autostart/autostart_entry.h"

#include "utilkit/ufile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValue[] = L"TALLYRA";

struct RawValue {
    DWORD type = 0;
    std::wstring data; // the bytes as stored, NUL included
};

std::optional<RawValue> readRaw() {
    RawValue value;
    DWORD size = 0;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kValue, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                       nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size / sizeof(wchar_t));
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kValue, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                       value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size / sizeof(wchar_t));
    return value;
}

void writeRaw(DWORD type, const std::wstring& data, DWORD bytes) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kValue, type, data.data(), bytes),
              ERROR_SUCCESS);
}

void writeText(const std::wstring& text, DWORD type = REG_SZ) {
    writeRaw(type, text, static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

class RunKey : public testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override { ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kValue); }

    const autostart::AutostartEntry entry_{};
    const std::wstring command_ = wide(autostart::AutostartEntry::expectedCommand());
};

TEST_F(RunKey, TheCommandIsTheLauncherBesideTheProgramWithBackslashes) {
    std::u16string folder = ufile::GetModulePathDir();
    for (char16_t& c : folder)
        c = c == u'/' ? u'\\' : c;
    EXPECT_EQ(autostart::AutostartEntry::expectedCommand(), folder + u"Ledgerboot.exe");
    EXPECT_EQ(autostart::AutostartEntry::entryPath(),
              u"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\TALLYRA");
}

TEST_F(RunKey, RegisteringWritesTheCommandAloneAndUnregisteringRemovesIt) {
    EXPECT_FALSE(entry_.isRegistered());
    EXPECT_FALSE(entry_.isChosen());
    entry_.setRegistered(true);
    const std::optional<RawValue> written = readRaw();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->type, DWORD(REG_SZ));
    EXPECT_EQ(written->data, command_ + L'\0'); // no quotes, no arguments, its NUL stored
    EXPECT_TRUE(entry_.isRegistered());
    EXPECT_TRUE(entry_.isChosen());

    entry_.setRegistered(false);
    EXPECT_FALSE(readRaw());
    EXPECT_FALSE(entry_.isRegistered());
    entry_.setRegistered(false); // nothing to remove: no error
    EXPECT_FALSE(readRaw());
}

TEST_F(RunKey, AnEqualValueIsLeftAsItIsAndAnotherFoldersLauncherIsReplaced) {
    // Registering again finds the value equal and does not write it (its type would change).
    writeText(command_, REG_EXPAND_SZ);
    EXPECT_TRUE(entry_.isRegistered());
    entry_.setRegistered(true);
    EXPECT_EQ(readRaw()->type, DWORD(REG_EXPAND_SZ));

    writeText(L"C:\\Old Place\\Ledgerboot.exe");
    EXPECT_FALSE(entry_.isRegistered());
    EXPECT_TRUE(entry_.isChosen()); // chosen, for a program folder that has moved
    entry_.setRegistered(true);
    EXPECT_EQ(readRaw()->data, command_ + L'\0');
}

TEST_F(RunKey, ValuesThatAreNotTheExactCommandDoNotCount) {
    const std::wstring cases[] = {L"\"" + command_ + L"\"", command_ + L" --minimised",
                                  command_.substr(0, command_.size() - 4)};
    for (const std::wstring& value : cases) {
        SCOPED_TRACE(std::string(value.begin(), value.end()));
        writeText(value);
        EXPECT_FALSE(entry_.isRegistered());
    }
    // The command without its terminating NUL, or in a number, is no text at all. (The registry
    // adds the NUL itself when the unit after the data is one: "x" is not.)
    writeRaw(REG_SZ, command_ + L'x', static_cast<DWORD>(command_.size() * sizeof(wchar_t)));
    EXPECT_FALSE(entry_.isRegistered());
    const DWORD number = 1;
    ASSERT_EQ(
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kValue, REG_DWORD, &number, sizeof number),
        ERROR_SUCCESS);
    EXPECT_FALSE(entry_.isRegistered());
    EXPECT_FALSE(entry_.isChosen());
    entry_.setRegistered(true);
    EXPECT_TRUE(entry_.isRegistered());
}

} // namespace
