// The pixel buffer of decoded pictures: its own memory or memory taken over from a decoder.
#include "platform/PixelBuffer.h"

#include <gtest/gtest.h>

#include <utility>

namespace {
int g_released = 0;
void CountRelease(void* owner) {
    ++g_released;
    delete[] static_cast<uint32_t*>(owner);
}
}  // namespace

TEST(PixelBuffer, CopiesAreDeepMovesHandOverAndResizingKeepsThePixels) {
    PixelBuffer a;
    EXPECT_TRUE(a.empty());
    a.assign(4, 7u);
    PixelBuffer b = a;
    b[0] = 9u;
    EXPECT_EQ(a[0], 7u) << "a copy has pixels of its own";
    a.resize(6);
    ASSERT_EQ(a.size(), 6u);
    EXPECT_EQ(a[3], 7u);
    a.resize(2);
    EXPECT_EQ(a.size(), 2u);
    EXPECT_EQ(a[1], 7u);
    PixelBuffer c = std::move(b);
    EXPECT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0], 9u);
    EXPECT_EQ(b.size(), 0u);  // NOLINT(bugprone-use-after-move): a moved-from buffer is empty
    a.resize(0);
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(a.data(), nullptr);
}

TEST(PixelBuffer, AdoptedMemoryIsReleasedOnceByItsOwnFunction) {
    g_released = 0;
    {
        auto* memory = new uint32_t[3]{1, 2, 3};
        PixelBuffer a;
        a.Adopt(memory, 3, memory, CountRelease);
        EXPECT_EQ(a.data(), memory);
        PixelBuffer copy = a;  // a copy owns a copy
        EXPECT_NE(copy.data(), memory);
        EXPECT_EQ(copy[2], 3u);
        PixelBuffer moved = std::move(a);
        EXPECT_EQ(moved.data(), memory);
        EXPECT_EQ(g_released, 0);
        moved.assign(2, 0u);  // replacing the pixels lets the old owner go
        EXPECT_EQ(g_released, 1);
    }
    EXPECT_EQ(g_released, 1);
}
