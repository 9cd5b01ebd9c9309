// After the window sets its heap policy, a picture-sized block freed after a
// larger one still goes back to the system instead of leaving a hole.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host/HeapPolicy.h"

#if defined(__GLIBC__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Read off the block itself, not the process's heap counters, which every
// other thread moves: the C library marks a block with pages of its own in
// the size word before it. Addresses as numbers: the compiler is not to
// follow them back to the allocation.
__attribute__((noinline)) bool HasPagesOfItsOwn(uintptr_t block) {
    size_t word;
    std::memcpy(&word, reinterpret_cast<const void*>(block - sizeof word), sizeof word);
    return (word & 2) != 0;
}
// Whether the page under an address is still mapped into the process.
__attribute__((noinline)) bool PageMapped(uintptr_t at) {
    const uintptr_t page = at & ~(uintptr_t(sysconf(_SC_PAGESIZE)) - 1);
    unsigned char resident;
    return mincore(reinterpret_cast<void*>(page), 1, &resident) == 0;
}
#endif
}  // namespace

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
namespace {

// Exits 0 when every block went where the policy sends it, else says which
// did not and exits 1.
[[noreturn]] void CheckPictureBlocks() {
    if (!host::KeepLargeBlocksApart()) {
        std::fprintf(stderr, "the policy was refused\n");
        std::exit(1);
    }
    // Freeing a block this large would, by default, lift the threshold above every picture.
    void* large = std::malloc(16u << 20);
    if (!large) std::exit(1);
    std::memset(large, 1, 16u << 20);
    std::free(large);
    const struct {
        const char* what;
        size_t bytes;
        bool ownPages;
    } kCases[] = {
        {"a 256 × 256 picture", 256 * 256 * 4, true},
        {"the stage backdrop", 1024 * 1024 * 4, true},
        {"a block of the renderer's frame", 64 * 1024, false},
    };
    int failures = 0;
    for (const auto& c : kCases) {
        void* block = std::malloc(c.bytes);
        if (!block) std::exit(1);
        const uintptr_t at = reinterpret_cast<uintptr_t>(block);
        const bool own = HasPagesOfItsOwn(at);
        std::free(block);
        if (own != c.ownPages) {
            std::fprintf(stderr, "%s: %s\n", c.what, own ? "has pages of its own" : "shares the heap");
            ++failures;
        } else if (own && PageMapped(at)) {
            std::fprintf(stderr, "%s: not handed back when freed\n", c.what);
            ++failures;
        }
    }
    std::exit(failures == 0 ? 0 : 1);
}

}  // namespace
#endif

// The blocks are checked in a fresh copy of the test program: in a heap that
// other tests have left with free room, any block may come from that room,
// whatever the policy.
TEST(HeapPolicy, PictureSizedBlocksKeepPagesOfTheirOwnAfterALargerOneWasFreed) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(__GLIBC__)
    GTEST_SKIP() << "the C library's own allocator is not in use";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(CheckPictureBlocks(), ::testing::ExitedWithCode(0), "");
#endif
}
