#include "platform/system/HeapWarmth.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace platform {

namespace {

// glibc's own threshold: free memory at the heap's end beyond it goes back.
constexpr std::size_t kDefaultTrimThreshold = 128 * 1024;
// Below malloc's threshold for mapping a block of its own, so that the
// pieces come from the heap and join its free end when freed.
constexpr std::size_t kPiece = 64 * 1024;

// The free memory kept at the heap's end.
std::size_t gWarmBytes = 0;

struct FreeDeleter {
    void operator()(void* block) const { std::free(block); }
};

} // namespace

void KeepHeapWarm(std::size_t bytes)
{
    if (mallopt(M_TRIM_THRESHOLD, static_cast<int>(bytes + kDefaultTrimThreshold)) == 0)
        return;
    gWarmBytes = bytes;
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::vector<std::unique_ptr<char, FreeDeleter>> pieces;
    pieces.reserve(bytes / kPiece + 1);
    for (std::size_t taken = 0; taken < bytes; taken += kPiece) {
        auto* piece = static_cast<char*>(std::malloc(kPiece));
        if (piece == nullptr)
            break;
        pieces.emplace_back(piece);
        // A write per page maps it; volatile, as the block is only freed.
        for (std::size_t at = 0; at < kPiece; at += page)
            static_cast<volatile char*>(piece)[at] = 0;
    }
}

void ReleaseFreeHeap()
{
    malloc_trim(gWarmBytes);
}

} // namespace platform
