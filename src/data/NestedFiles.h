#pragma once
// Files kept inside another file: a floppy disk image holds a whole folder
// tree ("disk1.img::/PARTY.BUF/MDB.BUP"). The image layer, which sits above
// this one, installs the store at start-up; FileInput, the safe save and the
// folder helpers of this folder ask it about every path, so each reader and
// writer of the program reaches files inside an image without knowing it.
// With no store installed every path is a plain one.

#include "data/SafeFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

class NestedFileStore
{
public:
    virtual ~NestedFileStore() = default;
    // Whether the path names something inside a container file.
    virtual bool Holds(const std::string& path) const = 0;
    // The file's bytes; false with the reason, in the user's language.
    virtual bool Read(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason) const = 0;
    // Creates the file or replaces its contents; the container is saved the
    // way SafeFileWriter saves (mode as there). On a failure it is unchanged
    // and LastFailure says why.
    virtual SaveFailure Write(const std::string& path, const uint8_t* data, std::size_t size, WriteMode mode) = 0;
    // Creates every missing folder of the path; false (LastFailure says why) when one cannot be made.
    virtual bool CreateFolders(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) const = 0;
    virtual bool IsFolder(const std::string& path) const = 0;
    // Why the last Write or CreateFolders failed, in the user's language; empty after a success.
    virtual std::string LastFailure() const = 0;
};

// The installed store, or nullptr. Not owned.
void InstallNestedFileStore(NestedFileStore* store);
NestedFileStore* NestedFiles();

// The store when it holds the path, else nullptr.
NestedFileStore* NestedStoreFor(const std::string& path);

// Whether a file or folder exists, inside a container or on disk.
bool FileOrFolderExists(const std::string& path);

} // namespace tessaro
