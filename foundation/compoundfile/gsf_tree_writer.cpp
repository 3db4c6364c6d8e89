#include "tree_writer.h"

#include "gsf_library.h"

#include "utilkit/ustring.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

namespace compoundfile {
namespace {

bool writeChildren(GsfOutfile* storage, const Element& element) {
    for (const auto& child : element.children) {
        const std::string name = ustring::toUtf8(child->name);
        GObjectRef<GsfOutput> output(
            gsf_outfile_new_child(storage, name.c_str(), child->isStorage));
        if (!output)
            return false;
        bool written = true;
        if (child->isStorage)
            written = writeChildren(GSF_OUTFILE(output.get()), *child);
        else if (!child->data.empty())
            written = gsf_output_write(output.get(), child->data.size(),
                                       reinterpret_cast<const guint8*>(child->data.data()));
        if (!gsf_output_close(output.get()) || !written)
            return false;
    }
    return true;
}

} // namespace

bool writeTree(const Element& root, std::string& bytes) {
    ensureGsfInitialised();
    GObjectRef<GsfOutput> sink(gsf_output_memory_new());
    bool written = false;
    {
        GObjectRef<GsfOutfile> file(gsf_outfile_msole_new(sink.get()));
        if (!file)
            return false;
        written = writeChildren(file.get(), root);
        written = gsf_output_close(GSF_OUTPUT(file.get())) && written;
    }
    if (!written)
        return false;
    const gsf_off_t size = gsf_output_size(sink.get());
    const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    if (size < 0 || (size > 0 && data == nullptr))
        return false;
    // Closing the compound file has closed the sink too.
    bytes.assign(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
    return true;
}

} // namespace compoundfile
