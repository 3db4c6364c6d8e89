#include "update_fixture.h"

#include "cabinet_builder.h"
#include "packlist/pack_list_file.h"

#include "utilkit/ufile.h"

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

void UpdateFixture::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "updater-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "temp");
}

void UpdateFixture::TearDown() {
    for (const auto& entry : fs::recursive_directory_iterator(root_))
        if (!entry.is_symlink())
            fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(root_);
}

std::u16string UpdateFixture::programFolder() const {
    return ufile::fromNativePath(root_.native()) + u"/";
}

std::string UpdateFixture::read(const std::string& relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void UpdateFixture::write(const std::string& relative, const std::string& bytes) const {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << bytes;
}

bool UpdateFixture::exists(const std::string& relative) const {
    return fs::exists(fs::symlink_status(root_ / relative));
}

void UpdateFixture::writeDownloadState(const packlist::PackList& packs, const char* flag) const {
    write("temp/dlstate.xml", flag ? packlist::formatPackList(packs, std::string(flag))
                                   : packlist::formatPackList(packs));
}

void UpdateFixture::writeCabinet(const std::string& name, const std::string& file,
                                 const std::string& contents) const {
    write("temp/" + name + ".cab", cabinet_test::makeStoredCabinet({{file, contents}}));
}

packlist::Pack UpdateFixture::pack(const std::u16string& name, int ver, int type) {
    return packlist::Pack{name, u"http://127.0.0.1/" + name + u".cab", "0123", ver, type};
}
