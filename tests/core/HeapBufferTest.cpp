#include <gtest/gtest.h>

#include <cstring>

#include "core/HeapBuffer.h"
#include "core/PointerList.h"
#include "core/TextBuffer.h"

TEST(HeapBuffer, GrowthFollowsPagePolicyWithLargeGranularity) {
  IHeapBuffer buffer(4096);
  buffer.SetByteSize(8, false);
  EXPECT_EQ(buffer.AllocatedBytes(), 4000);
  buffer.SetByteSize(4008, false);
  EXPECT_EQ(buffer.AllocatedBytes(), 8096);
  buffer.SetByteSize(10000000, false);
  EXPECT_EQ(buffer.AllocatedBytes(), 14192544);
  EXPECT_EQ(buffer.ByteCount(), 10000000);
}

TEST(HeapBuffer, GrowthAddsGranularityForSmallGranularity) {
  IHeapBuffer buffer(128);
  buffer.SetByteSize(10, false);
  EXPECT_EQ(buffer.AllocatedBytes(), 138);
  buffer.SetByteSize(300, false);
  EXPECT_EQ(buffer.AllocatedBytes(), 450);
}

TEST(HeapBuffer, ShrinkKeepsBlockAboveThresholdAndFreesAtZero) {
  IHeapBuffer buffer(4096);
  buffer.SetByteSize(4008, false);
  ASSERT_EQ(buffer.AllocatedBytes(), 8096);
  buffer.SetByteSize(100, true);
  EXPECT_EQ(buffer.AllocatedBytes(), 8096);
  EXPECT_EQ(buffer.ByteCount(), 100);
  EXPECT_EQ(buffer.SetByteSize(0, true), nullptr);
  EXPECT_EQ(buffer.AllocatedBytes(), 0);
  EXPECT_EQ(buffer.Bytes(), nullptr);
}

TEST(HeapBuffer, ContentsSurviveGrowthAndZeroFillAddsZeros) {
  IHeapBuffer buffer;
  buffer.SetByteSize(3, false);
  std::memcpy(buffer.Bytes(), "abc", 3);
  EXPECT_EQ(buffer.ResizeZeroFill(100000), 3);
  ASSERT_EQ(buffer.ByteCount(), 100000);
  EXPECT_EQ(std::memcmp(buffer.Bytes(), "abc", 3), 0);
  for (int i = 3; i < 100000; ++i) ASSERT_EQ(buffer.Bytes()[i], 0) << i;
}

TEST(HeapBuffer, SameSizeReturnsAtOnceAndNegativeCountsAsZero) {
  IHeapBuffer buffer;
  uint8_t* block = buffer.SetByteSize(16, false);
  EXPECT_EQ(buffer.SetByteSize(16, true), block);
  buffer.SetByteSize(-5, false);
  EXPECT_EQ(buffer.ByteCount(), 0);
  EXPECT_EQ(buffer.Bytes(), nullptr);
}

TEST(HeapBuffer, ImpossibleSizeLeavesContents) {
  IHeapBuffer buffer;
  buffer.SetByteSize(4, false);
  std::memcpy(buffer.Bytes(), "keep", 4);
  buffer.SetByteSize(INT32_MAX, false);  // the page rounding cannot hold this in an int
  EXPECT_EQ(buffer.ByteCount(), 4);
  EXPECT_EQ(std::memcmp(buffer.Bytes(), "keep", 4), 0);
}

TEST(PointerList, AppendInsertFirstAndBoundedGet) {
  int a = 1, b = 2, x = 0;
  IPointerList<int> list;
  list.Append(&a);
  list.Append(&b);
  list.InsertFirst(&x);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(0), &x);
  EXPECT_EQ(list.Get(1), &a);
  EXPECT_EQ(list.Get(2), &b);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(3), nullptr);
}

TEST(PointerList, DeleteAllDestroysFromLastToFirst) {
  static std::string order;
  struct Noisy {
    char name;
    ~Noisy() { order += name; }
  };
  IPointerList<Noisy> list;
  list.Append(new Noisy{'a'});
  list.Append(new Noisy{'b'});
  list.Append(new Noisy{'c'});
  list.DeleteAll();
  EXPECT_EQ(order, "cba");
  EXPECT_EQ(list.Count(), 0);
}

TEST(TextBuffer, WriteAtCutsTheRestAndAppendLimitedAppends) {
  ITextBuffer text;
  text.Set("abcdef");
  text.WriteAt(0, "abc", 3);
  EXPECT_STREQ(text.Text(), "abc");
  EXPECT_EQ(text.ByteCount(), 4);
  text.AppendLimited("defg", 2);
  EXPECT_STREQ(text.Text(), "abcde");
  EXPECT_EQ(text.Length(), 5);
}

TEST(TextBuffer, EmptyNullAndNegativeWrites) {
  ITextBuffer text;
  EXPECT_EQ(text.Length(), 0);
  EXPECT_STREQ(text.Text(), "");
  text.Set("hello");
  text.WriteAt(-1, "x", 1);
  text.WriteAt(0, "x", -1);
  EXPECT_STREQ(text.Text(), "hello");
  text.Set(nullptr);
  EXPECT_EQ(text.ByteCount(), 1);
  EXPECT_EQ(text.Length(), 0);
}

TEST(TextBuffer, WriteFromOwnBlockSurvivesGrowth) {
  ITextBuffer text;
  text.Set("0123456789");
  // Appending its own text forces the block to grow while the source lives inside it.
  for (int i = 0; i < 6; ++i) text.WriteAt(text.Length(), text.Text(), text.Length());
  ASSERT_EQ(text.Length(), 640);
  for (int i = 0; i < 640; ++i) ASSERT_EQ(text.Text()[i], '0' + i % 10) << i;
}
