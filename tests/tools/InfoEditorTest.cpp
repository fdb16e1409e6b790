// What info says of a module's editor with and without an X display, and what it keeps
// of its report when a module crashes part way through.

#include <gtest/gtest.h>

#include <csignal>

#include "host/Vst2.h"
#include "tools/HostRun.h"
#include "tools/XvfbDisplay.h"

namespace {

HostRun InfoWithoutDisplay(const std::string& module, std::vector<std::string> setVariables = {}) {
  HostSetup setup;
  setup.unsetVariables = {"DISPLAY"};
  setup.setVariables = std::move(setVariables);
  return RunHost({"info", module}, setup);
}

TEST(InfoEditor, WithoutDisplay_TheEditorIsNotAskedItsSize) {
  const HostRun run = InfoWithoutDisplay(EDITOR_FIXTURE_PATH);
  ASSERT_EQ(run.status, 0) << "signal " << run.signal << "\n" << run.err;
  EXPECT_NE(run.out.find("\neditor          yes, size unknown (no display)\n"), std::string::npos) << run.out;
  // The rest of the report is still there.
  EXPECT_NE(run.out.find("effect name     Editor Fixture\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("host requests during effOpen"), std::string::npos) << run.out;
}

TEST(InfoEditor, WithoutDisplay_AModuleWithoutEditorSaysNone) {
  const HostRun run = InfoWithoutDisplay(EDITOR_FIXTURE_PATH, {"FIXTURE_NO_EDITOR=1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\neditor          none\n"), std::string::npos) << run.out;
}

TEST(InfoEditor, WithDisplay_TheEditorSizeIsShown) {
  if (!XvfbDisplay::Installed()) GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb); no display to test with";
  const XvfbDisplay display;
  ASSERT_TRUE(display.Running()) << "Xvfb did not start";
  HostSetup setup;
  setup.setVariables = {"DISPLAY=" + display.Name()};
  const HostRun run = RunHost({"info", EDITOR_FIXTURE_PATH}, setup);
  ASSERT_EQ(run.status, 0) << "signal " << run.signal << "\n" << run.err;
  EXPECT_NE(run.out.find("\neditor          320 x 200\n"), std::string::npos) << run.out;
  setup.setVariables.push_back("FIXTURE_NO_RECT=1");
  const HostRun noRect = RunHost({"info", EDITOR_FIXTURE_PATH}, setup);
  ASSERT_EQ(noRect.status, 0) << "signal " << noRect.signal << "\n" << noRect.err;
  EXPECT_NE(noRect.out.find("\neditor          yes, size unknown (not given before opening)\n"), std::string::npos)
      << noRect.out;
  setup.setVariables.pop_back();
  const HostRun tessaly = RunHost({"info", TESSALY_MODULE_PATH}, setup);
  ASSERT_EQ(tessaly.status, 0) << "signal " << tessaly.signal << "\n" << tessaly.err;
  EXPECT_NE(tessaly.out.find("\neditor          274 x 438\n"), std::string::npos) << tessaly.out;
}

TEST(InfoEditor, AModuleThatCrashesLater_LeavesTheSectionsPrintedBeforeInTheFile) {
  const HostRun run = InfoWithoutDisplay(EDITOR_FIXTURE_PATH, {"FIXTURE_FAULT_OPCODE=" + std::to_string(effCanDo)});
  ASSERT_EQ(run.signal, SIGABRT) << run.status << "\n" << run.out;
  for (const char* line : {"effect name     Editor Fixture", "outputs         2", "flags           0x11",
                           "editor          yes, size unknown (no display)", "parameters      1",
                           "programs        0"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  }
}

}  // namespace
