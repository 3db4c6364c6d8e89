#include "section_reader.h"

#include "packing/packet_error.h"
#include "packing/unpack.h"

#include <string>

namespace config {

namespace {
constexpr std::size_t kPieceSize = 1024;
}

bool SectionReader::onStream(compoundfile::Storage&, compoundfile::Stream& stream) {
    std::string bytes;
    char piece[kPieceSize];
    std::size_t read = kPieceSize;
    if (stream.seek(0) != compoundfile::Status::Ok)
        return false;
    while (read == kPieceSize) {
        if (stream.read(piece, kPieceSize, read) != compoundfile::Status::Ok)
            return false;
        bytes.append(piece, read);
    }
    if (bytes.empty())
        return false;
    // A stream that ends inside an entry is treated as an empty section, not as half of one.
    packing::PropertyMap map;
    try {
        packing::Unpack unpack(bytes.data(), bytes.size());
        map.unmarshal(unpack);
    } catch (const packing::PacketError&) {
        return false;
    }
    bag_.map().merge(map, true);
    return true;
}

} // namespace config
