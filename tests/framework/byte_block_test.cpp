#include "framework/byte_block.h"
#include "framework/text_buffer.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>

namespace {

void AppendRawString(ByteBlock& block, std::int32_t length, const char* characters) {
    block.Append(length);
    block.AppendBytes(characters, static_cast<std::int32_t>(std::strlen(characters)));
}

} // namespace

TEST(ByteBlockAppend, ValuesAreStoredAsRawBytesWithoutPadding) {
    ByteBlock block;
    EXPECT_EQ(block.Append(std::int32_t{0x01020304}), 4);
    EXPECT_EQ(block.Append(std::uint8_t{1}), 5);
    EXPECT_EQ(block.Append(1.0), 13);
    const unsigned char expected[] = {4, 3, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    ASSERT_EQ(block.Size(), 13);
    EXPECT_EQ(std::memcmp(block.Data(), expected, 13), 0);
}

TEST(ByteBlockAppend, StringsAreALengthAndTheirCharactersWithoutTerminator) {
    ByteBlock block;
    EXPECT_EQ(block.AppendString("Init"), 8);
    EXPECT_EQ(block.AppendString(""), 12);
    const unsigned char expected[] = {4, 0, 0, 0, 'I', 'n', 'i', 't', 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(block.Data(), expected, 12), 0);
}

TEST(ByteBlockRead, AReadEndingExactlyAtTheEndSucceedsAndOnePastFails) {
    ByteBlock block;
    block.Append(2.5);
    double v = 0.0;
    EXPECT_EQ(block.Read(v, 0), 8);
    EXPECT_EQ(v, 2.5);
    v = 9.0;
    EXPECT_EQ(block.Read(v, 1), -1);
    EXPECT_EQ(v, 9.0); // untouched on failure
    std::int32_t i = 0;
    EXPECT_EQ(block.Read(i, 4), 8);
    EXPECT_EQ(block.Read(i, 5), -1);
    EXPECT_EQ(block.Read(i, -1), -1);
}

TEST(ByteBlockRead, PositionsNearTheThirtyTwoBitLimitFailInsteadOfWrapping) {
    ByteBlock block;
    block.Append(1.0);
    double v = 0.0;
    EXPECT_EQ(block.Read(v, INT_MAX), -1);
    EXPECT_EQ(block.Read(v, INT_MAX - 4), -1);
    TextBuffer text;
    EXPECT_EQ(block.ReadString(text, INT_MAX - 2), -1);
}

TEST(ByteBlockReadString, ReadsTheCharactersAndAnswersThePositionAfterThem) {
    ByteBlock block;
    block.AppendString("Funked Swell");
    block.Append(std::uint8_t{1});
    TextBuffer text;
    EXPECT_EQ(block.ReadString(text, 0), 16);
    EXPECT_STREQ(text.Text(), "Funked Swell");
}

TEST(ByteBlockReadString, AZeroByteEndsTheTextButNotTheString) {
    ByteBlock block;
    block.Append(std::int32_t{5});
    block.AppendBytes("ab\0cd", 5);
    TextBuffer text;
    EXPECT_EQ(block.ReadString(text, 0), 9);
    EXPECT_STREQ(text.Text(), "ab");
}

TEST(ByteBlockReadString, AZeroLengthReadsAsAnEmptyText) {
    ByteBlock block;
    block.AppendString("");
    TextBuffer text;
    text.Set("previous");
    EXPECT_EQ(block.ReadString(text, 0), 4);
    EXPECT_STREQ(text.Text(), "");
}

TEST(ByteBlockReadString, ALengthRunningPastTheEndFailsAndKeepsTheText) {
    ByteBlock block;
    AppendRawString(block, 100, "short");
    TextBuffer text;
    text.Set("previous");
    EXPECT_EQ(block.ReadString(text, 0), -1);
    EXPECT_STREQ(text.Text(), "previous");
}

TEST(ByteBlockReadString, NegativeAndHugeLengthsFailTheRead) {
    TextBuffer text;
    text.Set("previous");
    for (std::int32_t length : {-1, -4, INT_MIN, INT_MAX, INT_MAX - 3}) {
        ByteBlock block;
        AppendRawString(block, length, "abcdefgh");
        EXPECT_EQ(block.ReadString(text, 0), -1) << length;
        EXPECT_STREQ(text.Text(), "previous");
    }
}

TEST(ByteBlockReadString, ALengthFieldCutShortFails) {
    ByteBlock block;
    block.AppendBytes("\x03\x00", 2);
    TextBuffer text;
    EXPECT_EQ(block.ReadString(text, 0), -1);
    EXPECT_EQ(block.ReadString(text, -1), -1);
}

TEST(ByteBlockResize, GrowingZeroFillsAndClearingEmpties) {
    ByteBlock block;
    block.Append(std::int32_t{-1});
    EXPECT_EQ(block.ResizeZeroed(12), 4);
    ASSERT_EQ(block.Size(), 12);
    EXPECT_EQ(block.Data()[0], 0xFF);
    for (int i = 4; i < 12; ++i) {
        EXPECT_EQ(block.Data()[i], 0);
    }
    block.Clear();
    EXPECT_EQ(block.Size(), 0);
    EXPECT_TRUE(block.Empty());
}
