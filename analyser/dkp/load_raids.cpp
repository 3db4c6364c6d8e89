#include "dkp/load_raids.h"

#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

namespace dkp {

bool loadRaidsFromFile(const std::u16string& path, grammar::Clipper& clipper, Raids& raids) {
    std::string bytes;
    const bool readable = ufile::ReadFileData(path, bytes);
    if (!readable)
        bytes.clear();
    loadRaidsFromBytes(bytes, clipper, raids);
    return readable;
}

void loadRaidsFromBytes(std::string_view bytes, grammar::Clipper& clipper, Raids& raids) {
    // The clipper drops a leading byte-order mark itself.
    clipper.loadString(ustring::toWideString(bytes, ustring::kUtf8CodePage));
    raids.loadFromClipper(&clipper);
}

} // namespace dkp
