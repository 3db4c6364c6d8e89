// Fuzz target: unpacking arbitrary bytes as a PropertyMap never does more than throw
// UnpackError, and whatever it reads packs and unpacks back to the same map.
#include "packing/pack.h"
#include "packing/packet_error.h"
#include "packing/property_map.h"
#include "packing/unpack.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    packing::PropertyMap map;
    packing::Unpack unpack(data, size);
    try {
        map.unmarshal(unpack);
    } catch (const packing::UnpackError&) {
    }
    packing::PackBuffer buffer;
    packing::Pack pack(buffer);
    map.marshal(pack);
    packing::PropertyMap again;
    packing::Unpack packed(pack.data(), pack.size());
    again.unmarshal(packed);
    if (!(again == map) || packed.size() != 0)
        std::abort();
    return 0;
}
