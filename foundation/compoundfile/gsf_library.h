#pragma once

#include <glib-object.h>

namespace compoundfile {

// Initialises libgsf once per process.
void ensureGsfInitialised();

// Owns one reference to a GObject.
template <typename T> class GObjectRef {
public:
    explicit GObjectRef(T* object = nullptr) : object_(object) {}
    GObjectRef(const GObjectRef&) = delete;
    GObjectRef& operator=(const GObjectRef&) = delete;
    ~GObjectRef() {
        if (object_ != nullptr)
            g_object_unref(object_);
    }
    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_;
};

} // namespace compoundfile
