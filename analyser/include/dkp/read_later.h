#pragma once

#include <functional>
#include <mutex>
#include <utility>

namespace dkp {

// A value read by a reader when it is first asked for, or filled at once. Safe to ask from
// several threads at once. A copy holds what the original reads, so a reader never outlives
// what it reads from.
template <typename Value> class ReadLater {
public:
    using Reader = std::function<void(Value&)>;

    ReadLater() = default;
    ReadLater(const ReadLater& other) : value_(other.get()) {}
    ReadLater& operator=(const ReadLater& other) {
        if (this != &other) {
            Value copy = other.get();
            std::lock_guard<std::mutex> lock(mutex_);
            reader_ = nullptr;
            value_ = std::move(copy);
        }
        return *this;
    }

    // Reads on the first get(), replacing what the value held.
    void defer(Reader reader) {
        std::lock_guard<std::mutex> lock(mutex_);
        reader_ = std::move(reader);
    }
    // The value to fill at once.
    Value& filled() { return value_; }

    const Value& get() const {
        std::lock_guard<std::mutex> lock(mutex_);
        if (reader_) {
            Value read;
            reader_(read);
            value_ = std::move(read);
            reader_ = nullptr;
        }
        return value_;
    }

private:
    mutable std::mutex mutex_;
    mutable Reader reader_;
    mutable Value value_;
};

} // namespace dkp
