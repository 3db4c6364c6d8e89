#pragma once

#include "dkp/loot.h"
#include "export.h"

#include <functional>
#include <mutex>
#include <utility>

namespace dkp {

// A raid's loot, read by a reader when it is first asked for (or filled at once). Safe to ask
// from several threads at once. A copy holds the loot that the original reads, so a reader
// never outlives what it reads from.
class RAIDSIFT_API LazyLoots {
public:
    using Reader = std::function<void(Loots&)>;

    LazyLoots() = default;
    LazyLoots(const LazyLoots& other) : loots_(other.get()) {}
    LazyLoots& operator=(const LazyLoots& other) {
        if (this != &other) {
            Loots copy = other.get();
            std::lock_guard<std::mutex> lock(mutex_);
            reader_ = nullptr;
            loots_ = std::move(copy);
        }
        return *this;
    }

    // Reads on the first get(), replacing what the loot held.
    void defer(Reader reader) {
        std::lock_guard<std::mutex> lock(mutex_);
        reader_ = std::move(reader);
    }
    // The loot to fill at once.
    Loots& filled() { return loots_; }

    const Loots& get() const {
        std::lock_guard<std::mutex> lock(mutex_);
        if (reader_) {
            Loots read;
            reader_(read);
            loots_ = std::move(read);
            reader_ = nullptr;
        }
        return loots_;
    }

private:
    mutable std::mutex mutex_;
    mutable Reader reader_;
    mutable Loots loots_;
};

} // namespace dkp
