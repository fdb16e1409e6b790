#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "effect/ReadoutText.h"

namespace {
std::string Readout(double db) {
  char text[kReadoutTextSize];
  std::memset(text, 'x', sizeof text);
  FormatReadoutText(db, text);
  return text;
}

TEST(ReadoutText, DecimalsFollowTheLevel) {
  const struct {
    double db;
    const char* text;
  } cases[] = {
      {6.0, "6.00"},    {0.0, "0.00"},    {3.456, "3.46"},  {-0.04, "0.00"}, {-0.05, "0.00"},
      {-0.06, "-0.1"},  {-6.34, "-6.3"},  {-9.99, "-10.0"}, {-10.0, "-10"},  {-10.01, "-10"},
      {-20.4, "-20"},   {-45.0, "-45"},   {-45.01, "-#$"},  {-94.0, "-#$"},  {-1e300, "-#$"},
      {NAN, "0.00"},
  };
  for (const auto& c : cases) {
    const std::string text = Readout(c.db);
    EXPECT_EQ(text, c.text) << c.db;
    EXPECT_LE(text.size(), 5u) << c.db;
  }
}
}  // namespace
