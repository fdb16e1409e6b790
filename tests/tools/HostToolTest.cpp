// Runs the built tessaly-host on the built module, as a person would from a shell.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/HostRun.h"
#include "tools/StereoFile.h"

namespace {

constexpr double kMidAmplitude = 0.4;
constexpr double kSideAmplitude = 0.2;

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

std::vector<uint8_t> Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The mid and side levels on the line of tessaly-host's report that starts with what.
bool ReportedLevels(const std::string& report, const std::string& what, double* mid, double* side) {
  const size_t line = report.find("\n" + what + " ");
  if (line == std::string::npos) return false;
  return std::sscanf(report.c_str() + line + 1 + what.size(), " mid %lf dB side %lf dB", mid, side) == 2;
}

class HostTool : public ::testing::Test {
 protected:
  void SetUp() override {
    input_ = MakeMidSideSignal(44100, 30000, kMidAmplitude, kSideAmplitude);
    ASSERT_TRUE(WriteStereoFile(in_.str(), input_));
  }

  // Renders the input file with the extra arguments and reads the result back.
  StereoAudio Render(const std::vector<std::string>& extra, HostRun* run = nullptr) {
    std::vector<std::string> arguments = {"render", TESSALY_MODULE_PATH, "--in", in_.str(), "--out", out_.str()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    HostRun result = RunHost(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    StereoAudio output;
    EXPECT_TRUE(ReadStereoFile(out_.str(), &output));
    if (run) *run = result;
    return output;
  }

  StereoAudio input_;
  TempPath in_{".wav"};
  TempPath out_{".wav"};
};

TEST_F(HostTool, Render_StereoPlus3_RaisesTheSidesBy3dBAndKeepsTheCentre) {
  HostRun run;
  const StereoAudio output = Render({"--set", "Stereo=3"}, &run);
  ASSERT_EQ(output.left.size(), input_.left.size());
  EXPECT_EQ(output.sampleRate, 44100);
  EXPECT_NEAR(MidLevelDb(output) - MidLevelDb(input_), 0.0, 0.001);
  EXPECT_NEAR(SideLevelDb(output) - SideLevelDb(input_), 3.0, 0.001);
  double inMid = 0, inSide = 0, outMid = 0, outSide = 0;
  ASSERT_TRUE(ReportedLevels(run.out, "input", &inMid, &inSide)) << run.out;
  ASSERT_TRUE(ReportedLevels(run.out, "output", &outMid, &outSide)) << run.out;
  EXPECT_NEAR(inMid, MidLevelDb(input_), 0.01);
  EXPECT_NEAR(inSide, SideLevelDb(input_), 0.01);
  EXPECT_NEAR(outMid, inMid, 0.01);
  EXPECT_NEAR(outSide - inSide, 3.0, 0.01);
  EXPECT_TRUE(run.err.empty()) << run.err;  // no progress display when stderr is a file
}

TEST_F(HostTool, Render_AtDefaultsPassesTheInputThroughOnEveryPathAndBlockSize) {
  const std::vector<std::vector<std::string>> variants = {
      {}, {"--double"}, {"--block", "1"}, {"--block", "333", "--double"}, {"--block", "8192"}, {"--block=65536"}};
  for (const auto& variant : variants) {
    const StereoAudio output = Render(variant);
    ASSERT_EQ(output.left.size(), input_.left.size());
    double worst = 0.0;
    for (size_t i = 0; i < output.left.size(); ++i) {
      worst = std::max({worst, std::fabs(output.left[i] - input_.left[i]), std::fabs(output.right[i] - input_.right[i])});
    }
    EXPECT_LT(worst, 1e-6) << ::testing::PrintToString(variant);
  }
}

TEST_F(HostTool, Render_ReadsAndWritesFilesInLargeChunksWhateverTheBlockSize) {
  HostRun small, large;
  Render({"--block", "1"}, &small);
  Render({"--block", "4096"}, &large);
  ASSERT_GE(small.readCalls, 0) << "no system call counts in /proc";
  EXPECT_LT(std::llabs(small.readCalls - large.readCalls), 50) << small.readCalls << " " << large.readCalls;
  EXPECT_LT(std::llabs(small.writeCalls - large.writeCalls), 50) << small.writeCalls << " " << large.writeCalls;
}

TEST_F(HostTool, Render_ParameterValuesAndPresetsShapeTheOutput) {
  const struct {
    std::vector<std::string> arguments;
    double midChange, sideChange;  // dB; NAN for silence
  } cases[] = {
      {{"--set", "Gain=-6", "--set", "mono=2 dB"}, -4.0, -6.0},
      {{"--preset", "Stereo Enhance"}, 0.0, 3.0},
      {{"--preset", "3"}, 0.0, NAN},                        // Only Mono
      {{"--preset", "only stereo"}, NAN, 0.0},              // names match ignoring case
      {{"--preset", "Only Mono", "--set", "Stereo=-1"}, 0.0, -1.0},  // settings refine the preset
      {{"--set", "Stereo=-200"}, 0.0, NAN},                 // limited to -94 dB: off
  };
  for (const auto& c : cases) {
    const StereoAudio output = Render(c.arguments);
    const std::string what = ::testing::PrintToString(c.arguments);
    if (std::isnan(c.midChange)) {
      EXPECT_LT(MidLevelDb(output), -120.0) << what;
    } else {
      EXPECT_NEAR(MidLevelDb(output) - MidLevelDb(input_), c.midChange, 0.001) << what;
    }
    if (std::isnan(c.sideChange)) {
      EXPECT_LT(SideLevelDb(output), -120.0) << what;
    } else {
      EXPECT_NEAR(SideLevelDb(output) - SideLevelDb(input_), c.sideChange, 0.001) << what;
    }
  }
}

TEST_F(HostTool, Render_ReportsChangesWithoutNegativeZeroOrAUnitForNoChange) {
  const struct {
    std::vector<std::string> arguments;
    const char* line;
  } cases[] = {
      {{"--set", "Gain=-0.001"}, "\nchange  mid    +0.00 dB   side    +0.00 dB\n"},
      {{"--set", "Stereo=-200"}, "\nchange  mid    +0.00 dB   side      n/a\n"},
  };
  for (const auto& c : cases) {
    HostRun run;
    Render(c.arguments, &run);
    EXPECT_NE(run.out.find(c.line), std::string::npos) << run.out;
  }
}

// A stereo file in 16-bit PCM of a full-scale sine in the centre.
void WriteFullScale16(const std::string& path, int frames) {
  SF_INFO info{};
  info.samplerate = 48000;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  std::vector<short> samples;
  for (int i = 0; i < frames; ++i) {
    const auto value = static_cast<short>(std::lround(32767.0 * std::sin(6.283185307179586 * 1000.0 * i / 48000.0)));
    samples.insert(samples.end(), {value, value});
  }
  sf_writef_short(file, samples.data(), frames);
  sf_close(file);
}

TEST_F(HostTool, Render_ClippingIsCountedAndTheLevelsAreThoseOfTheWrittenFile) {
  const TempPath loud(".wav");
  WriteFullScale16(loud.str(), 48000);
  const HostRun run = RunHost({"render", "--in", loud.str(), "--out", out_.str(), "--set", "Gain=6"});
  ASSERT_EQ(run.status, 0) << run.err;
  StereoAudio output;
  ASSERT_TRUE(ReadStereoFile(out_.str(), &output));
  int clipped = 0;
  for (const auto* channel : {&output.left, &output.right}) {
    for (double sample : *channel) clipped += sample >= 32767.0 / 32768.0 || sample <= -1.0;
  }
  EXPECT_GT(clipped, 40000);
  const std::string warning = "tessaly-host: warning: clipped " + std::to_string(clipped) +
                              " samples; peak +6.0 dBFS; consider a lower level with --set or a float output with --float\n";
  EXPECT_EQ(run.err, warning);
  double mid = 0, side = 0;
  ASSERT_TRUE(ReportedLevels(run.out, "output", &mid, &side)) << run.out;
  EXPECT_NEAR(mid, MidLevelDb(output), 0.005) << run.out;

  const HostRun floating = RunHost({"render", "--in", loud.str(), "--out", out_.str(), "--set", "Gain=6", "--float"});
  ASSERT_EQ(floating.status, 0) << floating.err;
  EXPECT_EQ(floating.err, "");
  ASSERT_TRUE(ReadStereoFile(out_.str(), &output));
  EXPECT_NEAR(*std::max_element(output.left.begin(), output.left.end()), 2.0, 0.01);  // kept beyond full scale
}

TEST_F(HostTool, Render_IntegerOutputIsRoundedAndDitheredOnlyOnRequest) {
  const TempPath in16(".wav");
  WriteFullScale16(in16.str(), 20000);
  StereoAudio input;
  ASSERT_TRUE(ReadStereoFile(in16.str(), &input));
  const double gain = std::pow(10.0, -3.0 / 20.0);
  std::vector<StereoAudio> dithered;
  for (const std::vector<std::string>& extra : {std::vector<std::string>{}, {"--dither", "tpdf"}, {"--dither=tpdf"}}) {
    std::vector<std::string> arguments = {"render", "--in", in16.str(), "--out", out_.str(), "--set", "Gain=-3"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const HostRun run = RunHost(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    StereoAudio output;
    ASSERT_TRUE(ReadStereoFile(out_.str(), &output));
    ASSERT_EQ(output.left.size(), input.left.size());
    double error = 0.0;
    int rounded = 0;
    for (size_t i = 0; i < input.left.size(); ++i) {
      const double exact = input.left[i] * gain * 32768.0;
      error += output.left[i] * 32768.0 - exact;
      rounded += output.left[i] * 32768.0 == std::round(exact);
    }
    EXPECT_NEAR(error / input.left.size(), 0.0, 0.02) << ::testing::PrintToString(extra);  // not -0.5: truncation
    if (extra.empty()) {
      EXPECT_GT(rounded, 0.99 * input.left.size());
    } else {
      EXPECT_LT(rounded, 0.7 * input.left.size());
      dithered.push_back(output);
    }
  }
  EXPECT_EQ(dithered[0].left, dithered[1].left);  // the same dither each time
}

TEST_F(HostTool, Render_WithoutInputUsesTheDemoSignal) {
  const HostRun run = RunHost({"render", "--set", "Stereo=3", "--out", out_.str()});
  ASSERT_EQ(run.status, 0) << run.err;
  StereoAudio output;
  ASSERT_TRUE(ReadStereoFile(out_.str(), &output));
  EXPECT_GE(output.left.size(), static_cast<size_t>(2 * output.sampleRate));  // a few seconds
  double inMid = 0, inSide = 0, outMid = 0, outSide = 0;
  ASSERT_TRUE(ReportedLevels(run.out, "input", &inMid, &inSide)) << run.out;
  ASSERT_TRUE(ReportedLevels(run.out, "output", &outMid, &outSide)) << run.out;
  EXPECT_GT(inMid, -30.0);
  EXPECT_GT(inSide, -30.0);
  EXPECT_GT(std::fabs(inMid - inSide), 1.0);  // distinct centre and side content
  EXPECT_NEAR(outMid - inMid, 0.0, 0.01);
  EXPECT_NEAR(outSide - inSide, 3.0, 0.01);
}

TEST_F(HostTool, Render_KeepsTheFormatAndRateOfOtherFiles) {
  const TempPath flacIn(".flac");
  const TempPath aiffOut(".aiff");
  SF_INFO info{};
  info.samplerate = 96000;
  info.channels = 2;
  info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(flacIn.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  std::vector<short> frames(2 * 5000, 1000);
  sf_writef_short(file, frames.data(), 5000);
  sf_close(file);
  const HostRun run = RunHost({"render", "--in", flacIn.str(), "--out", aiffOut.str()});
  ASSERT_EQ(run.status, 0) << run.err;
  SF_INFO written{};
  file = sf_open(aiffOut.c_str(), SFM_READ, &written);
  ASSERT_NE(file, nullptr);
  sf_close(file);
  EXPECT_EQ(written.samplerate, 96000);
  EXPECT_EQ(written.frames, 5000);
  EXPECT_EQ(written.format, SF_FORMAT_AIFF | SF_FORMAT_PCM_16);
}

TEST_F(HostTool, Failures_ExitNonZeroWithOneClearLineAndWriteNothing) {
  const TempPath notAudio(".wav");
  WriteBytes(notAudio.str(), {'n', 'o', 't', ' ', 'a', 'u', 'd', 'i', 'o'});
  Dl_info library{};
  ASSERT_TRUE(dladdr(reinterpret_cast<void*>(&sf_open), &library));  // a library that is not a plug-in
  const std::string module = TESSALY_MODULE_PATH;
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{"render", "/no/such/module.so"}, "module not found: /no/such/module.so"},
      {{"render", library.dli_fname}, "exports neither VSTPluginMain nor main"},
      {{"render", notAudio.str()}, "cannot load module"},
      {{"render", module, "--in", "/no/such/file.wav"}, "cannot read audio file /no/such/file.wav"},
      {{"render", module, "--in", notAudio.str()}, "cannot read audio file"},
      {{"render", module, "--in", in_.str(), "--set", "Width=3"}, "unknown parameter 'Width'"},
      {{"render", module, "--in", in_.str(), "--set", "Stereo=loud"}, "bad value 'loud' for parameter Stereo"},
      {{"render", module, "--in", in_.str(), "--set", "Stereo=nan"}, "bad value 'nan'"},
      {{"render", module, "--in", in_.str(), "--set", "Stereo="}, "bad value ''"},
      {{"render", module, "--in", in_.str(), "--set", "Stereo"}, "--set needs NAME=VALUE"},
      {{"render", module, "--in", in_.str(), "--preset", "9"}, "no preset 9"},
      {{"render", module, "--in", in_.str(), "--preset", "Loud"}, "unknown preset 'Loud'"},
      {{"render", module, "--in", in_.str(), "--block", "0"}, "bad block size"},
      {{"render", module, "--in", in_.str(), "--frobnicate"}, "unknown option '--frobnicate'"},
      {{"info", "/no/such/module.so"}, "module not found"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    if (arguments[0] == "render") arguments.insert(arguments.end(), {"--out", out_.str()});
    const HostRun run = RunHost(arguments);
    const std::string what = ::testing::PrintToString(c.arguments);
    EXPECT_NE(run.status, 0) << what;
    EXPECT_NE(run.status, -1) << what << " did not exit normally";
    EXPECT_EQ(run.err.rfind("tessaly-host: ", 0), 0u) << what << ": " << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << what << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << what << ": " << run.err;
    EXPECT_FALSE(Exists(out_.str())) << what;
  }
  EXPECT_NE(RunHost({"render"}).status, 0);  // no --out
}

TEST_F(HostTool, Help_ExitsCleanly) {
  const HostRun run = RunHost({"--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* command : {"info", "presets", "render", "save-state"}) {
    EXPECT_NE(run.out.find(std::string("tessaly-host ") + command), std::string::npos) << command;
  }
}

TEST_F(HostTool, Info_ShowsTheIdentityProgramsAndOpenRequests) {
  const HostRun run = RunHost({"info"});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* line : {"effect name     Tessaly", "vendor          Tsly", "unique ID       'jhxM' (0x6A68784D)",
                           "version         20001\n", "VST version     2400", "category        effect (1)",
                           "inputs          2", "outputs         2", "Input 1", "Output 2", "parameters      3",
                           "Gain", "Mono", "Stereo", "0.00 dB", "programs        4", "Stereo Enhance",
                           "receiveVstTimeInfo   yes", "host requests during effOpen",
                           "audioMasterGetProductString"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  }
}

TEST_F(HostTool, InfoJson_IsOneObjectWithTheIdentityParametersAndPrograms) {
  const HostRun run = RunHost({"info", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("{\n", 0), 0u) << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - 2), "}\n");
  for (const char* text : {"\"effectName\": \"Tessaly\",", "\"uniqueId\": 1785231437,", "\"inputs\": 2,",
                           "{\"index\": 2, \"name\": \"Stereo\", \"display\": \"",
                           "\"textEntry\": true}", "\"programs\": [\"No Change\", \"Stereo Enhance\"",
                           "\"receiveVstTimeInfo\": 1"}) {
    EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
  }
}

TEST_F(HostTool, Presets_ListsTheFactoryPresets) {
  const HostRun run = RunHost({"presets", TESSALY_MODULE_PATH});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "    0* No Change\n    1  Stereo Enhance\n    2  Only Stereo\n    3  Only Mono\n");
}

TEST_F(HostTool, SavedStates_RenderLikeTheSettingsTheyWereSavedFrom) {
  const std::vector<std::string> settings = {"--preset", "Stereo Enhance", "--set", "Gain=-2.5", "--set", "Mono=1"};
  const StereoAudio direct = Render(settings);
  for (const char* extension : {".fxp", ".fxb"}) {
    const TempPath state(extension);
    std::vector<std::string> save = {"save-state", "--out", state.str()};
    save.insert(save.end(), settings.begin(), settings.end());
    const HostRun saved = RunHost(save);
    ASSERT_EQ(saved.status, 0) << saved.err;
    const StereoAudio restored = Render({"--state", state.str()});
    EXPECT_EQ(restored.left, direct.left) << extension;
    EXPECT_EQ(restored.right, direct.right) << extension;
    // Saving again from the restored state gives the same file.
    const TempPath again(extension);
    ASSERT_EQ(RunHost({"save-state", "--state", state.str(), "--out", again.str()}).status, 0);
    EXPECT_EQ(Bytes(again.str()), Bytes(state.str())) << extension;
  }
}

TEST_F(HostTool, ForeignOrDamagedStates_AreRefused) {
  const TempPath state(".fxp");
  ASSERT_EQ(RunHost({"save-state", "--set", "Stereo=2", "--out", state.str()}).status, 0);
  const std::vector<uint8_t> good = Bytes(state.str());
  std::vector<uint8_t> foreign = good;
  foreign[16] = 'X';  // first character of the plug-in ID
  std::vector<uint8_t> truncated(good.begin(), good.end() - 4);
  std::vector<uint8_t> wrongMagic = good;
  wrongMagic[0] = 'X';
  const struct {
    std::vector<uint8_t> bytes;
    const char* message;
  } cases[] = {
      {foreign, "is for the plug-in 'Xhx"},
      {truncated, "truncated"},
      {wrongMagic, "no 'CcnK' magic"},
  };
  for (const auto& c : cases) {
    const TempPath bad(".fxp");
    WriteBytes(bad.str(), c.bytes);
    const HostRun run = RunHost({"render", "--in", in_.str(), "--out", out_.str(), "--state", bad.str()});
    EXPECT_EQ(run.status, 1) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(Exists(out_.str()));
  }
}

TEST_F(HostTool, SaveState_NeedsAPresetFileName) {
  const TempPath state(".bin");
  const HostRun run = RunHost({"save-state", "--out", state.str()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(".fxp (program) or .fxb (bank)"), std::string::npos) << run.err;
}

}  // namespace
