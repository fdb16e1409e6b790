// tessaly-host behaves as command-line programs do: usage without arguments, --version,
// -q and -v, "--", bare module names searched in the VST folders, a listing of what is
// installed, and a default module found beside the program rather than where it was built.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <regex>

#include "tools/HostRun.h"
#include "tools/StereoFile.h"
#include "tools/TempFolder.h"

namespace {

void Copy(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
  chmod(to.c_str(), 0755);
}

TEST(Conventions, WithoutArguments_UsageGoesToStderrWithStatus1) {
  const HostRun run = RunHost({});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("usage:"), std::string::npos) << run.err;
}

TEST(Conventions, Version_IsOneLine) {
  const HostRun run = RunHost({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(std::regex_match(run.out, std::regex("tessaly-host [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << run.out;
}

TEST(Conventions, QuietAndVerbose_ChangeOnlyTheReport) {
  const TempPath out(".wav");
  const struct {
    std::vector<std::string> arguments;
    std::vector<std::string> present, absent;
  } cases[] = {
      {{"-q", "render", "--out", out.str()}, {}, {"rendered", "wrote"}},
      {{"render", "--quiet", "--out", out.str()}, {}, {"rendered", "wrote"}},
      {{"render", "--out", out.str()}, {"rendered", "wrote"}, {"parameters"}},
      {{"render", "-v", "--set", "Gain=-2", "--out", out.str()},
       {"module          ", "      0  Gain             -2.00 dB", "rendered", "wrote"}, {}},
      {{"save-state", "-q", "--out", out.str() + ".fxp"}, {}, {"wrote"}},
  };
  for (const auto& c : cases) {
    const HostRun run = RunHost(c.arguments);
    const std::string what = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(run.status, 0) << what << "\n" << run.err;
    for (const std::string& text : c.present) EXPECT_NE(run.out.find(text), std::string::npos) << what << run.out;
    for (const std::string& text : c.absent) EXPECT_EQ(run.out.find(text), std::string::npos) << what << run.out;
    if (c.present.empty()) {
      EXPECT_EQ(run.out, "") << what;
    }
  }
  std::remove((out.str() + ".fxp").c_str());
}

TEST(Conventions, StandardInputAndOutput_CarryAudioInTheFormatTypeNames) {
  const StereoAudio input = MakeMidSideSignal(44100, 3000, 0.4, 0.2);
  const TempPath in(".wav");
  ASSERT_TRUE(WriteStereoFile(in.str(), input));
  HostSetup setup;
  setup.standardInput = in.str();
  const TempPath out(".wav");
  const HostRun read = RunHost({"render", "--in", "-", "--out", out.str()}, setup);
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out.rfind("rendered standard input through Tessaly: 3000 frames at 44100 Hz", 0), 0u) << read.out;
  const HostRun written = RunHost({"render", "--in", "-", "--out", "-", "--type", "au"}, setup);
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out.rfind(".snd", 0), 0u);  // the audio alone, no report
  const TempPath au(".au");
  std::ofstream(au.str(), std::ios::binary) << written.out;
  StereoAudio output;
  ASSERT_TRUE(ReadStereoFile(au.str(), &output));
  ASSERT_EQ(output.left.size(), input.left.size());
  for (size_t i = 0; i < input.left.size(); ++i) ASSERT_NEAR(output.left[i], input.left[i], 1e-6) << i;
  const HostRun unknown = RunHost({"render", "--out", "-", "--type", "xyz"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err, "tessaly-host: unknown audio type 'xyz' (wav, flac, aiff, au, ...)\n");
}

// Modules in a home folder, VST_PATH and LXVST_PATH of their own, each a copy of the
// gain fixture under another name.
class ModuleFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(home_.Path(".vst").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(home_.Path(".vst/sub").c_str(), 0755), 0);
    Copy(GAIN_FIXTURE_PATH, home_.Path(".vst/sub/gain-home.so"));
    Copy(GAIN_FIXTURE_PATH, vstPath_.Path("gain-vst.so"));
    Copy(GAIN_FIXTURE_PATH, lxvstPath_.Path("gain-lxvst.so"));
    Copy(GAIN_FIXTURE_PATH, lxvstPath_.Path("-gain.so"));
    std::ofstream(vstPath_.Path("broken.so")) << "not a module";
    setup_.setVariables = {"HOME=" + home_.str(), "VST_PATH=" + vstPath_.str(),
                           "LXVST_PATH=/no/such/folder:" + lxvstPath_.str()};
  }

  TempFolder home_, vstPath_, lxvstPath_;
  HostSetup setup_;
};

TEST_F(ModuleFolders, BareNames_AreFoundInTheVstFolders) {
  const struct {
    std::vector<std::string> arguments;
    std::string module;
  } cases[] = {
      {{"info", "gain-home"}, home_.Path(".vst/sub/gain-home.so")},
      {{"info", "gain-vst.so"}, vstPath_.Path("gain-vst.so")},
      {{"info", "gain-lxvst"}, lxvstPath_.Path("gain-lxvst.so")},
      {{"info", "--", "-gain.so"}, lxvstPath_.Path("-gain.so")},
  };
  for (const auto& c : cases) {
    const HostRun run = RunHost(c.arguments, setup_);
    ASSERT_EQ(run.status, 0) << c.module << "\n" << run.err;
    EXPECT_EQ(run.out.rfind("module          " + c.module + "\n", 0), 0u) << run.out;
  }
  const HostRun missing = RunHost({"info", "no-such-module"}, setup_);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("module not found: no-such-module (not in the current folder, nor in " +
                             lxvstPath_.str() + ", " + vstPath_.str() + ", " + home_.Path(".vst")),
            std::string::npos)
      << missing.err;
  EXPECT_EQ(RunHost({"info", "-gain.so"}, setup_).status, 2);  // an option without "--"
}

TEST_F(ModuleFolders, BareNames_InTheCurrentFolderComeFirst) {
  TempFolder here;
  Copy(TESSALY_MODULE_PATH, here.Path("gain-vst.so"));
  setup_.workingDirectory = here.str();
  const HostRun run = RunHost({"info", "gain-vst.so"}, setup_);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("effect name     Tessaly\n"), std::string::npos) << run.out;
}

TEST_F(ModuleFolders, List_ShowsEveryModuleWithNameKindAndPins) {
  const HostRun run = RunHost({"list"}, setup_);
  ASSERT_EQ(run.status, 0) << run.err;
  for (const std::string& module : {home_.Path(".vst/sub/gain-home.so"), vstPath_.Path("gain-vst.so"),
                                    lxvstPath_.Path("gain-lxvst.so")}) {
    EXPECT_NE(run.out.find("Gain Fixture                                    effect      2 in  2 out  " + module + "\n"),
              std::string::npos)
        << run.out;
  }
  EXPECT_NE(run.out.find("(not loadable)               cannot load module " + vstPath_.Path("broken.so")),
            std::string::npos)
      << run.out;
}

TEST(Conventions, DefaultModule_IsFoundBesideTheProgramWhereverItIs) {
  TempFolder moved;
  ASSERT_EQ(mkdir(moved.Path("tools").c_str(), 0755), 0);
  Copy(TESSALY_HOST_PATH, moved.Path("tools/tessaly-host"));
  Copy(GAIN_FIXTURE_PATH, moved.Path("tessaly.so"));
  HostSetup setup;
  setup.program = moved.Path("tools/tessaly-host");
  const HostRun run = RunHost({"info"}, setup);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("effect name     Gain Fixture\n"), std::string::npos) << run.out;
}

TEST(Conventions, FontSheet_TakesHelpAndOutAndRefusesUnknownOptions) {
  const std::string program = TESSALY_HOST_PATH;
  TempFolder here;
  HostSetup setup;
  setup.program = program.substr(0, program.rfind('/')) + "/tessaly-fontsheet";
  setup.workingDirectory = here.str();
  // fontconfig keeps process-wide memory that it never frees (see tests/fonts).
  setup.setVariables = {"ASAN_OPTIONS=detect_leaks=0"};
  const HostRun help = RunHost({"--help"}, setup);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: tessaly-fontsheet", 0), 0u) << help.out;
  const HostRun unknown = RunHost({"--frobnicate"}, setup);
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "tessaly-fontsheet: unknown option '--frobnicate' (try --help)\n");
  EXPECT_TRUE(here.Entries().empty());  // neither wrote a file
  const HostRun written = RunHost({"--out", "sheet.png"}, setup);
  ASSERT_EQ(written.status, 0) << written.err;
  std::ifstream sheet(here.Path("sheet.png"), std::ios::binary);
  char signature[4] = {};
  sheet.read(signature, 4);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}

}  // namespace
