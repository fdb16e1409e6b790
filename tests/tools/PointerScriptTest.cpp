// Reading pointer scripts: the actions they hold, and errors that name the line.

#include "tools/host/PointerScript.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tools/TempFolder.h"

namespace {

using Kind = PointerAction::Kind;

TEST(PointerScript, ReadsEveryActionWithItsLineSkippingCommentsAndBlankLines) {
  const std::string text =
      "# move the first fader\n"
      "\n"
      "press 10 20\n"
      "  drag 10 40   # halfway\n"
      "release 10 60\n"
      "wait 250\n"
      "wheel 5 6 -3\n"
      "double 0 32767\n";
  PointerScript script;
  std::string error;
  ASSERT_TRUE(PointerScript::Parse(text, "s.txt", &script, &error)) << error;
  const std::vector<PointerAction>& actions = script.Actions();
  ASSERT_EQ(actions.size(), 6u);
  const struct {
    Kind kind;
    int x, y, amount, line;
  } expected[] = {{Kind::Press, 10, 20, 0, 3}, {Kind::Drag, 10, 40, 0, 4}, {Kind::Release, 10, 60, 0, 5},
                  {Kind::Wait, 0, 0, 250, 6},  {Kind::Wheel, 5, 6, -3, 7}, {Kind::Double, 0, 32767, 0, 8}};
  for (size_t i = 0; i < actions.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(actions[i].kind, expected[i].kind);
    EXPECT_EQ(actions[i].x, expected[i].x);
    EXPECT_EQ(actions[i].y, expected[i].y);
    EXPECT_EQ(actions[i].amount, expected[i].amount);
    EXPECT_EQ(actions[i].line, expected[i].line);
  }
  EXPECT_FALSE(script.Done());
  EXPECT_EQ(script.NextLine(), 3);
}

TEST(PointerScript, AnEmptyScriptIsDoneAtOnce) {
  PointerScript script;
  std::string error;
  ASSERT_TRUE(PointerScript::Parse("# nothing\n\n", "s.txt", &script, &error)) << error;
  EXPECT_TRUE(script.Empty());
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(script.NextLine(), 0);
}

TEST(PointerScript, Errors_NameTheFileAndLine) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"press 1 2\nrelease 1 2\nprss 3 4\n", "script.txt:3: unknown action 'prss'"},
      {"press 1\n", "script.txt:1: press takes X Y"},
      {"press 1 2 3\n", "script.txt:1: press takes X Y"},
      {"# wheel\nwheel 1 2\n", "script.txt:2: wheel takes X Y STEPS"},
      {"wait\n", "script.txt:1: wait takes MS"},
      {"press x 2\n", "script.txt:1: bad coordinate 'x' (0 to 32767)"},
      {"press 1 -2\n", "script.txt:1: bad coordinate '-2' (0 to 32767)"},
      {"press 1 32768\n", "script.txt:1: bad coordinate '32768' (0 to 32767)"},
      {"press 1 2.5\n", "script.txt:1: bad coordinate '2.5' (0 to 32767)"},
      {"wheel 1 2 0\n", "script.txt:1: bad wheel steps '0' (a whole number other than 0, up when positive)"},
      {"wheel 1 2 up\n", "script.txt:1: bad wheel steps 'up' (a whole number other than 0, up when positive)"},
      {"wait -5\n", "script.txt:1: bad wait '-5' (milliseconds, 0 to 3600000)"},
      {"\n\ndrag 1 2\n", "script.txt:3: drag without a press before it"},
      {"press 1 2\nrelease 1 2\nrelease 1 2\n", "script.txt:3: release without a press before it"},
      {"press 1 2\npress 1 2\n", "script.txt:2: press while the button is still held (release it first)"},
      {"press 1 2\ndouble 1 2\n", "script.txt:2: double while the button is still held (release it first)"},
      {"PRESS 1 2\n", "script.txt:1: unknown action 'PRESS'"},
  };
  for (const auto& c : cases) {
    PointerScript script;
    std::string error;
    EXPECT_FALSE(PointerScript::Parse(c.text, "script.txt", &script, &error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

TEST(PointerScript, Load_ReadsTheFileOrSaysWhyNot) {
  const TempFolder folder;
  const std::string path = folder.Path("clicks.txt");
  std::ofstream(path) << "press 1 2\nrelease 3 4\nwheel 1 1\n";
  PointerScript script;
  std::string error;
  EXPECT_FALSE(PointerScript::Load(path, &script, &error));
  EXPECT_EQ(error, path + ":3: wheel takes X Y STEPS");
  std::ofstream(path) << "press 1 2\nrelease 3 4\n";
  ASSERT_TRUE(PointerScript::Load(path, &script, &error)) << error;
  EXPECT_EQ(script.Actions().size(), 2u);
  EXPECT_FALSE(PointerScript::Load(folder.Path("missing.txt"), &script, &error));
  EXPECT_EQ(error, "cannot read script " + folder.Path("missing.txt") + ": No such file or directory");
}

}  // namespace
