#include "framework/pointer_list.h"
#include "framework/text_buffer.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

// Counts deletions so the tests can see what the list frees.
struct Counted {
    explicit Counted(int& deletions, int tag = 0) : deletions(deletions), tag(tag) {}
    ~Counted() { ++deletions; }
    int& deletions;
    int tag;
};

} // namespace

TEST(PointerList, InsertAtTheFrontShiftsTheOthersUp) {
    int deletions = 0;
    PointerList<Counted> list;
    list.Append(new Counted(deletions, 1));
    list.Append(new Counted(deletions, 2));
    list.Insert(0, new Counted(deletions, 0));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get(0)->tag, 0);
    EXPECT_EQ(list.Get(1)->tag, 1);
    EXPECT_EQ(list.Get(2)->tag, 2);
}

TEST(PointerList, IndexesOutsideTheListAnswerNull) {
    int deletions = 0;
    PointerList<Counted> list;
    EXPECT_EQ(list.Get(0), nullptr);
    list.Append(new Counted(deletions));
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(1), nullptr);
}

TEST(PointerList, InsertOutsideTheListDeletesTheObjectInsteadOfLeakingIt) {
    int deletions = 0;
    PointerList<Counted> list;
    EXPECT_FALSE(list.Insert(3, new Counted(deletions)));
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(list.Count(), 0);
}

TEST(PointerList, DeleteAllDeletesEveryObjectIncludingAroundNullEntries) {
    int deletions = 0;
    {
        PointerList<Counted> list;
        list.Append(new Counted(deletions));
        list.Append(nullptr);
        list.Append(new Counted(deletions));
        list.DeleteAll();
        EXPECT_EQ(deletions, 2);
        EXPECT_EQ(list.Count(), 0);
        list.Append(new Counted(deletions));
    }
    EXPECT_EQ(deletions, 3); // the destructor deletes what is left
}

TEST(TextBuffer, WriteAtBuildsAndCutsTheText) {
    TextBuffer text;
    EXPECT_STREQ(text.Text(), "");
    text.WriteAt(0, "abc", 3);
    EXPECT_STREQ(text.Text(), "abc");
    EXPECT_EQ(text.Used(), 4);
    text.WriteAt(1, "x", 1);
    EXPECT_STREQ(text.Text(), "ax");
    EXPECT_EQ(text.Used(), 3);
}

TEST(TextBuffer, EmptyWritesAtZeroClearAndElsewhereDoNothing) {
    TextBuffer text;
    text.Set("hello");
    text.WriteAt(2, "zz", 0);
    EXPECT_STREQ(text.Text(), "hello");
    text.WriteAt(0, "zz", 0);
    EXPECT_STREQ(text.Text(), "");
    EXPECT_EQ(text.Used(), 1);
}

TEST(TextBuffer, NegativeOrOverflowingWritesChangeNothing) {
    TextBuffer text;
    text.Set("keep");
    text.WriteAt(-1, "x", 1);
    text.WriteAt(0, "x", -1);
    text.WriteAt(INT32_MAX - 1, "x", 1);
    text.WriteAt(1, "x", INT32_MAX);
    EXPECT_STREQ(text.Text(), "keep");
}

TEST(TextBuffer, ATextCanBeSetFromAPartOfItselfWhileItGrows) {
    TextBuffer text;
    text.Set("0123456789");
    // Appending its own tail forces a larger block; the source must follow it.
    for (int round = 0; round < 6; ++round) {
        const int length = text.Length();
        text.WriteAt(length, text.Text(), length);
    }
    ASSERT_EQ(text.Length(), 640);
    for (int i = 0; i < 640; ++i) {
        ASSERT_EQ(text.Text()[i], '0' + i % 10) << i;
    }
}

TEST(TextBuffer, WritingPastTheEndLeavesNoUninitialisedBytesInTheGap) {
    TextBuffer text;
    text.Set("ab");
    text.WriteAt(5, "z", 1);
    // The old terminator ends the visible text; the gap is zeros, not leftovers.
    EXPECT_STREQ(text.Text(), "ab");
    EXPECT_EQ(text.Used(), 7);
    EXPECT_EQ(text.Text()[4], '\0');
    EXPECT_EQ(text.Text()[5], 'z');
}

TEST(TextBuffer, PrintIntoCutsAtTheMaximumLength) {
    TextBuffer text;
    text.PrintInto(5, "%d", 1234567);
    EXPECT_STREQ(text.Text(), "12345");
    EXPECT_EQ(text.Used(), 6);
    text.PrintInto(20, "%s-%d", "ab", 7);
    EXPECT_STREQ(text.Text(), "ab-7");
    EXPECT_EQ(text.Used(), 5);
    text.PrintInto(0, "%s", "anything");
    EXPECT_STREQ(text.Text(), "");
}
