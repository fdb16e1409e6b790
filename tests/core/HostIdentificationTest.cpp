#include "core/HostIdentification.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

TEST(HostIdentificationTest, IdentifyHost_ProductTexts) {
  struct Case {
    const char* text;
    int identity;
  };
  const Case cases[] = {
      {"REAPER", 1},
      {"ProTools", 2},
      {"Cubase VST", 3},
      {"Nuendo", 4},
      {"Cakewalk SONAR", 5},
      {"Fruity Loops", 7},
      {"Samplitude Pro X", 8},
      {"Live", 9},
      {"Melodyne", 12},
      {"VSTManLib", 13},
      {"AU Lab", 0},  // a space breaks the word
      {"AULab", 14},
      {"Forte 4", 15},
      {"Chainer", 16},
      {"Adobe Audition", 17},
      {"Orion Platinum", 18},
      {"SAWStudio", 20},
      {"Logic Pro", 21},
      {"GarageBand", 22},
      {"Digital Performer", 23},
      {"Standalone", 24},
      {"AudioMulch", 25},
      {"PreSonus Studio", 26},
      {"VST3PluginTestHost", 27},
      {"Ardour", 28},
      {"Pro Tools", 0},
      {"Some Other Host", 0},
      {"", 0},
      {nullptr, 0},
      // The first row found wins, whatever the order in the text.
      {"Nuendo and Cubase", 3},
      {"Reaper Cubase", 3},
      {"Deliverance", 9},  // "live" inside a longer word
      {"Melodyne Live", 9},
      {"Standalone Reaper", 1},
      {"\xC4 REAPER \xFF", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IdentifyHost(c.text), c.identity) << (c.text ? c.text : "(null)");
  }
}

// Only the first 255 bytes of a product text are searched.
TEST(HostIdentificationTest, IdentifyHost_LongTextIsCutAt255Bytes) {
  EXPECT_EQ(IdentifyHost((std::string(249, 'x') + "Cubase").c_str()), kHostCubase);
  EXPECT_EQ(IdentifyHost((std::string(250, 'x') + "Cubase").c_str()), kHostUnknown);
  EXPECT_EQ(IdentifyHost((std::string(5000, 'x') + "reaper").c_str()), kHostUnknown);
}

TEST(HostIdentificationTest, LowerCopy_LowersOnlyAsciiCapitals) {
  char dest[16];
  EXPECT_EQ(LowerCopy(dest, sizeof dest, "AbZ@[`\xC4\xE9-9"), dest);
  EXPECT_STREQ(dest, "abz@[`\xC4\xE9-9");
}

TEST(HostIdentificationTest, LowerCopy_EmptyOrNoRoom) {
  char dest[8] = "old";
  EXPECT_EQ(LowerCopy(dest, sizeof dest, ""), nullptr);
  EXPECT_STREQ(dest, "");
  std::strcpy(dest, "old");
  EXPECT_EQ(LowerCopy(dest, sizeof dest, nullptr), nullptr);
  EXPECT_STREQ(dest, "");

  char guarded[8];
  std::memset(guarded, '#', sizeof guarded);
  EXPECT_EQ(LowerCopy(guarded, 4, "ABCDEF"), guarded);
  EXPECT_STREQ(guarded, "abc");
  EXPECT_EQ(guarded[4], '#');

  char untouched[2] = {'u', 'v'};
  EXPECT_EQ(LowerCopy(untouched, 0, "A"), nullptr);
  EXPECT_EQ(untouched[0], 'u');
  EXPECT_EQ(LowerCopy(nullptr, 8, "A"), nullptr);
}

TEST(HostIdentificationTest, PackHostVersion_Cases) {
  struct Case {
    int64_t decimal;
    int32_t packed;
  };
  const Case cases[] = {
      {5984, 0x3B54},          // 0.59.84
      {20001, 0x00020001},     // 2.0.1
      {1234, 0x0C22},          // 0.12.34
      {2401, 0x1801},          // 0.24.1
      {0, 0},
      {99999, 0x00096363},     // 9.99.99
      {327679999, 0x7FFF6363},  // the largest major that fits
      {327680000, 0},
      {INT32_MAX, 0},
      {INT64_MAX, 0},
      {-1234, -(12 * 256 + 34)},  // truncation toward zero
      {-327680000, INT32_MIN},
      {-327680001, 0},
      {INT64_MIN, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(PackHostVersion(c.decimal), c.packed) << c.decimal;
}
