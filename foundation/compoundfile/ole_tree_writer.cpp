#include "tree_writer.h"

#include "ole_storage.h"

namespace compoundfile {
namespace {

constexpr DWORD kWriting = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

bool writeChildren(IStorage& storage, const Element& element) {
    for (const auto& child : element.children) {
        const std::wstring name(child->name.begin(), child->name.end());
        if (child->isStorage) {
            ComRef<IStorage> sub;
            if (FAILED(storage.CreateStorage(name.c_str(), kWriting, 0, 0, sub.out())) ||
                !writeChildren(*sub.get(), *child) || FAILED(sub->Commit(STGC_DEFAULT)))
                return false;
            continue;
        }
        ComRef<IStream> stream;
        ULONG written = 0;
        if (FAILED(storage.CreateStream(name.c_str(), kWriting, 0, 0, stream.out())) ||
            (!child->data.empty() &&
             (FAILED(stream->Write(child->data.data(), static_cast<ULONG>(child->data.size()),
                                   &written)) ||
              written != child->data.size())))
            return false;
    }
    return true;
}

} // namespace

bool writeTree(const Element& root, std::string& bytes) {
    ComRef<ILockBytes> memory;
    *memory.out() = newMemoryBytes();
    {
        ComRef<IStorage> file;
        if (FAILED(::StgCreateDocfileOnILockBytes(memory.get(), kWriting, 0, file.out())) ||
            !writeChildren(*file.get(), root) || FAILED(file->Commit(STGC_DEFAULT)))
            return false;
    }
    bytes = bytesOf(memory.get());
    return true;
}

} // namespace compoundfile
