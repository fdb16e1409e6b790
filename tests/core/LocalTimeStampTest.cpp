#include <gtest/gtest.h>

#include <cstring>

#include "core/LocalTimeStamp.h"

TEST(LocalTimeStamp, OffsetCorrectsForDayAndYearBoundaries) {
  const struct {
    int localHour, localMinute, localDay, utcHour, utcMinute, utcDay, offset;
  } cases[] = {
      {14, 30, 100, 12, 0, 100, 150},   // same day, east of UTC
      {1, 0, 101, 23, 0, 100, 120},     // local is already tomorrow
      {22, 0, 100, 3, 30, 101, -330},   // local is still yesterday
      {0, 45, 0, 23, 45, 364, 60},      // local new year, UTC still December 31
      {23, 0, 365, 5, 0, 0, -360},      // local December 31 of a leap year, UTC new year
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UtcOffsetMinutes(c.localHour, c.localMinute, c.localDay, c.utcHour, c.utcMinute,
                               c.utcDay),
              c.offset);
  }
}

TEST(LocalTimeStamp, TextHasDateTimeAndSignedOffset) {
  const char* stamp = LocalTimeStamp();
  ASSERT_EQ(std::strlen(stamp), 20u);  // "YYYYmmdd HH:MM +hhmm"
  EXPECT_EQ(stamp[8], ' ');
  EXPECT_EQ(stamp[11], ':');
  EXPECT_TRUE(stamp[15] == '+' || stamp[15] == '-');
}
