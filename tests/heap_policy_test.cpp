// After the window sets its heap policy, a picture-sized block freed after a
// larger one still goes back to the system instead of leaving a hole.
#include <gtest/gtest.h>

#include <cstdint>
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
// other thread and test moves: the C library marks a block with pages of its
// own in the size word before it.
bool HasPagesOfItsOwn(void* block) { return (static_cast<const size_t*>(block)[-1] & 2) != 0; }
// Whether the page under an address is still mapped into the process.
bool PageMapped(uintptr_t at) {
    const uintptr_t page = at & ~(uintptr_t(sysconf(_SC_PAGESIZE)) - 1);
    unsigned char resident;
    return mincore(reinterpret_cast<void*>(page), 1, &resident) == 0;
}
#endif
}  // namespace

TEST(HeapPolicy, PictureSizedBlocksKeepPagesOfTheirOwnAfterALargerOneWasFreed) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(__GLIBC__)
    GTEST_SKIP() << "the C library's own allocator is not in use";
#else
    ASSERT_TRUE(host::KeepLargeBlocksApart());
    // Freeing a block this large would, by default, lift the threshold above every picture.
    void* large = std::malloc(16u << 20);
    ASSERT_NE(large, nullptr);
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
    for (const auto& c : kCases) {
        void* block = std::malloc(c.bytes);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(HasPagesOfItsOwn(block), c.ownPages) << c.what;
        const bool own = HasPagesOfItsOwn(block);
        const uintptr_t at = uintptr_t(block);
        std::free(block);
        if (own) {
            EXPECT_FALSE(PageMapped(at)) << c.what << ": handed back when freed";
        }
    }
#endif
}
