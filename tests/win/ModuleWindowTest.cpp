// The built module's editor on screen, as a host opens it through dlopen, against the
// picture tessaly-snapshot draws off-screen: the same pixels prove that the module carries
// its own images and that the window shows the surface as it is.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "raster/PngReader.h"
#include "tools/HostRun.h"
#include "tools/XvfbDisplay.h"

namespace {
std::string SnapshotProgram() {
  const std::string host = TESSALY_HOST_PATH;
  return host.substr(0, host.rfind('/') + 1) + "tessaly-snapshot";
}

std::string TempPath(const char* name) {
  return "/tmp/module-window-" + std::to_string(getpid()) + "-" + name;
}

TEST(ModuleWindow, TheOpenedEditorShowsExactlyTheOffScreenPicture) {
  if (!XvfbDisplay::Installed()) GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb)";
  const XvfbDisplay display;
  ASSERT_TRUE(display.Running()) << "Xvfb did not start";
  const std::string shot = TempPath("shot.png");
  const std::string picture = TempPath("picture.png");

  HostSetup setup;
  setup.setVariables = {"DISPLAY=" + display.Name()};
  const HostRun run = RunHost({"edit", TESSALY_MODULE_PATH, "--set", "Stereo=3", "--set", "Gain=-20",
                               "--screenshot", shot},
                              setup);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string snapshot =
      SnapshotProgram() + " --set Stereo=3 --set Gain=-20 --out " + picture + " > /dev/null";
  ASSERT_EQ(std::system(snapshot.c_str()), 0);

  std::unique_ptr<PIX_IBitmap> onScreen(PIX_ReadPngFile(shot.c_str(), nullptr));
  std::unique_ptr<PIX_IBitmap> offScreen(PIX_ReadPngFile(picture.c_str(), nullptr));
  ASSERT_NE(onScreen, nullptr);
  ASSERT_NE(offScreen, nullptr);
  ASSERT_EQ(onScreen->Width(), offScreen->Width());
  ASSERT_EQ(onScreen->Height(), offScreen->Height());
  int differing = 0;
  for (int y = 0; y < onScreen->Height(); ++y) {
    for (int x = 0; x < onScreen->Width(); ++x) {
      differing += (onScreen->Row(y)[x] & 0xFFFFFF) != (offScreen->Row(y)[x] & 0xFFFFFF) ? 1 : 0;
    }
  }
  EXPECT_EQ(differing, 0);
  unlink(shot.c_str());
  unlink(picture.c_str());
}
}  // namespace
