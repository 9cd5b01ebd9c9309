// After the window sets its heap policy, a picture-sized block freed after a
// larger one still goes back to the system instead of leaving a hole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/host/HeapPolicy.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

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
        const size_t before = mallinfo2().hblkhd;
        void* block = std::malloc(c.bytes);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(mallinfo2().hblkhd > before, c.ownPages) << c.what;
        std::free(block);
        EXPECT_EQ(mallinfo2().hblkhd, before) << c.what << ": handed back when freed";
    }
#endif
}
