#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
#define LODEX_ARENA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LODEX_ARENA_ASAN 1
#endif
#endif

// Memory for records and the texts read with them.
//
// A list of a million records made the allocator's header and rounding cost
// as much as the records' own bytes. Here a record and its texts are placed
// one after another in blocks of 2 MiB: records from the start of a block,
// text bytes from its end. Each block counts what is alive in it and goes
// back to the system with the last of it; nothing is reused before, which
// suits records, read in bulk and kept. Single-threaded, as every user of
// records is.
namespace RecordArena {

// The largest text AllocateBytes takes; longer texts go to the heap.
constexpr std::size_t kMaxBytes = 4096;

// Memory for an object of at most 256 bytes, aligned to eight bytes (as
// much as a record needs).
void *AllocateObject(std::size_t size);
// `size` bytes (at most kMaxBytes), unaligned.
char *AllocateBytes(std::size_t size);

// A block starts with its count of holders, and blocks are aligned to
// their size, so that the count is found from any address in the block.
// Retain and Release run for every text and record: they are inline.
struct BlockHeader {
    // Allocations alive in the block, plus one while it is being filled.
    std::size_t holders;
};
constexpr std::size_t kBlockSize = std::size_t(2) << 20; // one huge page

inline BlockHeader *HeaderOf(const void *p)
{
    return reinterpret_cast<BlockHeader *>(reinterpret_cast<std::uintptr_t>(p) & ~std::uintptr_t(kBlockSize - 1));
}
void FreeBlock(BlockHeader *block) noexcept;
#ifdef LODEX_ARENA_ASAN
// Marks released memory, so that AddressSanitizer reports a later use.
void Poison(const void *p, std::size_t size) noexcept;
#else
inline void Poison(const void *, std::size_t) noexcept {}
#endif

// One more or one fewer holder of the allocation that starts at `p`; the
// block is released with its last holder. Text bytes are shared by the
// text's copies, each a holder, so a release marks nothing by itself: the
// bytes stay valid while the block lives.
inline void Retain(const void *p)
{
    ++HeaderOf(p)->holders;
}
inline void Release(const void *p) noexcept
{
    BlockHeader *block = HeaderOf(p);
    if (--block->holders == 0)
        FreeBlock(block);
}

// While one lives, new blocks ask the system for huge pages: a large list
// is being read, and on virtual machines every first touch of a 4 KiB page
// traps to the host, which made a million records cost more in page faults
// than in reading. Small lists keep small pages, and only those they touch.
class BulkScope
{
public:
    BulkScope();
    ~BulkScope();
    BulkScope(const BulkScope &) = delete;
    BulkScope &operator=(const BulkScope &) = delete;
};

} // namespace RecordArena
