#include "data/SafeFile.h"

#include "data/NestedFiles.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaro {

namespace {

namespace fs = std::filesystem;

// ".tessaro-<pid>-<n>.tmp": short, so it fits beside a target of any name length.
constexpr std::string_view kTempPrefix = ".tessaro-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr int kMaxLinkHops = 40; // as the kernel's own limit for a path

SafeWriteFault pendingFault = SafeWriteFault::None;

bool FaultAt(SafeWriteFault step)
{
    if (pendingFault != step)
        return false;
    pendingFault = SafeWriteFault::None;
    return true;
}

// Writing through a symbolic link keeps the link and writes the file it names,
// also when that file does not exist yet, as opening the link for writing would.
// A chain too long (or a loop) ends on a link, and the save is refused.
fs::path ResolveTarget(const std::string& targetPath)
{
    std::error_code ec;
    fs::path target(targetPath);
    for (int hop = 0; hop < kMaxLinkHops && fs::is_symlink(target, ec); ++hop) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

fs::path FolderOf(const fs::path& target)
{
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

bool IsDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// A leftover of a save that was killed: no running save holds its lock. The
// lock is taken before the name is checked again, so a file that a save has
// just created (and is about to lock) is never the one removed.
void RemoveIfAbandoned(const fs::path& folder, const std::string& name)
{
    const fs::path path = folder / name;
    struct stat named = {};
    if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode))
        return; // never open a device or a pipe that only looks like ours
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened = {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
        ::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
        ::unlink(path.c_str());
    ::close(fd);
}

void RemoveLeftoverTemps(const fs::path& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* item = ::readdir(dir)) {
        if (IsSafeSaveTempName(item->d_name))
            RemoveIfAbandoned(folder, item->d_name);
    }
    ::closedir(dir);
}

// A name beside the target that no one else uses (O_EXCL guarantees it), locked
// for as long as the save runs so that no other save takes it for a leftover.
int CreateTempBeside(const fs::path& target, std::string& tempPath)
{
    static unsigned counter = 0;
    const fs::path folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = std::string(kTempPrefix) + std::to_string(::getpid()) + "-" +
                                 std::to_string(++counter) + std::string(kTempSuffix);
        tempPath = (folder / name).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        struct stat info = {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0)
            return fd;
        // Another save took it for a leftover in the instant before the lock.
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

void SyncFolderOf(const fs::path& target)
{
    const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: the rename itself already succeeded
        ::close(fd);
    }
}

// Owner and group first (changing them may clear the set-id bits), then the mode.
// Only root may give a file away; a user may still set a group they belong to.
void CopyOwnerAndMode(int fd, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // Not a member of the old group either: the file stays the user's own.
    }
    ::fchmod(fd, old.st_mode & 07777);
}

bool IsNoSpace(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

} // namespace

bool IsSafeSaveTempName(const std::string& name)
{
    const std::string_view text(name);
    if (text.size() <= kTempPrefix.size() + kTempSuffix.size() || !text.starts_with(kTempPrefix) ||
        !text.ends_with(kTempSuffix))
        return false;
    const std::string_view middle =
        text.substr(kTempPrefix.size(), text.size() - kTempPrefix.size() - kTempSuffix.size());
    const std::size_t dash = middle.find('-');
    return dash != std::string_view::npos && IsDigits(middle.substr(0, dash)) &&
           IsDigits(middle.substr(dash + 1));
}

void InjectSafeWriteFault(SafeWriteFault fault)
{
    pendingFault = fault;
}

namespace {
thread_local int g_lastSaveError = 0;
}

std::string LastSaveFailureText()
{
    return g_lastSaveError == 0 ? std::string() : std::string(std::strerror(g_lastSaveError));
}

std::string WithSaveReason(Msg id, const std::string& path)
{
    const std::string reason = LastSaveFailureText();
    return reason.empty() ? Tr(id) : Tr(id) + "\n\n" + path + ": " + reason;
}

SafeFileWriter::SafeFileWriter(const std::string& targetPath, WriteMode mode) : mode_(mode)
{
    g_lastSaveError = 0;
    nested_ = NestedStoreFor(targetPath);
    if (nested_) {
        target_ = targetPath;
        return;
    }
    const fs::path target = ResolveTarget(targetPath);
    target_ = target.string();
    struct stat info = {};
    targetExists_ = ::stat(target_.c_str(), &info) == 0;
    // The rename could replace a file we may not write to; refuse as opening it for writing would.
    const bool refused = targetExists_ && (!S_ISREG(info.st_mode) || ::access(target_.c_str(), W_OK) != 0);
    std::error_code ec;
    const bool linkLoop = fs::is_symlink(target, ec); // still a link after every hop
    if (target.filename().empty() || refused || linkLoop || FaultAt(SafeWriteFault::Create)) {
        failure_ = SaveFailure::Other;
        return;
    }
    // Leftovers of killed saves take space this save may need.
    RemoveLeftoverTemps(FolderOf(target));
    if (mode_ == WriteMode::InPlace) {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0)
            failure_ = SaveFailure::Other;
        return;
    }
    fd_ = CreateTempBeside(target, temp_);
    if (fd_ < 0) {
        const int error = errno;
        temp_.clear();
        Fail(error);
        return;
    }
    if (targetExists_)
        CopyOwnerAndMode(fd_, info);
}

SafeFileWriter::~SafeFileWriter()
{
    if (!committed_)
        Discard();
}

void SafeFileWriter::Fail(int error)
{
    g_lastSaveError = error;
    failure_ = mode_ == WriteMode::Safe && targetExists_ && IsNoSpace(error) ? SaveFailure::NoSpace
                                                                             : SaveFailure::Other;
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

void SafeFileWriter::Reserve(uint64_t size)
{
    if (Failed() || nested_ || mode_ != WriteMode::Safe || fd_ < 0 || size == 0)
        return;
    // fallocate, not posix_fallocate: where the file system cannot reserve,
    // the latter would write the whole size in zeros first.
    if (::fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) != 0 && errno == ENOSPC)
        Fail(ENOSPC);
}

bool SafeFileWriter::Write(const void* data, std::size_t size)
{
    if (Failed())
        return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (nested_) {
        nestedBytes_.insert(nestedBytes_.end(), bytes, bytes + size);
        return true;
    }
    if (FaultAt(SafeWriteFault::Write)) {
        WriteAll(fd_, bytes, size / 2); // a partly written block, as with a failing device
        Fail(EIO);
    } else if (mode_ == WriteMode::Safe && FaultAt(SafeWriteFault::NoSpace)) {
        WriteAll(fd_, bytes, size / 2); // the disk filled up half-way
        Fail(ENOSPC);
    } else if (!WriteAll(fd_, bytes, size)) {
        Fail(errno);
    } else {
        written_ += size;
    }
    return !Failed();
}

bool SafeFileWriter::Commit()
{
    if (committed_)
        return true;
    if (Failed())
        return false;
    if (nested_) {
        failure_ = nested_->Write(target_, nestedBytes_.data(), nestedBytes_.size(), mode_);
        committed_ = failure_ == SaveFailure::None;
        return committed_;
    }
    int error = 0;
    // Written in place, the old file may have been longer: cut what is left of it.
    if (mode_ == WriteMode::InPlace && ::ftruncate(fd_, off_t(written_)) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd_) != 0)
        error = errno;
    if (error == 0 && FaultAt(SafeWriteFault::Sync))
        error = EIO;
    if (::close(fd_) != 0 && error == 0)
        error = errno; // a network file system may say only now that the disk is full
    fd_ = -1;
    if (error == 0 && mode_ == WriteMode::Safe) {
        if (FaultAt(SafeWriteFault::Rename))
            error = EIO;
        else if (::rename(temp_.c_str(), target_.c_str()) != 0)
            error = errno;
    }
    if (error != 0) {
        Fail(error);
        return false;
    }
    committed_ = true;
    if (mode_ == WriteMode::Safe) {
        temp_.clear();
        try {
            SyncFolderOf(fs::path(target_));
        } catch (const std::bad_alloc&) {
            // The new file is in place: a save must not be reported failed for
            // a sync of its folder that could not even start.
        }
    }
    return true;
}

SaveFailure WriteWholeFile(const std::string& targetPath, const void* data, std::size_t size, WriteMode mode)
{
    SafeFileWriter writer(targetPath, mode);
    writer.Write(data, size);
    writer.Commit();
    return writer.Failure();
}

bool WriteFileSafely(const std::string& targetPath, const void* data, std::size_t size)
{
    return WriteWholeFile(targetPath, data, size) == SaveFailure::None;
}

} // namespace tessaro
