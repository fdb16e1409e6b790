#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StandInPrograms.h"
#include "platform/DesktopDialogs.h"

namespace {
using Arguments = std::vector<std::string>;
using Rgb = std::vector<int>;

Rgb Components(const RgbColour& colour) { return {colour.red, colour.green, colour.blue}; }

// PATH holds only the test's folder, where stand-in dialog programs are put.
class DesktopDialogs : public testing::Test {
 protected:
  void StandIn(const std::string& name, const std::string& answer, int status = 0) {
    WriteStandIn(programs_.Path(), name, answer, status);
  }
  Arguments Recorded(const std::string& name) { return RecordedArguments(programs_.Path(), name); }

  TemporaryFolder programs_;
  ScopedVariable path_{"PATH", programs_.Path().c_str()};
  ScopedVariable home_{"HOME", "/home/tester"};
};

TEST_F(DesktopDialogs, OpenOffersTheFilterAndStartsAtTheGivenFile) {
  StandIn("zenity", "/data/presets/bank.fxb\n");
  std::string fileName = "song.fxp", folder = "/music/";
  EXPECT_TRUE(ChooseFileWithDesktop(fileName, false, folder, "fxp fxb", nullptr));
  EXPECT_EQ(Recorded("zenity"), (Arguments{"--file-selection", "--filename=/music/song.fxp",
                                           "--file-filter=*.fxp;*.fxb | *.fxp *.fxb"}));
  EXPECT_EQ(fileName, "/data/presets/bank.fxb");
  EXPECT_EQ(folder, "/data/presets/");
}

TEST_F(DesktopDialogs, SaveConfirmsOverwritesAndAddsTheFirstExtensionWhereNoneIsGiven) {
  for (const auto& [answer, expected] : std::vector<std::pair<std::string, std::string>>{
           {"/data/mine", "/data/mine.fxp"},
           {"/data/mine.fxb", "/data/mine.fxb"},
           {"/data/v1.2/mine", "/data/v1.2/mine.fxp"}}) {
    StandIn("zenity", answer + "\n");
    std::string fileName, folder = "/music/";
    EXPECT_TRUE(ChooseFileWithDesktop(fileName, true, folder, "fxp fxb", nullptr));
    EXPECT_EQ(fileName, expected);
    EXPECT_EQ(folder, expected.substr(0, expected.rfind('/') + 1));
  }
  EXPECT_EQ(Recorded("zenity"), (Arguments{"--file-selection", "--save", "--confirm-overwrite",
                                           "--filename=/music/",
                                           "--file-filter=*.fxp;*.fxb | *.fxp *.fxb"}));
  // Without extensions: no filter and nothing added; a full path is the start itself.
  std::string fileName = "/abs/start", folder = "/music/";
  EXPECT_TRUE(ChooseFileWithDesktop(fileName, true, folder, nullptr, nullptr));
  EXPECT_EQ(Recorded("zenity").back(), "--filename=/abs/start");
  EXPECT_EQ(fileName, "/data/v1.2/mine");
}

TEST_F(DesktopDialogs, CancelledOrOddFileAnswersChooseNothing) {
  for (const auto& [answer, status] : std::vector<std::pair<std::string, int>>{
           {"", 1}, {"/data/a.fxp\n", 1}, {"/data/a.fxp\n", 255}, {"", 0}, {"relative.fxp\n", 0},
           {"/a.fxp\n/b.fxp\n", 0}, {"/" + std::string(300, 'x') + ".fxp\n", 0}}) {
    StandIn("zenity", answer, status);
    std::string fileName = "song.fxp", folder;
    EXPECT_FALSE(ChooseFileWithDesktop(fileName, false, folder, "fxp", nullptr)) << answer;
    EXPECT_EQ(fileName, "");
    EXPECT_EQ(folder, "/home/tester/Desktop/");  // an empty folder became the desktop
  }
}

TEST_F(DesktopDialogs, ColourStartsAtTheColourUnderThePromptAndReadsEveryAnswerForm) {
  for (const auto& [answer, expected] : std::vector<std::pair<std::string, Rgb>>{
           {"rgb(1,2,3)\n", {1, 2, 3}},
           {"rgba(4,5,6,0.5)\n", {4, 5, 6}},
           {"#0a0b0c\n", {10, 11, 12}},
           {"#ffff00008080\n", {255, 0, 128}}}) {
    StandIn("zenity", answer);
    RgbColour colour{10, 20, 30};
    EXPECT_TRUE(ChooseColourWithDesktop(colour, "Knob", nullptr)) << answer;
    EXPECT_EQ(Components(colour), expected) << answer;
  }
  EXPECT_EQ(Recorded("zenity"),
            (Arguments{"--color-selection", "--color=rgb(10,20,30)", "--title=Knob"}));
  RgbColour colour;
  EXPECT_TRUE(ChooseColourWithDesktop(colour, nullptr, nullptr));
  EXPECT_EQ(Recorded("zenity"), (Arguments{"--color-selection", "--color=rgb(0,0,0)"}));
}

TEST_F(DesktopDialogs, CancelledOrOddColourAnswersLeaveTheColour) {
  for (const auto& [answer, status] : std::vector<std::pair<std::string, int>>{
           {"rgb(1,2,3)\n", 1}, {"rgb(300,0,0)\n", 0}, {"rgb(1,2)\n", 0}, {"rgb(-1,2,3)\n", 0},
           {"#12345\n", 0}, {"#12345g\n", 0}, {"blue\n", 0}, {"", 0}}) {
    StandIn("zenity", answer, status);
    RgbColour colour{7, 8, 9};
    EXPECT_FALSE(ChooseColourWithDesktop(colour, nullptr, nullptr)) << answer;
    EXPECT_EQ(Components(colour), (Rgb{7, 8, 9}));
  }
}

TEST_F(DesktopDialogs, KdialogStandsInWhereZenityIsMissing) {
  StandIn("kdialog", "/data/out.fxb\n");
  std::string fileName = "song", folder = "/music/";
  EXPECT_TRUE(ChooseFileWithDesktop(fileName, true, folder, "fxp fxb", nullptr));
  EXPECT_EQ(Recorded("kdialog"), (Arguments{"--getsavefilename", "/music/song", "*.fxp *.fxb"}));
  EXPECT_EQ(fileName, "/data/out.fxb");

  StandIn("kdialog", "#ff8000\n");
  RgbColour colour{10, 20, 30};
  EXPECT_TRUE(ChooseColourWithDesktop(colour, "Pick", nullptr));
  EXPECT_EQ(Recorded("kdialog"), (Arguments{"--getcolor", "--default", "#0a141e", "--title", "Pick"}));
  EXPECT_EQ(Components(colour), (Rgb{255, 128, 0}));
}

TEST_F(DesktopDialogs, ClosingTheEditorEndsTheDialog) {
  WriteScript(programs_.Path() + "/zenity", "exec /bin/sleep 30");
  int pumps = 0;
  RgbColour colour;
  EXPECT_FALSE(ChooseColourWithDesktop(colour, nullptr, [&] { return ++pumps < 3; }));
  EXPECT_EQ(pumps, 3);
}

TEST_F(DesktopDialogs, WithoutDialogProgramsBothFailWithOneLineOnStderr) {
  ScopedVariable emptyPath("PATH", "");
  std::string fileName = "song.fxp", folder = "/music/";
  RgbColour colour;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ChooseFileWithDesktop(fileName, false, folder, "fxp", nullptr));
  EXPECT_FALSE(ChooseColourWithDesktop(colour, nullptr, nullptr));
  const std::string messages = testing::internal::GetCapturedStderr();
  EXPECT_EQ(fileName, "");
  EXPECT_EQ(folder, "/music/");
  EXPECT_NE(messages.find("zenity"), std::string::npos);
  EXPECT_EQ(messages.find('\n'), messages.size() / 2 - 1);  // two equal lines, one per call
}
}  // namespace
