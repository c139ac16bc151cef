#pragma once
// Saving without ever leaving a half-written file: the bytes go to a temporary
// file beside the target, which is flushed to disk and then renamed over the
// target. On any failure the temporary file is removed and the old target
// stays exactly as it was.

#include <cstddef>
#include <string>

namespace tessaro {

class SafeFileWriter
{
public:
    // Creates the temporary file; check Failed() or just write and Commit().
    explicit SafeFileWriter(const std::string& targetPath);
    // Removes the temporary file unless Commit() succeeded.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Appends bytes; false once anything has failed (the temporary file is gone then).
    bool Write(const void* data, std::size_t size);
    // Flushes, syncs and renames over the target; false when any step failed.
    bool Commit();
    bool Failed() const { return failed_; }

private:
    void Fail();
    void Discard();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
    bool committed_ = false;
};

// The whole file in one go.
bool WriteFileSafely(const std::string& targetPath, const void* data, std::size_t size);

// Test hook: the next safe write fails at this step (once), as a full disk or a
// failing device would make it. Running as root, tests cannot rely on file
// permissions to provoke failures.
enum class SafeWriteFault
{
    None,
    Create,
    Write,
    Sync,
    Rename
};
void InjectSafeWriteFault(SafeWriteFault fault);

} // namespace tessaro
