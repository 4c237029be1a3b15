#include "framework/heap_buffer.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

TEST(HeapBufferGrowth, GrowingFromEmptyToEightBytesAllocatesWholePagesLessOverhead) {
    HeapBuffer buffer(4096);
    EXPECT_NE(buffer.Resize(8, false), nullptr);
    EXPECT_EQ(buffer.Allocated(), 4000);
    EXPECT_EQ(buffer.Used(), 8);
    buffer.Resize(4001, false);
    EXPECT_EQ(buffer.Allocated(), 8096);
}

TEST(HeapBufferGrowth, SmallGranularityLeavesOneStepOfSpareRoom) {
    HeapBuffer buffer(128);
    buffer.Resize(10, false);
    EXPECT_EQ(buffer.Allocated(), 138);
}

TEST(HeapBufferGrowth,
     GrowingByteByByteReallocatesOnlyAtOneFourThousandOneAndEightThousandNinetySeven) {
    HeapBuffer buffer(4096);
    std::vector<int> growthPoints;
    int allocated = buffer.Allocated();
    for (int n = 1; n <= 10000; ++n) {
        buffer.Resize(n, false);
        if (buffer.Allocated() != allocated) {
            growthPoints.push_back(n);
            allocated = buffer.Allocated();
        }
    }
    EXPECT_EQ(growthPoints, (std::vector<int>{1, 4001, 8097}));
}

TEST(HeapBufferGrowth, SpareRoomOfLargeBlocksStopsAtFourMebibytes) {
    HeapBuffer buffer(4096);
    buffer.Resize(100 << 20, false);
    // (n + 96 + 4 MiB) rounded down to a page, less the overhead.
    EXPECT_EQ(buffer.Allocated(), (100 << 20) + (4 << 20) - 96);
}

TEST(HeapBufferGrowth, ContentsSurviveReallocation) {
    HeapBuffer buffer(128);
    auto* bytes = static_cast<unsigned char*>(buffer.Resize(100, false));
    for (int i = 0; i < 100; ++i) {
        bytes[i] = static_cast<unsigned char>(i);
    }
    bytes = static_cast<unsigned char*>(buffer.Resize(5000, false));
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(bytes[i], i);
    }
}

TEST(HeapBufferShrink, NegativeSizeOnAnEmptyBufferLeavesItEmpty) {
    HeapBuffer buffer(4096);
    EXPECT_EQ(buffer.Resize(-5, true), nullptr);
    EXPECT_EQ(buffer.Used(), 0);
    EXPECT_EQ(buffer.Allocated(), 0);
}

TEST(HeapBufferShrink, ShrinkingWithinFourStepsKeepsTheBlock) {
    HeapBuffer buffer(4096);
    buffer.Resize(4001, false);
    ASSERT_EQ(buffer.Allocated(), 8096);
    EXPECT_NE(buffer.Resize(100, true), nullptr);
    EXPECT_EQ(buffer.Allocated(), 8096);
    EXPECT_EQ(buffer.Used(), 100);
}

TEST(HeapBufferShrink, ShrinkingToZeroWithShrinkAllowedFreesTheBlock) {
    HeapBuffer buffer(4096);
    buffer.Resize(4001, false);
    EXPECT_EQ(buffer.Resize(0, true), nullptr);
    EXPECT_EQ(buffer.Allocated(), 0);
    EXPECT_EQ(buffer.Data(), nullptr);
}

TEST(HeapBufferShrink, ShrinkingToZeroWithoutShrinkKeepsTheAllocation) {
    HeapBuffer buffer(4096);
    buffer.Resize(4001, false);
    EXPECT_EQ(buffer.Resize(0, false), nullptr);
    EXPECT_EQ(buffer.Used(), 0);
    EXPECT_EQ(buffer.Allocated(), 8096);
}

TEST(HeapBufferShrink, ShrinkingBelowHalfOfALargeBlockReallocates) {
    HeapBuffer buffer(4096);
    buffer.Resize(700500, false); // (700500 + 96 + 348160) fills 256 pages
    ASSERT_EQ(buffer.Allocated(), 1048480);
    buffer.Resize(400000, true); // threshold 524240
    EXPECT_LT(buffer.Allocated(), 1048480);
    EXPECT_EQ(buffer.Used(), 400000);
    EXPECT_EQ(buffer.Allocated(), (400000 + 96 + 196608) / 4096 * 4096 - 96);
}

TEST(HeapBufferOverflow, RequestsWhoseAllocationExceedsThirtyTwoBitsFailAndChangeNothing) {
    for (int granularity : {128, 4096}) {
        HeapBuffer buffer(granularity);
        void* data = buffer.Resize(1000, false);
        const int allocated = buffer.Allocated();
        EXPECT_EQ(buffer.Resize(INT_MAX, false), data) << granularity;
        EXPECT_EQ(buffer.Resize(INT_MAX - 50, false), data) << granularity;
        EXPECT_EQ(buffer.Used(), 1000);
        EXPECT_EQ(buffer.Allocated(), allocated);
        EXPECT_EQ(buffer.Data(), data);
    }
}

TEST(HeapBufferOverflow, HalfSizeSpareRoomBeyondThirtyTwoBitsIsRefusedForSmallGranularity) {
    HeapBuffer buffer(128);
    // 1.5 GB + 750 MB of spare room does not fit an int32.
    EXPECT_EQ(buffer.Resize(1500000000, false), nullptr);
    EXPECT_EQ(buffer.Used(), 0);
    EXPECT_EQ(buffer.Allocated(), 0);
}
