#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StandInPrograms.h"
#include "platform/DesktopDialogs.h"

namespace {
using Arguments = std::vector<std::string>;

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

bool ChooseFile(std::string& fileName, bool save, std::string& folder) {
  return ChooseFileWithDesktop(fileName, save, folder, "fxp fxb", nullptr);
}

TEST_F(DesktopDialogs, OpenOffersTheFilterAndStartsAtTheGivenFile) {
  StandIn("zenity", "/data/presets/bank.fxb\n");
  std::string fileName = "song.fxp", folder = "/music/";
  EXPECT_TRUE(ChooseFile(fileName, false, folder));
  EXPECT_EQ(Recorded("zenity"), (Arguments{"--file-selection", "--filename=/music/song.fxp",
                                           "--file-filter=*.fxp;*.fxb | *.fxp *.fxb"}));
  EXPECT_EQ(fileName, "/data/presets/bank.fxb");
  EXPECT_EQ(folder, "/data/presets/");
}

TEST_F(DesktopDialogs, SaveConfirmsOverwritesAndAddsTheFirstExtensionWhereNoneIsGiven) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"/data/mine", "/data/mine.fxp"},
      {"/data/mine.fxb", "/data/mine.fxb"},
      {"/data/v1.2/mine", "/data/v1.2/mine.fxp"}};
  for (const auto& [answer, expected] : cases) {
    StandIn("zenity", answer + "\n");
    std::string fileName, folder = "/music/";
    EXPECT_TRUE(ChooseFile(fileName, true, folder));
    EXPECT_EQ(fileName, expected);
    EXPECT_EQ(folder, expected.substr(0, expected.rfind('/') + 1));
  }
  EXPECT_EQ(Recorded("zenity"), (Arguments{"--file-selection", "--save", "--confirm-overwrite",
                                           "--filename=/music/",
                                           "--file-filter=*.fxp;*.fxb | *.fxp *.fxb"}));
}

TEST_F(DesktopDialogs, FileDialogWithoutFolderOrExtensionsStartsOnTheDesktopForAnyFile) {
  StandIn("zenity", "/home/tester/Desktop/notes\n");
  std::string fileName = "/abs/start.fxp", folder;
  EXPECT_TRUE(ChooseFileWithDesktop(fileName, true, folder, nullptr, nullptr));
  EXPECT_EQ(Recorded("zenity"), (Arguments{"--file-selection", "--save", "--confirm-overwrite",
                                           "--filename=/abs/start.fxp"}));
  EXPECT_EQ(fileName, "/home/tester/Desktop/notes");
}

TEST_F(DesktopDialogs, CancelledOrOddFileAnswersChooseNothingAndKeepTheFolder) {
  const std::vector<std::pair<std::string, int>> cases{
      {"", 1}, {"/data/a.fxp\n", 1}, {"/data/a.fxp\n", 255}, {"", 0}, {"relative.fxp\n", 0},
      {"/a.fxp\n/b.fxp\n", 0}, {"/" + std::string(300, 'x') + ".fxp\n", 0}};
  for (const auto& [answer, status] : cases) {
    StandIn("zenity", answer, status);
    std::string fileName = "song.fxp", folder;
    EXPECT_FALSE(ChooseFile(fileName, false, folder)) << answer;
    EXPECT_EQ(fileName, "");
    EXPECT_EQ(folder, "/home/tester/Desktop/");  // an empty folder became the desktop
  }
}

TEST_F(DesktopDialogs, KdialogStandsInWhereZenityIsMissing) {
  StandIn("kdialog", "/data/out.fxb\n");
  std::string fileName = "song", folder = "/music/";
  EXPECT_TRUE(ChooseFile(fileName, true, folder));
  EXPECT_EQ(Recorded("kdialog"), (Arguments{"--getsavefilename", "/music/song", "*.fxp *.fxb"}));
  EXPECT_EQ(fileName, "/data/out.fxb");

  StandIn("kdialog", "#ff8000\n");
  RgbColour colour{10, 20, 30};
  EXPECT_TRUE(ChooseColourWithDesktop(colour, "Pick", nullptr));
  EXPECT_EQ(Recorded("kdialog"), (Arguments{"--getcolor", "--default", "#0a141e", "--title", "Pick"}));
  EXPECT_EQ(colour.red, 255);
  EXPECT_EQ(colour.green, 128);
  EXPECT_EQ(colour.blue, 0);
}

TEST_F(DesktopDialogs, ColourDialogStartsAtTheColourUnderThePrompt) {
  StandIn("zenity", "rgb(1,2,3)\n");
  RgbColour colour{10, 20, 30};
  EXPECT_TRUE(ChooseColourWithDesktop(colour, "Knob colour", nullptr));
  EXPECT_EQ(Recorded("zenity"),
            (Arguments{"--color-selection", "--color=rgb(10,20,30)", "--title=Knob colour"}));
  EXPECT_TRUE(ChooseColourWithDesktop(colour, nullptr, nullptr));
  EXPECT_EQ(Recorded("zenity"), (Arguments{"--color-selection", "--color=rgb(1,2,3)"}));
}

TEST_F(DesktopDialogs, ColourAnswersInEveryFormTheDialogsGive) {
  const std::vector<std::pair<std::string, std::vector<int>>> cases{
      {"rgb(1,2,3)\n", {1, 2, 3}},
      {"rgba(4,5,6,0.5)\n", {4, 5, 6}},
      {"#0a0b0c\n", {10, 11, 12}},
      {"#ffff00008080\n", {255, 0, 128}}};
  for (const auto& [answer, expected] : cases) {
    StandIn("zenity", answer);
    RgbColour colour;
    EXPECT_TRUE(ChooseColourWithDesktop(colour, nullptr, nullptr)) << answer;
    EXPECT_EQ((std::vector<int>{colour.red, colour.green, colour.blue}), expected) << answer;
  }
}

TEST_F(DesktopDialogs, CancelledOrOddColourAnswersLeaveTheColour) {
  const std::vector<std::pair<std::string, int>> cases{
      {"rgb(1,2,3)\n", 1}, {"rgb(300,0,0)\n", 0}, {"rgb(1,2)\n", 0}, {"rgb(-1,2,3)\n", 0},
      {"#12345\n", 0}, {"#12345g\n", 0}, {"blue\n", 0}, {"", 0}};
  for (const auto& [answer, status] : cases) {
    StandIn("zenity", answer, status);
    RgbColour colour{7, 8, 9};
    EXPECT_FALSE(ChooseColourWithDesktop(colour, nullptr, nullptr)) << answer;
    EXPECT_EQ((std::vector<int>{colour.red, colour.green, colour.blue}), (std::vector<int>{7, 8, 9}));
  }
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
  EXPECT_FALSE(ChooseFile(fileName, false, folder));
  const std::string fileMessage = testing::internal::GetCapturedStderr();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ChooseColourWithDesktop(colour, nullptr, nullptr));
  const std::string colourMessage = testing::internal::GetCapturedStderr();
  EXPECT_EQ(fileName, "");
  EXPECT_EQ(folder, "/music/");
  for (const std::string& message : {fileMessage, colourMessage}) {
    EXPECT_NE(message.find("zenity"), std::string::npos);
    EXPECT_EQ(message.find('\n'), message.size() - 1);
  }
}
}  // namespace
