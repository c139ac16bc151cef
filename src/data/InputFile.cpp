#include "data/InputFile.h"

#include "data/NestedFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaro {

std::size_t MemoryInput::Read(uint8_t* buffer, std::size_t count)
{
    const std::size_t n = std::min(count, size_ - position_);
    if (n > 0)
        std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
}

FileInput::~FileInput()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool FileInput::Open(const std::string& path)
{
    // Non-blocking, so that opening a FIFO does not wait for a writer; the
    // regular-file check below refuses it anyway.
    error_.clear();
    if (const NestedFileStore* store = NestedStoreFor(path)) {
        if (!store->Read(path, nested_, error_))
            return false;
        length_ = nested_.size();
        return true;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error_ = std::strerror(errno);
        return false;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error_ = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        ::close(fd);
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    fd_ = fd;
    length_ = uint64_t(info.st_size);
    return true;
}

std::size_t FileInput::Read(uint8_t* buffer, std::size_t count)
{
    if (fd_ < 0) {
        const std::size_t n = std::min(count, nested_.size() - nestedPosition_);
        if (n > 0)
            std::memcpy(buffer, nested_.data() + nestedPosition_, n);
        nestedPosition_ += n;
        return n;
    }
    std::size_t total = 0;
    while (fd_ >= 0 && total < count) {
        const ssize_t n = ::read(fd_, buffer + total, count - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += std::size_t(n);
    }
    return total;
}

} // namespace tessaro
