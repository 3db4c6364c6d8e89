// The placement rules of the FDI back end as only Windows shows them: attributes, things in the
// way, names Windows cannot hold, paths longer than MAX_PATH below a Chinese folder name. The
// extraction itself is compared with the Linux back end cabinet by cabinet by
// tools/run/windows/compare_cabinets.py.
#include "cabinet/extract.h"

#include "testsupport/cabinet_builder.h"
#include "utilkit/ufile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <random>

namespace fs = std::filesystem;
using cabinet_test::CabinetEntry;
using cabinet_test::makeStoredCabinet;

namespace {

// The form of a path that the file functions take at any length.
std::wstring longForm(std::u16string_view path) {
    return L"\\\\?\\" + fs::path(ufile::toPath(path)).make_preferred().wstring();
}

// Deletes the folder with everything in it, read-only files and paths of any length included.
void deleteTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                deleteTree(path);
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
}

class CabinetExtractWindows : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        root_ = ufile::fromPath(fs::temp_directory_path());
        if (root_.back() != u'/')
            root_ += u'/';
        root_ += u"更新 " + std::u16string(1, static_cast<char16_t>(u'a' + random() % 26)) +
                 std::u16string(1, static_cast<char16_t>(u'a' + random() % 26)) + u"/";
        ASSERT_TRUE(fs::create_directories(ufile::toPath(program())));
    }
    void TearDown() override { deleteTree(longForm(root_.substr(0, root_.size() - 1))); }

    std::u16string program() const { return root_ + u"program"; }
    cabinet::ExtractResult extract(const std::vector<CabinetEntry>& entries,
                                   const std::atomic<bool>* cancel = nullptr) {
        EXPECT_TRUE(ufile::WriteFileData(root_ + u"package.cab", makeStoredCabinet(entries)));
        return cabinet::extract({root_ + u"package.cab", program(), program() + u"/temp", cancel});
    }
    std::string read(std::u16string_view relative) const {
        std::string data;
        ufile::ReadFileData(program() + u"/" + std::u16string(relative), data);
        return data;
    }
    DWORD attributes(std::u16string_view relative) const {
        const std::u16string path = program() + u"/" + std::u16string(relative);
        return ::GetFileAttributesW(ufile::toPath(path).c_str());
    }
    // Nothing in the program folder but the empty staging folder.
    void expectProgramUntouched() const {
        for (const auto& entry : fs::recursive_directory_iterator(ufile::toPath(program())))
            EXPECT_EQ(entry.path().filename(), fs::path(L"temp")) << entry.path();
    }

    std::u16string root_;
};

TEST_F(CabinetExtractWindows, TheReadOnlyAttributeIsSetAndAReadOnlyTargetFailsTheCabinet) {
    CabinetEntry locked{"locked.txt", "v1"};
    locked.attributes = 0x21;
    ASSERT_TRUE(extract({locked, {"open.txt", "v1"}}));
    EXPECT_TRUE(attributes(u"locked.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(attributes(u"open.txt") & FILE_ATTRIBUTE_READONLY);

    const cabinet::ExtractResult again = extract({{"open.txt", "v2"}, {"locked.txt", "v2"}});
    EXPECT_FALSE(again);
    EXPECT_NE(again.error.find("\"locked.txt\" is read-only"), std::string::npos) << again.error;
    EXPECT_EQ(read(u"locked.txt"), "v1");
    EXPECT_EQ(read(u"open.txt"), "v1");
}

TEST_F(CabinetExtractWindows, AFolderAtATargetOrAFileAtAFolderLevelInstallsNothing) {
    fs::create_directories(ufile::toPath(program() + u"/taken.txt"));
    const cabinet::ExtractResult folder = extract({{"first.txt", "1"}, {"taken.txt", "x"}});
    EXPECT_NE(folder.error.find("exists and is not a plain file"), std::string::npos)
        << folder.error;
    fs::remove(ufile::toPath(program() + u"/taken.txt"));

    ASSERT_TRUE(ufile::WriteFileData(program() + u"/x", "a file, not a folder"));
    const cabinet::ExtractResult file = extract({{"first.txt", "1"}, {"x\\y.txt", "y"}});
    EXPECT_NE(file.error.find("is in the way and not a folder"), std::string::npos) << file.error;
    fs::remove(ufile::toPath(program() + u"/x"));
    expectProgramUntouched();
}

TEST_F(CabinetExtractWindows, NamesWindowsCannotHoldAndBadCabinetFilesAreRefused) {
    for (const char* name : {"a|b.txt", "CON.txt", "sub\\com1", "trailing. ", "what?.txt"}) {
        SCOPED_TRACE(name);
        const cabinet::ExtractResult result = extract({{"first.txt", "1"}, {name, "x"}});
        EXPECT_NE(result.error.find("cannot be a file name on Windows"), std::string::npos)
            << result.error;
    }
    // Names that differ from such names only in their case or their middle are fine.
    ASSERT_TRUE(extract({{"console.txt", "c"}, {"a.b.txt", "ab"}}));
    EXPECT_EQ(read(u"console.txt"), "c");
    fs::remove(ufile::toPath(program() + u"/console.txt"));
    fs::remove(ufile::toPath(program() + u"/a.b.txt"));

    const auto error = [&](std::u16string_view cabinetFile) {
        return cabinet::extract({std::u16string(cabinetFile), program(), program() + u"/temp"})
            .error;
    };
    EXPECT_NE(error(root_ + u"absent.cab").find("is missing"), std::string::npos);
    EXPECT_NE(error(program()).find("is not a plain file"), std::string::npos);
    ASSERT_TRUE(ufile::WriteFileData(root_ + u"text.cab", "just some text"));
    EXPECT_NE(error(root_ + u"text.cab").find("is not a cabinet file"), std::string::npos);
    const std::atomic<bool> cancel{true};
    EXPECT_NE(extract({{"a.txt", "a"}}, &cancel).error.find("cancelled"), std::string::npos);
    expectProgramUntouched();
}

TEST_F(CabinetExtractWindows, PathsLongerThanMaxPathAreExtracted) {
    std::string deep;
    while (deep.size() < 300)
        deep += "level\\";
    CabinetEntry chinese{"更新.txt", "更新"};
    chinese.attributes = 0xA0; // the name is UTF-8
    ASSERT_TRUE(extract({{deep + "deep.txt", "deep"}, chinese}));
    std::u16string relative(deep.begin(), deep.end());
    for (char16_t& c : relative)
        c = c == u'\\' ? u'/' : c;
    const HANDLE file =
        ::CreateFileW(longForm(program() + u"/" + relative + u"deep.txt").c_str(), GENERIC_READ,
                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char buffer[16] = {};
    DWORD read = 0;
    EXPECT_TRUE(::ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    ::CloseHandle(file);
    EXPECT_EQ(std::string(buffer, read), "deep");
    EXPECT_EQ(this->read(u"更新.txt"), "更新");
}

} // namespace
