#include "mspack_io.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace cabinet {
namespace {

struct DescriptorFile {
    mspack_file base; // first, so libmspack's pointer leads back here
    int fd;
    const std::atomic<bool>* cancel;
};

DescriptorFile* fileOf(mspack_file* file) {
    return reinterpret_cast<DescriptorFile*>(file);
}

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load();
}

int openFlags(int mode) {
    switch (mode) {
    case MSPACK_SYS_OPEN_READ:
        return O_RDONLY | O_NONBLOCK; // a pipe put in the cabinet's place must not block
    case MSPACK_SYS_OPEN_WRITE:
        return O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW;
    case MSPACK_SYS_OPEN_UPDATE:
        return O_RDWR | O_NOFOLLOW;
    case MSPACK_SYS_OPEN_APPEND:
        return O_WRONLY | O_APPEND | O_NOFOLLOW;
    default:
        return -1;
    }
}

mspack_file* openFile(mspack_system* self, const char* filename, int mode) {
    const int flags = openFlags(mode);
    if (flags < 0 || !filename)
        return nullptr;
    const int fd = ::open(filename, flags | O_CLOEXEC, 0600);
    if (fd < 0)
        return nullptr;
    auto* file = new DescriptorFile{};
    file->fd = fd;
    file->cancel = reinterpret_cast<CancellableSystem*>(self)->cancel;
    return &file->base;
}

void closeFile(mspack_file* file) {
    if (!file)
        return;
    ::close(fileOf(file)->fd);
    delete fileOf(file);
}

int readFile(mspack_file* file, void* buffer, int bytes) {
    DescriptorFile* self = fileOf(file);
    if (!self || bytes < 0 || cancelled(self->cancel))
        return -1;
    int done = 0;
    while (done < bytes) {
        const ssize_t n = ::read(self->fd, static_cast<char*>(buffer) + done,
                                 static_cast<std::size_t>(bytes - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<int>(n);
    }
    return done;
}

int writeFile(mspack_file* file, void* buffer, int bytes) {
    DescriptorFile* self = fileOf(file);
    if (!self || bytes < 0 || cancelled(self->cancel))
        return -1;
    int done = 0;
    while (done < bytes) {
        const ssize_t n = ::write(self->fd, static_cast<const char*>(buffer) + done,
                                  static_cast<std::size_t>(bytes - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return -1;
        done += static_cast<int>(n);
    }
    return done;
}

int seekFile(mspack_file* file, off_t offset, int mode) {
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (!file || mode < 0 || mode > 2)
        return -1;
    return ::lseek(fileOf(file)->fd, offset, kWhence[mode]) < 0 ? -1 : 0;
}

off_t tellFile(mspack_file* file) {
    return file ? ::lseek(fileOf(file)->fd, 0, SEEK_CUR) : -1;
}

// libmspack's diagnostics; the caller reports the error code instead.
void ignoreMessage(mspack_file*, const char*, ...) {}

void* allocate(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}

void release(void* pointer) {
    std::free(pointer);
}

void copyBytes(void* source, void* target, size_t bytes) {
    std::memmove(target, source, bytes);
}

} // namespace

MspackIo::MspackIo(const std::atomic<bool>* cancel)
    : table_{mspack_system{openFile, closeFile, readFile, writeFile, seekFile, tellFile,
                           ignoreMessage, allocate, release, copyBytes, nullptr},
             cancel} {}

} // namespace cabinet
