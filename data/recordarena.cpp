#include "data/recordarena.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

#ifdef LODEX_ARENA_ASAN
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#endif

namespace {

using RecordArena::BlockHeader;
using RecordArena::kBlockSize;
constexpr std::uintptr_t kBlockMask = ~std::uintptr_t(kBlockSize - 1);
constexpr std::size_t kMaxObject = 256;
// Records hold texts (bytes) and ints: eight bytes is alignment enough,
// and a record of 72 bytes takes no more.
constexpr std::size_t kObjectAlignment = 8;

static_assert(sizeof(BlockHeader) % kObjectAlignment == 0, "objects follow the header aligned");

// The block new allocations come from: objects upwards from `low`, text
// bytes downwards from `high`.
struct Filling {
    BlockHeader *block = nullptr;
    char *low = nullptr;
    char *high = nullptr;

    std::size_t Free() const { return std::size_t(high - low); }
};

Filling g_filling;
int g_bulkScopes = 0;

void DropHolder(BlockHeader *block) noexcept
{
    if (--block->holders == 0)
        RecordArena::FreeBlock(block);
}

BlockHeader *MapAlignedBlock()
{
    // Twice the size, of which the unaligned ends go back.
    void *mapped = mmap(nullptr, 2 * kBlockSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const auto aligned = (start + kBlockSize - 1) & kBlockMask;
    if (aligned > start)
        munmap(mapped, aligned - start);
    const auto tail = aligned + kBlockSize;
    if (start + 2 * kBlockSize > tail)
        munmap(reinterpret_cast<void *>(tail), start + 2 * kBlockSize - tail);
    return reinterpret_cast<BlockHeader *>(aligned);
}

void StartBlock()
{
    BlockHeader *block = MapAlignedBlock();
    if (g_bulkScopes > 0)
        madvise(block, kBlockSize, MADV_HUGEPAGE);
    block->holders = 1;
    if (g_filling.block)
        DropHolder(g_filling.block);
    g_filling = {block, reinterpret_cast<char *>(block + 1), reinterpret_cast<char *>(block) + kBlockSize};
    ASAN_POISON_MEMORY_REGION(g_filling.low, g_filling.Free());
}

} // namespace

namespace RecordArena {

void *AllocateObject(std::size_t size)
{
    if (size > kMaxObject)
        throw std::bad_alloc();
    size = (size + kObjectAlignment - 1) & ~(kObjectAlignment - 1);
    if (!g_filling.block || g_filling.Free() < size)
        StartBlock();
    char *p = g_filling.low;
    g_filling.low += size;
    ++g_filling.block->holders;
    ASAN_UNPOISON_MEMORY_REGION(p, size);
    return p;
}

char *AllocateBytes(std::size_t size)
{
    if (size > kMaxBytes)
        throw std::bad_alloc();
    if (!g_filling.block || g_filling.Free() < size)
        StartBlock();
    g_filling.high -= size;
    ++g_filling.block->holders;
    ASAN_UNPOISON_MEMORY_REGION(g_filling.high, size);
    return g_filling.high;
}

void FreeBlock(BlockHeader *block) noexcept
{
    // The range may be mapped again, by anyone.
    ASAN_UNPOISON_MEMORY_REGION(block, kBlockSize);
    munmap(block, kBlockSize);
}

#ifdef LODEX_ARENA_ASAN
void Poison(const void *p, std::size_t size) noexcept
{
    ASAN_POISON_MEMORY_REGION(p, size);
}
#endif

BulkScope::BulkScope()
{
    ++g_bulkScopes;
}

BulkScope::~BulkScope()
{
    --g_bulkScopes;
}

} // namespace RecordArena
