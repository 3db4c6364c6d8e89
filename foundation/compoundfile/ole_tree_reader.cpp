#include "tree_reader.h"

#include "ole_storage.h"

namespace compoundfile {
namespace {

constexpr DWORD kReading = STGM_READ | STGM_SHARE_EXCLUSIVE;

bool readStream(IStorage& storage, const wchar_t* name, std::string& data) {
    ComRef<IStream> stream;
    STATSTG info{};
    if (FAILED(storage.OpenStream(name, nullptr, kReading, 0, stream.out())) ||
        FAILED(stream->Stat(&info, STATFLAG_NONAME)) || info.cbSize.QuadPart > 0x7FFFFFFF)
        return false;
    data.resize(static_cast<std::size_t>(info.cbSize.QuadPart));
    ULONG read = 0;
    return data.empty() ||
           (SUCCEEDED(stream->Read(data.data(), static_cast<ULONG>(data.size()), &read)) &&
            read == data.size());
}

bool readChildren(IStorage& storage, Element& element) {
    ComRef<IEnumSTATSTG> entries;
    if (FAILED(storage.EnumElements(0, nullptr, 0, entries.out())))
        return false;
    STATSTG info{};
    ULONG fetched = 0;
    while (entries->Next(1, &info, &fetched) == S_OK && fetched == 1) {
        const std::wstring name(info.pwcsName ? info.pwcsName : L"");
        ::CoTaskMemFree(info.pwcsName);
        auto child = std::make_shared<Element>();
        child->name.assign(name.begin(), name.end());
        child->isStorage = info.type == STGTY_STORAGE;
        bool read = false;
        if (child->isStorage) {
            ComRef<IStorage> sub;
            read = SUCCEEDED(storage.OpenStorage(name.c_str(), nullptr, kReading, nullptr, 0,
                                                 sub.out())) &&
                   readChildren(*sub.get(), *child);
        } else if (info.type == STGTY_STREAM) {
            read = readStream(storage, name.c_str(), child->data);
        }
        if (!read)
            return false;
        element.children.push_back(std::move(child));
    }
    return true;
}

} // namespace

bool readTree(std::string_view bytes, Element& root) {
    ComRef<ILockBytes> memory;
    *memory.out() = newMemoryBytes(bytes);
    ComRef<IStorage> file;
    if (FAILED(
            ::StgOpenStorageOnILockBytes(memory.get(), nullptr, kReading, nullptr, 0, file.out())))
        return false;
    root = Element{};
    root.isStorage = true;
    return readChildren(*file.get(), root);
}

} // namespace compoundfile
