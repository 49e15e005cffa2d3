#include "base/outofmemory.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <limits>

namespace {

constexpr std::size_t kUnknown = std::numeric_limits<std::size_t>::max();

// MemAvailable plus SwapFree, from /proc/meminfo.
std::size_t SystemAvailable()
{
    FILE *f = std::fopen("/proc/meminfo", "r");
    if (!f)
        return kUnknown;
    uint64_t total = 0;
    bool found = false;
    char line[128];
    while (std::fgets(line, sizeof line, f)) {
        uint64_t kib = 0;
        const bool memory = std::sscanf(line, "MemAvailable: %" SCNu64, &kib) == 1;
        if (memory || std::sscanf(line, "SwapFree: %" SCNu64, &kib) == 1)
            total += kib * 1024;
        found = found || memory;
    }
    std::fclose(f);
    return found ? std::size_t(total) : kUnknown;
}

// Room left under a resource limit, given what the process uses of it.
std::size_t RoomUnder(int resource, std::size_t used)
{
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return kUnknown;
    return limit.rlim_cur > used ? std::size_t(limit.rlim_cur - used) : 0;
}

} // namespace

std::size_t AvailableMemory()
{
    // /proc/self/statm: total program size, ..., data and stack (pages).
    std::size_t virtualBytes = 0, dataBytes = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        unsigned long pages[6] = {};
        if (std::fscanf(f, "%lu %lu %lu %lu %lu %lu", &pages[0], &pages[1], &pages[2], &pages[3], &pages[4],
                        &pages[5]) == 6) {
            const auto pageSize = std::size_t(sysconf(_SC_PAGESIZE));
            virtualBytes = pages[0] * pageSize;
            dataBytes = pages[5] * pageSize;
        }
        std::fclose(f);
    }
    return std::min({SystemAvailable(), RoomUnder(RLIMIT_AS, virtualBytes), RoomUnder(RLIMIT_DATA, dataBytes)});
}
