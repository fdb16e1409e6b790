#include "tools/host/JsonText.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonText, EscapesWhatJsonCannotHoldAsItIs) {
  const struct {
    std::string text, json;
  } cases[] = {
      {"Tessaly", "\"Tessaly\""},
      {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
      {"tab\tnew\nline", "\"tab\\u0009new\\u000aline\""},
      {"-\xE2\x88\x9E dB", "\"-\xE2\x88\x9E dB\""},             // valid UTF-8 stays
      {"bad \xFF byte", "\"bad \\ufffd byte\""},                // not UTF-8
      {"cut \xE2\x88", "\"cut \\ufffd\\ufffd\""},               // a sequence cut short
      {"", "\"\""},
  };
  for (const auto& c : cases) EXPECT_EQ(JsonString(c.text), c.json) << c.text;
}

}  // namespace
