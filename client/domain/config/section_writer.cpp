#include "section_writer.h"

namespace config {

bool SectionWriter::onStream(compoundfile::Storage&, compoundfile::Stream& stream) {
    // Not truncated: a longer old content keeps its tail behind the counted entries.
    if (stream.seek(0) != compoundfile::Status::Ok ||
        stream.write(packed_.data(), packed_.size()) != compoundfile::Status::Ok)
        onFailure();
    return true;
}

} // namespace config
