#include "tree_reader.h"

#include "gsf_library.h"

#include "utilkit/ustring.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>

namespace compoundfile {
namespace {

bool readStream(GsfInput* input, std::string& data) {
    const gsf_off_t size = gsf_input_size(input);
    if (size < 0)
        return false;
    data.resize(static_cast<std::size_t>(size));
    if (size == 0)
        return true;
    return gsf_input_read(input, static_cast<std::size_t>(size),
                          reinterpret_cast<guint8*>(data.data())) != nullptr;
}

bool readChildren(GsfInfile* storage, Element& element) {
    const int count = gsf_infile_num_children(storage);
    for (int i = 0; i < count; ++i) {
        const char* name = gsf_infile_name_by_index(storage, i);
        GObjectRef<GsfInput> child(gsf_infile_child_by_index(storage, i));
        if (name == nullptr || !child)
            return false;
        auto entry = std::make_shared<Element>();
        entry->name = ustring::fromUtf8(name);
        const bool isStorage =
            GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0;
        entry->isStorage = isStorage;
        if (isStorage ? !readChildren(GSF_INFILE(child.get()), *entry)
                      : !readStream(child.get(), entry->data))
            return false;
        element.children.push_back(std::move(entry));
    }
    return true;
}

} // namespace

bool readTree(std::string_view bytes, Element& root) {
    ensureGsfInitialised();
    GObjectRef<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()),
                                                    static_cast<gsf_off_t>(bytes.size()), FALSE));
    if (!input)
        return false;
    GError* error = nullptr;
    GObjectRef<GsfInfile> file(gsf_infile_msole_new(input.get(), &error));
    if (error != nullptr)
        g_error_free(error);
    if (!file)
        return false;
    root = Element{};
    root.isStorage = true;
    return readChildren(file.get(), root);
}

} // namespace compoundfile
