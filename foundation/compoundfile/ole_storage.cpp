#include "ole_storage.h"

#include <cstring>

namespace compoundfile {
namespace {

class MemoryBytes final : public ILockBytes {
public:
    explicit MemoryBytes(std::string_view bytes) : bytes_(bytes) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (id == IID_IUnknown || id == IID_ILockBytes) {
            *object = static_cast<ILockBytes*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE ReadAt(ULARGE_INTEGER offset, void* buffer, ULONG count,
                                     ULONG* read) override {
        const std::uint64_t start = offset.QuadPart;
        const std::size_t available =
            start < bytes_.size() ? std::min<std::uint64_t>(count, bytes_.size() - start) : 0;
        if (available > 0)
            std::memcpy(buffer, bytes_.data() + start, available);
        if (read)
            *read = static_cast<ULONG>(available);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE WriteAt(ULARGE_INTEGER offset, const void* data, ULONG count,
                                      ULONG* written) override {
        const std::uint64_t end = offset.QuadPart + count;
        if (end > kLargest)
            return STG_E_MEDIUMFULL;
        if (bytes_.size() < end)
            bytes_.resize(static_cast<std::size_t>(end), '\0');
        if (count > 0)
            std::memcpy(bytes_.data() + offset.QuadPart, data, count);
        if (written)
            *written = count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Flush() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override {
        if (size.QuadPart > kLargest)
            return STG_E_MEDIUMFULL;
        bytes_.resize(static_cast<std::size_t>(size.QuadPart), '\0');
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* info, DWORD) override {
        if (info == nullptr)
            return E_POINTER;
        *info = STATSTG{};
        info->type = STGTY_LOCKBYTES;
        info->cbSize.QuadPart = bytes_.size();
        return S_OK;
    }

    const std::string& bytes() const { return bytes_; }

private:
    // Far beyond any settings file (the files read are limited far below), inside a ULONG.
    static constexpr std::uint64_t kLargest = 0x7FFFFFFF;

    std::string bytes_;
    ULONG references_ = 1;
};

} // namespace

ILockBytes* newMemoryBytes(std::string_view bytes) {
    return new MemoryBytes(bytes);
}

const std::string& bytesOf(ILockBytes* memory) {
    return static_cast<MemoryBytes*>(memory)->bytes();
}

} // namespace compoundfile
