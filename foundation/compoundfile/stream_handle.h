#pragma once

#include "compoundfile/compound_file.h"
#include "compoundfile/stream.h"
#include "element.h"
#include "session.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace compoundfile {

// A stream of an open file; its bytes live in the session's tree until a commit.
class StreamHandle : public Stream {
public:
    StreamHandle(std::shared_ptr<Session> session, std::shared_ptr<Element> element)
        : session_(std::move(session)), element_(std::move(element)) {}

    Status read(void* buffer, std::size_t count, std::size_t& done) override {
        const std::string& data = element_->data;
        done =
            position_ < data.size() ? std::min<std::uint64_t>(count, data.size() - position_) : 0;
        if (done > 0)
            std::memcpy(buffer, data.data() + position_, done);
        position_ += done;
        return Status::Ok;
    }

    Status write(const void* bytes, std::size_t count) override {
        if (position_ > kMaxFileSize || count > kMaxFileSize - position_)
            return Status::IoError;
        std::string& data = element_->data;
        const std::size_t end = static_cast<std::size_t>(position_) + count;
        if (data.size() < end)
            data.resize(end, '\0');
        if (count > 0)
            std::memcpy(data.data() + position_, bytes, count);
        position_ = end;
        session_->changed = true;
        return Status::Ok;
    }

    Status seek(std::uint64_t position) override {
        position_ = position;
        return Status::Ok;
    }

    std::uint64_t size() const override { return element_->data.size(); }

private:
    std::shared_ptr<Session> session_;
    std::shared_ptr<Element> element_;
    std::uint64_t position_ = 0;
};

} // namespace compoundfile
