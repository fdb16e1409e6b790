// tessaly-host edit, run as a program: its refusals without a display, an editor or a
// sound script, and under Xvfb the editor's window and picture, pointer scripts, X errors
// and the ways a run ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <memory>

#include "host/Vst2.h"
#include "raster/PngReader.h"
#include "tools/HostRun.h"
#include "tools/TempFolder.h"
#include "tools/TopLevelWindow.h"
#include "tools/XvfbDisplay.h"

namespace {

constexpr const char* kTitle = "Editor Fixture";

std::string TraceLine(int32_t opcode) { return "fixture: opcode " + std::to_string(opcode) + "\n"; }

// Each part is found in text after the one before it.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& parts) {
  size_t from = 0;
  for (const std::string& part : parts) {
    const size_t found = text.find(part, from);
    ASSERT_NE(found, std::string::npos) << "'" << part << "' after offset " << from << " in\n" << text;
    from = found + part.size();
  }
}

void ExpectClosedInOrder(const HostRun& run) {
  EXPECT_EQ(run.status, 0) << "signal " << run.signal << "\n" << run.err;
  ExpectInOrder(run.err, {TraceLine(effEditOpen), TraceLine(effEditClose), TraceLine(effMainsChanged),
                          TraceLine(effClose)});
}

TEST(Edit, BadCommandLines_AreRefusedWithStatus2) {
  const struct {
    std::vector<std::string> arguments;
    const char* error;
  } cases[] = {
      {{"edit", "--seconds", "0"}, "tessaly-host: bad duration '0' for --seconds (a positive number of seconds)\n"},
      {{"edit", "--seconds=-1"}, "tessaly-host: bad duration '-1' for --seconds (a positive number of seconds)\n"},
      {{"edit", "--seconds", "2s"}, "tessaly-host: bad duration '2s' for --seconds (a positive number of seconds)\n"},
      {{"edit", "--seconds", "inf"}, "tessaly-host: bad duration 'inf' for --seconds (a positive number of seconds)\n"},
      {{"edit", "--seconds"}, "tessaly-host: option --seconds needs a value\n"},
      {{"edit", "--out", "x.png"}, "tessaly-host: unknown option '--out' for edit (try --help)\n"},
  };
  for (const auto& c : cases) {
    const HostRun run = RunHost(c.arguments);
    EXPECT_EQ(run.status, 2) << c.error;
    EXPECT_EQ(run.err, c.error);
  }
}

TEST(Edit, Help_DescribesTheCommand) {
  const HostRun run = RunHost({"--help"});
  EXPECT_NE(run.out.find("tessaly-host edit [MODULE] [--seconds N] [--screenshot FILE.png] [--script FILE]"),
            std::string::npos)
      << run.out;
}

TEST(Edit, RefusalsBeforeAnyWindow_AreOneLineWithStatus1) {
  const TempFolder folder;
  const std::string script = folder.Path("script.txt");
  std::ofstream(script) << "press 1 2\nrelease 1 2\nprss 3 4\n";
  const std::string module = EDITOR_FIXTURE_PATH;
  const struct {
    std::vector<std::string> arguments;
    std::vector<std::string> variables;
    std::string error;
  } cases[] = {
      {{"edit", module}, {}, "no X display: DISPLAY is not set"},
      {{"edit", module}, {"DISPLAY=:59999"}, "no X display: cannot connect to ':59999'"},
      {{"edit", module}, {"FIXTURE_NO_EDITOR=1"}, module + " has no editor"},
      {{"edit", module, "--script", script}, {}, script + ":3: unknown action 'prss'"},
      {{"edit", module, "--screenshot", folder.Path("no/such/folder.png")},
       {},
       "cannot write " + folder.Path("no/such/folder.png") + ": No such file or directory"},
  };
  for (const auto& c : cases) {
    HostSetup setup;
    setup.unsetVariables = {"DISPLAY"};
    setup.setVariables = c.variables;
    const HostRun run = RunHost(c.arguments, setup);
    EXPECT_EQ(run.status, 1) << "signal " << run.signal << ": " << c.error;
    EXPECT_EQ(run.err, "tessaly-host: " + c.error + "\n");
    EXPECT_EQ(run.out, "");
  }
}

class EditOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbDisplay::Installed()) GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb); no display to test with";
    display_ = std::make_unique<XvfbDisplay>();
    ASSERT_TRUE(display_->Running()) << "Xvfb did not start";
  }

  HostSetup Setup(std::vector<std::string> variables = {}) const {
    HostSetup setup;
    setup.setVariables = std::move(variables);
    setup.setVariables.push_back("DISPLAY=" + display_->Name());
    setup.setVariables.push_back("FIXTURE_TRACE=1");
    return setup;
  }

  std::unique_ptr<XvfbDisplay> display_;
  TempFolder folder_;
};

TEST_F(EditOnDisplay, AnEditorThatDoesNotOpen_IsRefused) {
  const HostRun run = RunHost({"edit", EDITOR_FIXTURE_PATH}, Setup({"FIXTURE_EDIT_OPEN_FAILS=1"}));
  EXPECT_EQ(run.status, 1) << "signal " << run.signal;
  ExpectInOrder(run.err, {TraceLine(effEditOpen), TraceLine(effClose),
                          std::string("tessaly-host: ") + EDITOR_FIXTURE_PATH +
                              " has no editor: effEditOpen answered 0\n"});
}

TEST_F(EditOnDisplay, Screenshot_ShowsTheEditorsOwnWindowAtTheSizeItGivesOnceOpen) {
  const std::string picture = folder_.Path("editor.png");
  const auto start = std::chrono::steady_clock::now();
  const HostRun run = RunHost({"edit", EDITOR_FIXTURE_PATH, "--screenshot", picture}, Setup());
  const auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(run.status, 0) << "signal " << run.signal << "\n" << run.err;
  EXPECT_EQ(run.out, "editing Editor Fixture: 360 x 240\nwrote " + picture + " (360 x 240)\n");
  EXPECT_GE(elapsed, std::chrono::seconds(1));
  // Prepared as a workstation does, the window handed over titled and with the connection.
  ExpectInOrder(run.err, {TraceLine(effOpen), TraceLine(effSetSampleRate), TraceLine(effSetBlockSize),
                          TraceLine(effMainsChanged), TraceLine(effEditGetRect), TraceLine(effEditOpen),
                          "fixture: effEditOpen parent 'Editor Fixture' display '" + display_->Name() + "'\n",
                          TraceLine(effEditGetRect), TraceLine(effEditClose), TraceLine(effMainsChanged),
                          TraceLine(effClose)});

  std::unique_ptr<PIX_IBitmap> pixels(PIX_ReadPngFile(picture.c_str(), nullptr));
  ASSERT_NE(pixels, nullptr);
  ASSERT_EQ(pixels->Width(), 360);
  ASSERT_EQ(pixels->Height(), 240);
  const struct {
    int x, y;
    PIX_PixelValue colour;
  } samples[] = {
      {0, 0, 0xFFFFFF00},     {359, 0, 0xFFFFFF00},   {0, 239, 0xFFFFFF00},   {359, 239, 0xFFFFFF00},
      {1, 1, 0xFFFF0000},     {179, 119, 0xFFFF0000}, {180, 1, 0xFF00FF00},   {358, 119, 0xFF00FF00},
      {1, 120, 0xFF0000FF},   {179, 238, 0xFF0000FF}, {180, 120, 0xFFFFFFFF}, {358, 238, 0xFFFFFFFF},
  };
  for (const auto& sample : samples) {
    EXPECT_EQ(pixels->Row(sample.y)[sample.x], sample.colour) << sample.x << ", " << sample.y;
  }
}

TEST_F(EditOnDisplay, Script_PrintsTheParameterChangesTheEditorReports) {
  const std::string script = folder_.Path("drag.txt");
  std::ofstream(script) << "# drag the level from a quarter to three quarters\n"
                           "press 90 100\n"
                           "wait 60\n"
                           "drag 180 100\n"
                           "wait 60\n"
                           "release 270 100\n"
                           "wait 60\n"
                           "wheel 10 10 -2\n";
  const HostRun run = RunHost({"edit", EDITOR_FIXTURE_PATH, "--script", script}, Setup());
  ASSERT_EQ(run.status, 0) << "signal " << run.signal << "\n" << run.err;
  ExpectInOrder(run.out, {"editing Editor Fixture: 360 x 240\n",
                          "audioMasterBeginEdit    0  Level\n",
                          "audioMasterAutomate     0  Level  0.2500  \"25 %\"\n",
                          "audioMasterAutomate     0  Level  0.5000  \"50 %\"\n",
                          "audioMasterAutomate     0  Level  0.7500  \"75 %\"\n",
                          "audioMasterEndEdit      0  Level\n",
                          "audioMasterAutomate     0  Level  0.6500",
                          "audioMasterAutomate     0  Level  0.5500"});
  EXPECT_EQ(run.out.find("script stopped"), std::string::npos) << run.out;
}

TEST_F(EditOnDisplay, AScriptCutShortBySeconds_SaysWhereItStopped) {
  const std::string script = folder_.Path("long.txt");
  std::ofstream(script) << "press 90 100\nwait 10000\nrelease 90 100\n";
  const HostRun run = RunHost({"edit", EDITOR_FIXTURE_PATH, "--script", script, "--seconds", "0.6"}, Setup());
  ExpectClosedInOrder(run);
  EXPECT_NE(run.out.find("\nthe script stopped before line 3\n"), std::string::npos) << run.out;
}

TEST_F(EditOnDisplay, AnXErrorOfTheEditor_IsCountedAndTheRunGoesOn) {
  const HostRun run = RunHost({"edit", EDITOR_FIXTURE_PATH, "--seconds", "0.3"}, Setup({"FIXTURE_X_ERROR=1"}));
  ExpectClosedInOrder(run);
  EXPECT_NE(run.out.find("\nX errors: 1, the first: BadWindow (invalid Window parameter), request 8.0\n"),
            std::string::npos)
      << run.out;
}

TEST_F(EditOnDisplay, TheRunEnds_InOrderAfterSecondsOnSignalsAndWhenTheWindowIsClosed) {
  enum class Ending { Seconds, Interrupt, Terminate, CloseWindow };
  for (const Ending ending : {Ending::Seconds, Ending::Interrupt, Ending::Terminate, Ending::CloseWindow}) {
    SCOPED_TRACE(static_cast<int>(ending));
    std::vector<std::string> arguments = {"edit", EDITOR_FIXTURE_PATH};
    if (ending == Ending::Seconds) arguments.insert(arguments.end(), {"--seconds", "0.3"});
    HostProcess host(arguments, Setup());
    if (ending == Ending::CloseWindow) {
      EXPECT_TRUE(AskTopLevelWindowToClose(display_->Name(), kTitle));
    } else if (ending != Ending::Seconds) {
      EXPECT_TRUE(WaitForTopLevelWindow(display_->Name(), kTitle));
      host.Signal(ending == Ending::Interrupt ? SIGINT : SIGTERM);
    }
    ExpectClosedInOrder(host.Wait());
  }
}

TEST_F(EditOnDisplay, ASignalBeforeTheScreenshot_LeavesAnExistingFileAsItWas) {
  const std::string picture = folder_.Path("editor.png");
  std::ofstream(picture) << "an older picture";
  const std::string script = folder_.Path("long.txt");
  std::ofstream(script) << "wait 10000\n";
  HostProcess host({"edit", EDITOR_FIXTURE_PATH, "--script", script, "--screenshot", picture}, Setup());
  EXPECT_TRUE(WaitForTopLevelWindow(display_->Name(), kTitle));
  host.Signal(SIGTERM);
  const HostRun run = host.Wait();
  EXPECT_EQ(run.status, 1) << "signal " << run.signal;
  ExpectInOrder(run.err, {TraceLine(effEditClose), TraceLine(effClose),
                          "tessaly-host: stopped before the screenshot was taken; " + picture + " is unchanged\n"});
  std::ifstream file(picture);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "an older picture");
  std::vector<std::string> entries = folder_.Entries();
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"editor.png", "long.txt"}));
}

}  // namespace
