#pragma once

#include <mutex>
#include <utility>

namespace utilkit {

// The one object of a kind that a library's exported Get/Release entries hand out: made on the
// first `get`, handed back by `take` (after which the next `get` makes a new one). Safe to call
// from any thread; what to do with a taken object is the caller's business.
template <class T> class ProcessInstance {
public:
    template <class Make> T* get(Make make) {
        std::lock_guard lock(mutex_);
        if (object_ == nullptr)
            object_ = make();
        return object_;
    }

    T* take() {
        std::lock_guard lock(mutex_);
        return std::exchange(object_, nullptr);
    }

private:
    std::mutex mutex_;
    T* object_ = nullptr;
};

} // namespace utilkit
