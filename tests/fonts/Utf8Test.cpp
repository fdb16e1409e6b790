#include <gtest/gtest.h>

#include "platform/TextDrawUtf8.h"
#include "raster/Utf8.h"

namespace {
TEST(DecodeUtf8Char, ReadsWellFormedSequencesAndLoneBytesAsThemselves) {
  struct Case {
    const char* bytes;
    uint16_t code;
    int length;
  } cases[] = {
      {"A", 'A', 1},
      {"\xC3\xA9", 0xE9, 2},
      {"\xDF\xBF", 0x7FF, 2},
      {"\xE2\x82\xAC", 0x20AC, 3},
      {"\xEF\xBF\xBF", 0xFFFF, 3},
      {"\xF0\x9F\x98\x80", 32, 4},   // four-byte sequences stand for a space
      {"\xE9", 0xE9, 1},             // lone lead byte
      {"\xC3\xC0", 0xC3, 1},         // lead without continuation
      {"\xC0\x80", 0xC0, 1},         // overlong lead
      {"\xC1\xBF", 0xC1, 1},
      {"\x80", 0x80, 1},             // stray continuation
      {"\xF5\x80\x80\x80", 0xF5, 1},
      {"\xE2\x82", 0xE2, 1},         // cut short by the terminator
      {"\xF0\x9F\x98", 0xF0, 1},
  };
  for (const Case& c : cases) {
    uint16_t code = 0;
    EXPECT_EQ(DecodeUtf8Char(reinterpret_cast<const uint8_t*>(c.bytes), &code), c.length) << c.bytes;
    EXPECT_EQ(code, c.code) << c.bytes;
  }
  // A count limit ends a sequence as a missing byte would.
  uint16_t code = 0;
  EXPECT_EQ(DecodeUtf8CharIn(reinterpret_cast<const uint8_t*>("\xE2\x82\xAC"), 2, &code), 1);
  EXPECT_EQ(code, 0xE2);
}

TEST(HasUtf8Sequence, FindsTwoAndThreeByteLeadsFollowedByContinuations) {
  EXPECT_FALSE(HasUtf8Sequence(nullptr));
  EXPECT_FALSE(HasUtf8Sequence(""));
  EXPECT_FALSE(HasUtf8Sequence("plain ascii"));
  EXPECT_FALSE(HasUtf8Sequence("caf\xE9"));
  EXPECT_FALSE(HasUtf8Sequence("\xC3"));
  EXPECT_FALSE(HasUtf8Sequence("\xE2\x82"));
  EXPECT_TRUE(HasUtf8Sequence("caf\xC3\xA9"));
  EXPECT_TRUE(HasUtf8Sequence("\xE2\x82\xAC"));
  EXPECT_TRUE(HasUtf8Sequence("x\xF0\x9F\x98"));  // 0xF0-0xF4 need only two
  EXPECT_FALSE(HasUtf8SequenceIn("ab\xC3\xA9", 3));
}

TEST(Utf8ToUtf16, ConvertsValidTextAndRefusesInvalidText) {
  char16_t out[16];
  EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", -1, out, 16), 6);
  const char16_t expected[] = {u'a', 0xE9, 0x20AC, 0xD83D, 0xDE00, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(out[i], expected[i]) << i;
  EXPECT_EQ(Utf8ToUtf16("abc", 2, nullptr, 0), 2);
  EXPECT_EQ(Utf8ToUtf16("abcdef", -1, out, 3), 0);  // too small
  for (const char* bad : {"\xE9", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"}) {
    EXPECT_EQ(Utf8ToUtf16(bad, -1, out, 16), 0) << bad;
  }
}
}  // namespace
