#pragma once
// Shared by the disk-image tests: shell commands for the independent FAT tools
// (mtools, fsck.fat) and small helpers over a FatVolume.

#include "image/FatVolume.h"
#include "support/DataTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace tessaro::testing {

struct ShellRun
{
    int status = -1;
    std::string out; // standard output and standard error together
};

inline std::string ShellQuoted(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// mtools refuses images whose geometry it does not know unless told not to check.
inline ShellRun Shell(const std::string& command)
{
    ShellRun run;
    const std::string full = "MTOOLS_SKIP_CHECK=1 MTOOLS_NO_VFAT=0 " + command + " 2>&1";
    std::FILE* pipe = ::popen(full.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

inline bool HaveFatTools()
{
    return Shell("command -v mformat && command -v mcopy && command -v mdir && command -v fsck.fat").status == 0;
}

#define SKIP_WITHOUT_FAT_TOOLS()                                                                   \
    do {                                                                                           \
        if (!::tessaro::testing::HaveFatTools())                                                   \
            GTEST_SKIP() << "mtools and dosfstools are not installed (scripts/install-deps.sh)";   \
    } while (false)

// fsck.fat -n: checks without changing anything; exit 0 when the disk is clean.
inline void ExpectFsckClean(const std::string& image)
{
    const ShellRun run = Shell("fsck.fat -n " + ShellQuoted(image));
    EXPECT_EQ(run.status, 0) << run.out;
}

// The bytes mtools reads back from inside the image.
inline Bytes McopyOut(const std::string& image, const std::string& inner, const std::string& scratch)
{
    const ShellRun run = Shell("mcopy -n -o -i " + ShellQuoted(image) + " " + ShellQuoted("::" + inner) + " " +
                               ShellQuoted(scratch));
    EXPECT_EQ(run.status, 0) << run.out;
    return ReadBytes(scratch);
}

inline Bytes PatternBytes(std::size_t size, unsigned seed)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t((i * 31 + seed * 7 + (i >> 8)) & 0xFF);
    return bytes;
}

inline FatVolume LoadVolume(const Bytes& bytes)
{
    FatVolume volume;
    const std::optional<ImageError> error = FatVolume::Load(bytes, volume);
    EXPECT_FALSE(error) << (error ? error->Text() : "");
    return volume;
}

} // namespace tessaro::testing
