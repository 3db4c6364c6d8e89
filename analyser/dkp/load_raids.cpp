#include "dkp/load_raids.h"

#include "dkp/saved_file.h"
#include "grammar/compact_tree.h"
#include "grammar/linear_clipper.h"
#include "grammar/wowluaclipper.h"
#include "utilkit/ustring.h"

namespace dkp {
namespace {

// A WOWLUAClipper parses the UTF-8 bytes directly, which gives the document of the decoded
// text without holding the file a second time as UTF-16; other clippers get the text.
void loadText(std::string bytes, grammar::Clipper& clipper) {
    if (auto* wow = dynamic_cast<grammar::WOWLUAClipper*>(&clipper)) {
        wow->loadUtf8String(std::move(bytes));
        return;
    }
    std::u16string text = ustring::toWideString(bytes, ustring::kUtf8CodePage);
    std::string().swap(bytes);
    clipper.loadString(std::move(text));
}

} // namespace

bool loadRaidsFromFile(const std::u16string& path, grammar::Clipper& clipper, Raids& raids) {
    std::string bytes;
    const bool readable = readSavedFile(path, bytes) == SavedFileRead::Read;
    loadText(std::move(bytes), clipper);
    raids.loadFromClipper(&clipper);
    return readable;
}

void loadRaidsFromBytes(std::string_view bytes, grammar::Clipper& clipper, Raids& raids) {
    // The clipper drops a leading byte-order mark itself.
    loadText(std::string(bytes), clipper);
    raids.loadFromClipper(&clipper);
}

bool loadRaidsFromFile(const std::u16string& path, Raids& raids) {
    std::string bytes;
    if (readSavedFile(path, bytes) != SavedFileRead::Read)
        return false;
    loadRaidsFromBytes(std::move(bytes), raids);
    return true;
}

void loadRaidsFromBytes(std::string bytes, Raids& raids) {
    grammar::CompactTree tree;
    grammar::clipSavedUtf8(std::move(bytes), tree, grammar::WOWLUAClipper::kMaxNodeDepth);
    raids.takeFromCompactTree(std::move(tree));
}

} // namespace dkp
