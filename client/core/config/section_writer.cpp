#include "section_writer.h"

#include "packing/pack.h"

bool SectionWriter::onStream(compoundfile::Storage&, compoundfile::Stream& stream) {
    PackBuffer buffer;
    Pack pack(buffer);
    map_.marshal(pack);
    // Not truncated: a longer old content keeps its tail behind the counted entries.
    if (stream.seek(0) != compoundfile::Status::Ok ||
        stream.write(pack.data(), pack.size()) != compoundfile::Status::Ok)
        onFailure();
    return true;
}
