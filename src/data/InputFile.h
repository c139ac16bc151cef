#pragma once
// The reading side of the file readers. Each reader parses from a ByteInput,
// so the same code runs over a file and over bytes in memory (fuzzing).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

class ByteInput
{
public:
    virtual ~ByteInput() = default;
    virtual uint64_t Length() const = 0;
    // Reads up to count bytes from the current position and returns how many
    // arrived; fewer only at the end or on a read error.
    virtual std::size_t Read(uint8_t* buffer, std::size_t count) = 0;
};

class MemoryInput final : public ByteInput
{
public:
    MemoryInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    uint64_t Length() const override { return size_; }
    std::size_t Read(uint8_t* buffer, std::size_t count) override;

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// A regular file opened for reading. Folders, pipes and devices are refused at
// Open, so no reader can block on a FIFO or read an endless device. A file
// inside a disk image (NestedFiles.h) is read whole at Open.
class FileInput final : public ByteInput
{
public:
    FileInput() = default;
    ~FileInput();
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

    bool Open(const std::string& path);
    uint64_t Length() const override { return length_; }
    std::size_t Read(uint8_t* buffer, std::size_t count) override;
    // Why Open failed, in the system's words ("No such file or directory",
    // "Is a directory", "not a regular file"); empty after a successful Open.
    const std::string& ErrorText() const { return error_; }

private:
    int fd_ = -1;
    uint64_t length_ = 0;
    std::vector<uint8_t> nested_; // the bytes of a file inside an image
    std::size_t nestedPosition_ = 0;
    std::string error_;
};

} // namespace tessaro
