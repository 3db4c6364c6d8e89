#include "testsupport/update_fixture.h"

#include "packlist/pack_list_file.h"
#include "testsupport/cabinet_builder.h"

void UpdateFixture::SetUp() {
    program_.makeFolder("temp");
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
