// tessaly-host on third-party modules of Debian's dpf-plugins-vst package, where it is
// installed; the tests skip otherwise.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <regex>

#include "tools/HostRun.h"
#include "tools/MidiBytes.h"
#include "tools/StereoFile.h"

namespace {

const std::string kEqualiser = "/usr/lib/vst/3BandEQ-vst.so";
const std::string kReverb = "/usr/lib/vst/MaGigaverb-vst.so";

bool Installed(const std::string& module) { return access(module.c_str(), R_OK) == 0; }

// What third-party modules leave unfreed at exit is theirs, not the host's: the leak
// checker of sanitizer builds is turned off for these runs.
HostRun RunThirdParty(const std::vector<std::string>& arguments) {
  HostSetup setup;
  setup.setVariables = {"ASAN_OPTIONS=detect_leaks=0"};
  return RunHost(arguments, setup);
}

#define SKIP_UNLESS_INSTALLED(module)                                                        \
  if (!Installed(module)) GTEST_SKIP() << module << " is not installed (Debian package dpf-plugins-vst)"

TEST(InstalledModules, Set_TakesNormalisedValuesWhereTheModuleTakesNoText) {
  SKIP_UNLESS_INSTALLED(kEqualiser);
  const TempPath out(".wav");
  const HostRun refused = RunThirdParty({"render", kEqualiser, "--set", "Master=-6", "--out", out.str()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err,
            "tessaly-host: Master does not accept text values; give a normalised value 0..1 like Master=0.5n\n");
  const HostRun quieter = RunThirdParty({"render", kEqualiser, "--set", "Master=0.25n", "--out", out.str()});
  ASSERT_EQ(quieter.status, 0) << quieter.err;
  EXPECT_NE(quieter.out.find("change  mid   -12.04 dB   side   -12.04 dB"), std::string::npos) << quieter.out;
}

TEST(InstalledModules, Info_ShowsVersionsAsTheModulesPackThem) {
  SKIP_UNLESS_INSTALLED(kReverb);
  const struct {
    std::string module;
    const char* line;
  } cases[] = {
      {kEqualiser, "\nversion         65536 (1.0.0)\n"},
      {kReverb, "\nversion         256\n"},
  };
  for (const auto& c : cases) {
    const HostRun run = RunThirdParty({"info", c.module});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(c.line), std::string::npos) << run.out;
  }
}

TEST(InstalledModules, Render_MonoAndSideChainModulesHearBothChannels) {
  const std::string mono = "/usr/lib/vst/CycleShifter-vst.so";
  const std::string sideChain = "/usr/lib/vst/AmplitudeImposer-vst.so";
  SKIP_UNLESS_INSTALLED(mono);
  StereoAudio rightOnly = MakeMidSideSignal(44100, 20000, 0.3, 0.2);
  rightOnly.left.assign(rightOnly.left.size(), 0.0);
  const TempPath in(".wav");
  const TempPath out(".wav");
  ASSERT_TRUE(WriteStereoFile(in.str(), rightOnly));
  const HostRun run = RunThirdParty({"render", mono, "--in", in.str(), "--out", out.str()});
  ASSERT_EQ(run.status, 0) << run.err;
  StereoAudio output;
  ASSERT_TRUE(ReadStereoFile(out.str(), &output));
  double rightSquares = 0.0, leftSquares = 0.0;
  for (size_t i = 0; i < output.left.size(); ++i) {
    leftSquares += output.left[i] * output.left[i];
    rightSquares += output.right[i] * output.right[i];
  }
  EXPECT_GT(rightSquares, 100.0 * leftSquares);  // the right channel went through its own instance
  const HostRun note = RunThirdParty({"render", sideChain, "--in", in.str(), "--out", out.str()});
  ASSERT_EQ(note.status, 0) << note.err;
  EXPECT_EQ(note.err, "tessaly-host: note: the plug-in's inputs 3 to 4 get silence\n");
}

TEST(InstalledModules, Render_TakesOutLatencyFoundWhileProcessingAndRendersATail) {
  const std::string limiter = "/usr/lib/vst/lsp-plugins/limiter-stereo.so";
  if (!Installed(limiter)) GTEST_SKIP() << limiter << " is not installed (Debian package lsp-plugins-vst)";
  SKIP_UNLESS_INSTALLED(kReverb);
  const StereoAudio input = MakeMidSideSignal(48000, 48000, 0.4, 0.2);
  const TempPath in(".wav");
  const TempPath out(".wav");
  ASSERT_TRUE(WriteStereoFile(in.str(), input));
  const HostRun limited = RunThirdParty({"render", limiter, "--in", in.str(), "--out", out.str()});
  ASSERT_EQ(limited.status, 0) << limited.err;
  EXPECT_TRUE(std::regex_search(limited.out, std::regex("\nlatency [1-9][0-9]* frames taken out\n"))) << limited.out;
  StereoAudio output;
  ASSERT_TRUE(ReadStereoFile(out.str(), &output));
  EXPECT_EQ(output.left.size(), input.left.size());
  const HostRun reverb = RunThirdParty({"render", kReverb, "--in", in.str(), "--out", out.str(), "--tail", "1"});
  ASSERT_EQ(reverb.status, 0) << reverb.err;
  ASSERT_TRUE(ReadStereoFile(out.str(), &output));
  ASSERT_EQ(output.left.size(), input.left.size() + 48000);
  double tailPeak = 0.0;
  for (size_t i = input.left.size(); i < output.left.size(); ++i) tailPeak = std::max(tailPeak, std::fabs(output.left[i]));
  EXPECT_GT(tailPeak, 0.001);  // the reverb rings on past the input
}

TEST(InstalledModules, States_OfAModuleWithoutChunksRenderLikeTheirSettings) {
  SKIP_UNLESS_INSTALLED(kReverb);
  const TempPath state(".fxp");
  const TempPath direct(".wav");
  const TempPath restored(".wav");
  const HostRun saved = RunThirdParty({"save-state", kReverb, "--set", "revtime=0.2", "--out", state.str()});
  ASSERT_EQ(saved.status, 0) << saved.err;
  ASSERT_EQ(RunThirdParty({"render", kReverb, "--set", "revtime=0.2", "--out", direct.str()}).status, 0);
  const HostRun run = RunThirdParty({"render", kReverb, "--state", state.str(), "--out", restored.str()});
  ASSERT_EQ(run.status, 0) << run.err;
  StereoAudio a, b;
  ASSERT_TRUE(ReadStereoFile(direct.str(), &a));
  ASSERT_TRUE(ReadStereoFile(restored.str(), &b));
  EXPECT_EQ(a.left, b.left);
}

TEST(InstalledModules, Midi_PlaysAnInstrument) {
  const std::string instrument = "/usr/lib/vst/Kars-vst.so";
  SKIP_UNLESS_INSTALLED(instrument);
  const TempPath midi(".mid");
  const TempPath out(".wav");
  ASSERT_TRUE(WriteBytes(midi.str(), TwoTrackMidi()));
  const HostRun run = RunThirdParty({"render", instrument, "--midi", midi.str(), "--out", out.str()});
  ASSERT_EQ(run.status, 0) << run.err;
  StereoAudio output;
  ASSERT_TRUE(ReadStereoFile(out.str(), &output));
  EXPECT_GT(MidLevelDb(output), -40.0);
}

}  // namespace
