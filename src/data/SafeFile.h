#pragma once
// Saving without ever leaving a half-written file: the bytes go to a temporary
// file beside the target, which is flushed to disk and then renamed over the
// target. On any failure the temporary file is removed and the old target
// stays exactly as it was. A target inside a disk image (NestedFiles.h) is
// gathered in memory and handed to the image at Commit, which saves the whole
// image the same way.
//
// Only when there is no room for the temporary copy may the caller, after
// asking, write straight over the old file (WriteMode::InPlace): that needs no
// more space than the old file held, but a failure then leaves a damaged file.

#include "common/Texts.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

class NestedFileStore;

enum class WriteMode
{
    Safe,   // temporary file, then rename
    InPlace // over the existing file's own bytes, then cut to length
};

enum class SaveFailure
{
    None,
    // The temporary copy did not fit (no space or quota left) and the target
    // exists, so writing in place is possible; the old file is untouched.
    NoSpace,
    Other
};

class SafeFileWriter
{
public:
    // Creates the temporary file (or opens the target in place); check Failed()
    // or just write and Commit().
    explicit SafeFileWriter(const std::string& targetPath, WriteMode mode = WriteMode::Safe);
    // Removes the temporary file unless Commit() succeeded.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Appends bytes; false once anything has failed (the temporary file is gone then).
    bool Write(const void* data, std::size_t size);
    // The size the file will have, where it is known: the copy takes its room
    // at once, so a full disk is told before anything is written. Best effort
    // where the file system cannot do that.
    void Reserve(uint64_t size);
    // Flushes, syncs and renames over the target; false when any step failed.
    bool Commit();
    bool Failed() const { return failure_ != SaveFailure::None; }
    SaveFailure Failure() const { return failure_; }

private:
    void Fail(int error);
    void Discard();

    std::string target_;
    std::string temp_;
    NestedFileStore* nested_ = nullptr;
    std::vector<uint8_t> nestedBytes_;
    WriteMode mode_;
    bool targetExists_ = false;
    int fd_ = -1;
    std::size_t written_ = 0;
    SaveFailure failure_ = SaveFailure::None;
    bool committed_ = false;
};

// The whole file in one go.
SaveFailure WriteWholeFile(const std::string& targetPath, const void* data, std::size_t size,
                           WriteMode mode = WriteMode::Safe);
bool WriteFileSafely(const std::string& targetPath, const void* data, std::size_t size);

// Why the last save of this thread failed, in the system's words ("No space
// left on device"); empty when it went through or failed for no such reason.
std::string LastSaveFailureText();

// The message of a failed save, followed by the file and that reason when the
// system gave one.
std::string WithSaveReason(Msg id, const std::string& path);

// Whether a name in a folder is one of the temporary files this program makes.
bool IsSafeSaveTempName(const std::string& name);

// Test hook: the next safe write fails at this step (once), as a full disk or a
// failing device would make it. Running as root, tests cannot rely on file
// permissions to provoke failures. NoSpace fails the temporary copy's write
// half-way with ENOSPC and leaves writes in place alone.
enum class SafeWriteFault
{
    None,
    Create,
    Write,
    Sync,
    Rename,
    NoSpace
};
void InjectSafeWriteFault(SafeWriteFault fault);

} // namespace tessaro
