#include "data/MemoryLimit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <sys/resource.h>
#include <unistd.h>

namespace tessaro {

namespace {

constexpr uint64_t kUnknown = std::numeric_limits<uint64_t>::max();

// A "Name:   1234 kB" line of a /proc file, in bytes.
uint64_t ProcValue(const char* file, const char* name)
{
    std::FILE* in = std::fopen(file, "re");
    if (!in)
        return kUnknown;
    char line[256];
    uint64_t value = kUnknown;
    const std::size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, in)) {
        unsigned long long kilobytes = 0;
        if (std::strncmp(line, name, length) == 0 && line[length] == ':' &&
            std::sscanf(line + length + 1, "%llu", &kilobytes) == 1) {
            value = uint64_t(kilobytes) * 1024;
            break;
        }
    }
    std::fclose(in);
    return value;
}

uint64_t RoomUnder(int resource, uint64_t used)
{
    rlimit limit = {};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return kUnknown;
    return uint64_t(limit.rlim_cur) > used ? uint64_t(limit.rlim_cur) - used : 0;
}

} // namespace

uint64_t MemoryAvailable()
{
    uint64_t available = ProcValue("/proc/meminfo", "MemAvailable");
    if (available == kUnknown) {
        const long pages = ::sysconf(_SC_AVPHYS_PAGES);
        const long pageSize = ::sysconf(_SC_PAGESIZE);
        if (pages > 0 && pageSize > 0)
            available = uint64_t(pages) * uint64_t(pageSize);
    } else if (const uint64_t swap = ProcValue("/proc/meminfo", "SwapFree"); swap != kUnknown) {
        available += swap;
    }
    const uint64_t virtualSize = ProcValue("/proc/self/status", "VmSize");
    const uint64_t dataSize = ProcValue("/proc/self/status", "VmData");
    available = std::min(available, RoomUnder(RLIMIT_AS, virtualSize == kUnknown ? 0 : virtualSize));
    available = std::min(available, RoomUnder(RLIMIT_DATA, dataSize == kUnknown ? 0 : dataSize));
    return available;
}

} // namespace tessaro
