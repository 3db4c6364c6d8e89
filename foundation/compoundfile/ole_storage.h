#pragma once

#include <windows.h>

#include <objbase.h>

#include <string>
#include <string_view>

// Windows only: the COM objects of OLE structured storage, released when they go out of scope,
// and the memory that compound files are read from and written into.
namespace compoundfile {

template <typename Interface> class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (object_)
            object_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    // For the functions that hand out a new object.
    Interface** out() { return &object_; }

private:
    Interface* object_ = nullptr;
};

// A compound file's bytes in memory for OLE structured storage to read and write, holding
// `bytes` to begin with. Every byte the library does not write itself is zero: the system's own
// memory block (CreateILockBytesOnHGlobal) would leave whatever the memory held before in the
// unused parts of the file's sectors, pieces of the process's memory that a settings file must
// not carry. The object starts with one reference, for the ComRef it is put into.
ILockBytes* newMemoryBytes(std::string_view bytes = {});

// The bytes that `memory`, made by newMemoryBytes, holds.
const std::string& bytesOf(ILockBytes* memory);

} // namespace compoundfile
