#include "core/StateChunk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;

Bytes Contents(const IStateChunk& chunk) {
  const uint8_t* data = chunk.Bytes();
  return data == nullptr ? Bytes() : Bytes(data, data + chunk.ByteCount());
}

void Fill(IStateChunk& chunk, const Bytes& bytes) {
  chunk.ResizeZeroFill(static_cast<int>(bytes.size()));
  if (!bytes.empty()) std::memcpy(chunk.Bytes(), bytes.data(), bytes.size());
}

// A stored text: little-endian length, then the bytes.
Bytes StoredText(int32_t length, const std::string& bytes) {
  const auto n = static_cast<uint32_t>(length);
  Bytes out(4 + bytes.size());
  for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<uint8_t>(n >> (8 * i));
  std::copy(bytes.begin(), bytes.end(), out.begin() + 4);
  return out;
}
}  // namespace

TEST(StateChunkTest, Append_WritesLittleEndianEncodings) {
  struct Case {
    const char* name;
    std::function<bool(IStateChunk&)> append;
    Bytes expected;
  };
  const Case cases[] = {
      {"int 1", [](IStateChunk& c) { return c.AppendInt32(1); }, {0x01, 0, 0, 0}},
      {"int -2", [](IStateChunk& c) { return c.AppendInt32(-2); }, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"int min", [](IStateChunk& c) { return c.AppendInt32(INT32_MIN); }, {0, 0, 0, 0x80}},
      {"double 0", [](IStateChunk& c) { return c.AppendDouble(0.0); }, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"double -3", [](IStateChunk& c) { return c.AppendDouble(-3.0); },
       {0, 0, 0, 0, 0, 0, 0x08, 0xC0}},
      {"double 2.5", [](IStateChunk& c) { return c.AppendDouble(2.5); },
       {0, 0, 0, 0, 0, 0, 0x04, 0x40}},
      {"flag true", [](IStateChunk& c) { return c.AppendFlag(true); }, {0x01}},
      {"flag false", [](IStateChunk& c) { return c.AppendFlag(false); }, {0x00}},
      {"text", [](IStateChunk& c) { return c.AppendText("abc"); }, {3, 0, 0, 0, 'a', 'b', 'c'}},
      {"empty text", [](IStateChunk& c) { return c.AppendText(""); }, {0, 0, 0, 0}},
      {"null text", [](IStateChunk& c) { return c.AppendText(nullptr); }, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    IStateChunk chunk;
    EXPECT_TRUE(c.append(chunk)) << c.name;
    EXPECT_EQ(Contents(chunk), c.expected) << c.name;
  }
}

TEST(StateChunkTest, ReadBack_ReturnsValuesAndPositionsInOrder) {
  IStateChunk chunk;
  ASSERT_TRUE(chunk.AppendInt32(-123456789));
  ASSERT_TRUE(chunk.AppendDouble(-0.0));
  ASSERT_TRUE(chunk.AppendDouble(HUGE_VAL));
  ASSERT_TRUE(chunk.AppendDouble(NAN));
  ASSERT_TRUE(chunk.AppendFlag(true));
  ASSERT_TRUE(chunk.AppendText("Stereo Enhance"));
  ASSERT_TRUE(chunk.AppendDouble(4.9e-324));

  int32_t i = 0;
  double zero = 1.0, inf = 0.0, nan = 0.0, tiny = 0.0;
  bool flag = false;
  char name[256] = "x";
  int pos = chunk.ReadInt32(&i, 0);
  EXPECT_EQ(pos, 4);
  pos = chunk.ReadDouble(&zero, pos);
  pos = chunk.ReadDouble(&inf, pos);
  pos = chunk.ReadDouble(&nan, pos);
  EXPECT_EQ(pos, 28);
  pos = chunk.ReadFlag(&flag, pos);
  pos = chunk.ReadText(name, sizeof name, pos);
  EXPECT_EQ(pos, 29 + 4 + 14);
  pos = chunk.ReadDouble(&tiny, pos);
  EXPECT_EQ(pos, chunk.ByteCount());

  EXPECT_EQ(i, -123456789);
  EXPECT_EQ(zero, 0.0);
  EXPECT_TRUE(std::signbit(zero));
  EXPECT_EQ(inf, HUGE_VAL);
  EXPECT_TRUE(std::isnan(nan));
  EXPECT_TRUE(flag);
  EXPECT_STREQ(name, "Stereo Enhance");
  EXPECT_EQ(tiny, 4.9e-324);
}

TEST(StateChunkTest, ReadFlag_AnyNonZeroByteIsTrue) {
  IStateChunk chunk;
  Fill(chunk, {0x00, 0x02, 0x80});
  bool flags[3] = {true, false, false};
  for (int pos = 0; pos < 3; ++pos) EXPECT_EQ(chunk.ReadFlag(&flags[pos], pos), pos + 1);
  EXPECT_FALSE(flags[0]);
  EXPECT_TRUE(flags[1] && flags[2]);
}

// Every reader takes only items lying wholly inside the chunk, also where position plus
// width would overflow, and leaves its output alone when it refuses.
TEST(StateChunkTest, Reads_BoundsOfA10ByteChunk) {
  struct Case {
    int position, int32Result, doubleResult, flagResult;
  };
  const Case cases[] = {
      {0, 4, 8, 1},          {2, 6, 10, 3},         {3, 7, -1, 4},
      {6, 10, -1, 7},        {7, -1, -1, 8},        {9, -1, -1, 10},
      {10, -1, -1, -1},      {11, -1, -1, -1},      {-1, -1, -1, -1},
      {-8, -1, -1, -1},      {INT_MIN, -1, -1, -1}, {INT_MAX, -1, -1, -1},
      {INT_MAX - 3, -1, -1, -1}, {INT_MAX - 7, -1, -1, -1},
  };
  IStateChunk chunk;
  Fill(chunk, Bytes(10, 0x11));
  for (const Case& c : cases) {
    int32_t i = 7;
    double d = 7.0;
    bool f = false;
    char text[8] = "keep";
    EXPECT_EQ(chunk.ReadInt32(&i, c.position), c.int32Result) << c.position;
    EXPECT_EQ(chunk.ReadDouble(&d, c.position), c.doubleResult) << c.position;
    EXPECT_EQ(chunk.ReadFlag(&f, c.position), c.flagResult) << c.position;
    EXPECT_EQ(chunk.ReadText(text, sizeof text, c.position), -1) << c.position;
    EXPECT_EQ(i, c.int32Result < 0 ? 7 : 0x11111111) << c.position;
    EXPECT_EQ(d == 7.0, c.doubleResult < 0) << c.position;
    EXPECT_EQ(f, c.flagResult >= 0) << c.position;
    EXPECT_STREQ(text, "keep");
  }
  bool f = false;
  EXPECT_EQ(IStateChunk().ReadFlag(&f, 0), -1);
  EXPECT_EQ(chunk.ReadInt32(nullptr, 0), -1);
}

TEST(StateChunkTest, ReadText_StoredLengths) {
  struct Case {
    const char* name;
    Bytes stored;
    int expectedPosition;  // relative to the start; -1 for failure
    const char* expectedText;
  };
  const Case cases[] = {
      {"plain", StoredText(5, "Mono!"), 9, "Mono!"},
      {"length 0", StoredText(0, ""), 4, ""},
      {"zero inside", StoredText(5, std::string("ab\0cd", 5)), 9, "ab"},
      {"zero first", StoredText(3, std::string("\0xy", 3)), 7, ""},
      {"truncated", StoredText(10, "abcde"), -1, "keep"},
      {"one short", StoredText(6, "abcde"), -1, "keep"},
      {"negative", StoredText(-1, "abcde"), -1, "keep"},
      {"most negative", StoredText(INT32_MIN, "abcde"), -1, "keep"},
      {"huge", StoredText(INT32_MAX, "abcde"), -1, "keep"},
      {"huge minus 4", StoredText(INT32_MAX - 4, "abcde"), -1, "keep"},
      {"no length", {3, 0, 0}, -1, "keep"},
  };
  for (const Case& c : cases) {
    for (int offset : {0, 3}) {  // at the start and after other bytes
      IStateChunk chunk;
      Bytes bytes(static_cast<size_t>(offset), 0xEE);
      bytes.insert(bytes.end(), c.stored.begin(), c.stored.end());
      Fill(chunk, bytes);
      char text[256] = "keep";
      const int expected = c.expectedPosition < 0 ? -1 : offset + c.expectedPosition;
      EXPECT_EQ(chunk.ReadText(text, sizeof text, offset), expected) << c.name;
      EXPECT_STREQ(text, c.expectedText) << c.name;
    }
  }
}

TEST(StateChunkTest, ReadText_LongerThanTheField_IsCutAndSkippedWhole) {
  IStateChunk chunk;
  ASSERT_TRUE(chunk.AppendText(std::string(300, 'n').c_str()));
  ASSERT_TRUE(chunk.AppendFlag(true));
  char field[256 + 4];
  std::memset(field, '#', sizeof field);
  const int pos = chunk.ReadText(field, 256, 0);
  EXPECT_EQ(pos, 304);
  EXPECT_EQ(std::string(field), std::string(255, 'n'));
  EXPECT_EQ(std::string(field + 256, 4), "####");  // nothing written past the field
  bool flag = false;
  EXPECT_EQ(chunk.ReadFlag(&flag, pos), 305);
  EXPECT_TRUE(flag);

  char one[1] = {'z'};
  EXPECT_EQ(chunk.ReadText(one, 1, 0), 304);
  EXPECT_EQ(one[0], '\0');
  char none[1] = {'z'};
  EXPECT_EQ(chunk.ReadText(none, 0, 0), -1);
  EXPECT_EQ(none[0], 'z');
  EXPECT_EQ(chunk.ReadText(nullptr, 8, 0), -1);
}

TEST(StateChunkTest, AppendBytes_CopiesAnotherChunkWithoutPrefix) {
  IStateChunk state;
  ASSERT_TRUE(state.AppendDouble(-3.0));
  IStateChunk bank;
  ASSERT_TRUE(bank.AppendFlag(true));
  ASSERT_TRUE(bank.AppendBytes(state));
  EXPECT_EQ(Contents(bank), (Bytes{1, 0, 0, 0, 0, 0, 0, 0x08, 0xC0}));

  IStateChunk empty;
  ASSERT_TRUE(bank.AppendBytes(empty));
  EXPECT_EQ(bank.ByteCount(), 9);
}

TEST(StateChunkTest, AppendBytes_OfItself_DoublesTheContentsAcrossAReallocation) {
  IStateChunk chunk;
  Bytes pattern(3000);
  for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<uint8_t>(i * 7);
  Fill(chunk, pattern);
  ASSERT_TRUE(chunk.AppendBytes(chunk));  // 6000 bytes no longer fit the first block
  Bytes expected = pattern;
  expected.insert(expected.end(), pattern.begin(), pattern.end());
  EXPECT_EQ(Contents(chunk), expected);
}

TEST(StateChunkTest, TruncateAndResizeZeroFill) {
  IStateChunk chunk;
  ASSERT_TRUE(chunk.AppendInt32(0x01020304));
  EXPECT_EQ(chunk.ResizeZeroFill(7), 4);
  EXPECT_EQ(Contents(chunk), (Bytes{4, 3, 2, 1, 0, 0, 0}));
  EXPECT_EQ(chunk.ResizeZeroFill(2), 7);
  EXPECT_EQ(Contents(chunk), (Bytes{4, 3}));
  EXPECT_EQ(chunk.ResizeZeroFill(-5), 2);
  EXPECT_EQ(chunk.ByteCount(), 0);

  ASSERT_TRUE(chunk.AppendFlag(true));
  chunk.Truncate();
  EXPECT_EQ(chunk.ByteCount(), 0);
  EXPECT_EQ(chunk.Bytes(), nullptr);
  ASSERT_TRUE(chunk.AppendFlag(false));
  EXPECT_EQ(Contents(chunk), Bytes{0});
}

TEST(StateChunkTest, WriteChunkHeader_ReplacesTheContents) {
  IStateChunk chunk;
  ASSERT_TRUE(chunk.AppendText("old contents"));
  ASSERT_TRUE(WriteChunkHeader(chunk));
  EXPECT_EQ(Contents(chunk), (Bytes{0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00}));
}

TEST(StateChunkTest, ReadChunkHeader_Cases) {
  const Bytes magic = {0x74, 0x66, 0x66, 0x70};
  auto with = [&](Bytes tail) {
    Bytes b = magic;
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
  };
  struct Case {
    const char* name;
    Bytes bytes;
    int start;
    int expectedVersion;
    int expectedPosition;
  };
  const Case cases[] = {
      {"header", with({0, 0, 1, 0, 9}), 0, 0x10000, 8},
      {"other version", with({5, 0, 0, 0}), 0, 5, 8},
      {"version 0", with({0, 0, 0, 0}), 0, 0, 8},
      {"at an offset", {9, 9, 0x74, 0x66, 0x66, 0x70, 0, 0, 1, 0}, 2, 0x10000, 10},
      {"no magic", {0, 0, 0, 0, 0, 0, 0x08, 0xC0}, 0, 0, 0},
      {"magic byte-swapped", {0x70, 0x66, 0x66, 0x74, 0, 0, 1, 0}, 0, 0, 0},
      {"empty", {}, 0, 0, 0},
      {"part of the magic", {0x74, 0x66, 0x66}, 0, 0, 0},
      {"magic only", magic, 0, 0, -1},
      {"magic and 3 bytes", with({0, 0, 1}), 0, 0, -1},
      {"negative position", with({0, 0, 1, 0}), -1, 0, -1},
  };
  for (const Case& c : cases) {
    IStateChunk chunk;
    Fill(chunk, c.bytes);
    int position = c.start;
    EXPECT_EQ(ReadChunkHeader(chunk, &position), c.expectedVersion) << c.name;
    EXPECT_EQ(position, c.expectedPosition) << c.name;
  }
}
