// The game's install record read through the Windows registry: the test writes the record with
// the registry API itself, in the 64-bit and the 32-bit view, and reads it through the back end.
#include "registry/game_install.h"
#include "registry/windows_registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const std::wstring kKey = L"Software\\Blizzard Entertainment\\World of Warcraft";

// Writes `size` bytes of `data` as the value `name` of `key` below the hive, in the view.
void writeRaw(HKEY hive, const std::wstring& key, REGSAM view, const wchar_t* name, DWORD type,
              const void* data, DWORD size) {
    HKEY opened = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(hive, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_SET_VALUE | view, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    ::RegCloseKey(opened);
}

void writeInstallPath(REGSAM view, const std::wstring& path, DWORD type = REG_SZ) {
    writeRaw(HKEY_LOCAL_MACHINE, kKey, view, L"InstallPath", type, path.c_str(),
             static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
}

void removeKey(REGSAM view) {
    const LSTATUS status = ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey.c_str(), view, 0);
    EXPECT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
}

class GameInstallRecord : public testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        removeKey(KEY_WOW64_64KEY);
        removeKey(KEY_WOW64_32KEY);
    }
};

TEST_F(GameInstallRecord, TheSixtyFourBitViewComesFirstThenTheThirtyTwoBitOne) {
    EXPECT_EQ(registry::readGameInstallPath(), u"");
    writeInstallPath(KEY_WOW64_32KEY, L"D:\\Games\\World of Warcraft");
    // The record lacks the final separator; the folder still ends in one.
    EXPECT_EQ(registry::readGameInstallPath(), u"D:/Games/World of Warcraft/");
    writeInstallPath(KEY_WOW64_64KEY, L"C:\\魔兽世界\\");
    EXPECT_EQ(registry::readGameInstallPath(), u"C:/魔兽世界/");
    // An empty record counts as none.
    writeInstallPath(KEY_WOW64_64KEY, L"");
    EXPECT_EQ(registry::readGameInstallPath(), u"D:/Games/World of Warcraft/");
}

TEST_F(GameInstallRecord, AnExpandableStringIsTakenLiterallyAndOtherTypesAreNoRecord) {
    writeInstallPath(KEY_WOW64_64KEY, L"%ProgramFiles%\\WoW\\", REG_EXPAND_SZ);
    EXPECT_EQ(registry::readGameInstallPath(), u"%ProgramFiles%/WoW/");
    const DWORD number = 1;
    writeRaw(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_64KEY, L"InstallPath", REG_DWORD, &number,
             sizeof number);
    EXPECT_EQ(registry::readGameInstallPath(), u"");
}

TEST_F(GameInstallRecord, APathLongerThanTheOldLimitIsReadWhole) {
    std::wstring deep = L"C:";
    while (deep.size() < 600)
        deep += L"\\folder";
    writeInstallPath(KEY_WOW64_64KEY, deep);
    EXPECT_EQ(registry::readGameInstallPath().size(), deep.size() + 1);
}

// The data of a string value is kept as written: only whole UTF-16 units ending in a NUL make a
// text, and the text ends at its first NUL.
TEST(RegistryString, OnlyWholeUnitsEndingInANulMakeAText) {
    const registry::ValueName value{registry::Hive::CurrentUser, u"Software\\RaidledgerTest",
                                    u"Text"};
    struct Case {
        const char* what;
        std::wstring data;
        DWORD bytes;
        std::optional<std::u16string> expected;
    };
    const Case cases[] = {
        {"with its NUL", std::wstring(L"abc", 4), 8, u"abc"},
        // The registry adds the NUL itself when the unit after the data is one: "d" is not.
        {"without a NUL", L"abcd", 6, std::nullopt},
        {"an odd size", std::wstring(L"abc", 4), 7, std::nullopt},
        {"a NUL inside", std::wstring(L"ab\0c\0", 5), 10, u"ab"},
        {"no data", L"", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeRaw(HKEY_CURRENT_USER, L"Software\\RaidledgerTest", 0, L"Text", REG_SZ, c.data.data(),
                 c.bytes);
        EXPECT_EQ(registry::readString(value), c.expected);
    }
    EXPECT_TRUE(registry::writeString(value, u"written"));
    EXPECT_EQ(registry::readString(value), u"written");
    EXPECT_TRUE(registry::deleteValue(value));
    EXPECT_EQ(registry::readString(value), std::nullopt);
    EXPECT_TRUE(registry::deleteValue(value));
    EXPECT_EQ(::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\RaidledgerTest"), ERROR_SUCCESS);
    EXPECT_TRUE(registry::deleteValue(value)); // nor is a missing key
}

} // namespace
