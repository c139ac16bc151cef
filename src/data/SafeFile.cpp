#include "data/SafeFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaro {

namespace {

namespace fs = std::filesystem;

SafeWriteFault pendingFault = SafeWriteFault::None;

bool FaultAt(SafeWriteFault step)
{
    if (pendingFault != step)
        return false;
    pendingFault = SafeWriteFault::None;
    return true;
}

// Writing through a symbolic link keeps the link and replaces the file it names.
fs::path ResolveTarget(const std::string& targetPath)
{
    std::error_code ec;
    const fs::path target(targetPath);
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec)
            return resolved;
    }
    return target;
}

// A name beside the target that no one else uses: O_EXCL guarantees it.
int CreateTempBeside(const fs::path& target, std::string& tempPath)
{
    static unsigned counter = 0;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) +
                                 "-" + std::to_string(++counter);
        tempPath = (folder / name).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, const uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

void SyncFolderOf(const fs::path& target)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: the rename itself already succeeded
        ::close(fd);
    }
}

} // namespace

void InjectSafeWriteFault(SafeWriteFault fault)
{
    pendingFault = fault;
}

SafeFileWriter::SafeFileWriter(const std::string& targetPath)
{
    const fs::path target = ResolveTarget(targetPath);
    target_ = target.string();
    struct stat info = {};
    const bool exists = ::stat(target_.c_str(), &info) == 0;
    // The rename could replace a file we may not write to; refuse as opening it for writing would.
    const bool refused = exists && (!S_ISREG(info.st_mode) || ::access(target_.c_str(), W_OK) != 0);
    if (target.filename().empty() || refused || FaultAt(SafeWriteFault::Create)) {
        failed_ = true;
        return;
    }
    fd_ = CreateTempBeside(target, temp_);
    if (fd_ < 0) {
        failed_ = true;
        temp_.clear();
        return;
    }
    if (exists)
        ::fchmod(fd_, info.st_mode & 07777); // keep the old file's permissions
}

SafeFileWriter::~SafeFileWriter()
{
    if (!committed_)
        Discard();
}

void SafeFileWriter::Fail()
{
    failed_ = true;
    Discard();
}

void SafeFileWriter::Discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_.clear();
}

bool SafeFileWriter::Write(const void* data, std::size_t size)
{
    if (failed_)
        return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (FaultAt(SafeWriteFault::Write)) {
        WriteAll(fd_, bytes, size / 2); // a partly written block, as with a full disk
        Fail();
    } else if (!WriteAll(fd_, bytes, size)) {
        Fail();
    }
    return !failed_;
}

bool SafeFileWriter::Commit()
{
    if (committed_)
        return true;
    if (failed_)
        return false;
    const bool synced = ::fsync(fd_) == 0 && !FaultAt(SafeWriteFault::Sync);
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed || FaultAt(SafeWriteFault::Rename) ||
        ::rename(temp_.c_str(), target_.c_str()) != 0) {
        Fail();
        return false;
    }
    committed_ = true;
    temp_.clear();
    SyncFolderOf(fs::path(target_));
    return true;
}

bool WriteFileSafely(const std::string& targetPath, const void* data, std::size_t size)
{
    SafeFileWriter writer(targetPath);
    return writer.Write(data, size) && writer.Commit();
}

} // namespace tessaro
