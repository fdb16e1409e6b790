// tessaly-host on a module that is not built like Tessaly: parameters set through text
// entry where the module takes text and as normalised values where it does not, version
// numbers and empty answers shown as they are.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/HostRun.h"
#include "tools/MidiBytes.h"
#include "tools/StereoFile.h"

namespace {

const std::string kModule = GAIN_FIXTURE_PATH;
const std::string kNoText = "FIXTURE_NO_TEXT=1";

double WorstDifference(const std::vector<double>& output, const std::vector<double>& input, double factor) {
  double worst = 0.0;
  for (size_t i = 0; i < output.size(); ++i) worst = std::max(worst, std::fabs(output[i] - factor * input[i]));
  return worst;
}

TEST(ForeignModule, Set_UsesTextEntryWhereTakenAndNormalisedValuesOtherwise) {
  const StereoAudio input = MakeMidSideSignal(44100, 4000, 0.4, 0.2);
  const TempPath in(".wav");
  ASSERT_TRUE(WriteStereoFile(in.str(), input));
  const struct {
    std::vector<std::string> variables;
    std::vector<std::string> settings;
    double leftFactor, rightFactor;
  } cases[] = {
      {{}, {"Left Gain=2"}, 2.0, 1.0},                   // the module's own unit
      {{}, {"left gain=0.5 x"}, 0.5, 1.0},               // any case, with the label
      {{}, {"Right Gain=0.25n"}, 1.0, 0.5},              // normalised on request
      {{}, {"1=0.75n", "0=0"}, 0.0, 1.5},                // by index
      {{kNoText}, {"Left Gain=0.25"}, 0.5, 1.0},         // normalised where text is not taken
      {{kNoText}, {"0=1n", "Right Gain=0"}, 2.0, 0.0},
  };
  for (const auto& c : cases) {
    const TempPath out(".wav");
    std::vector<std::string> arguments = {"render", kModule, "--in", in.str(), "--out", out.str()};
    for (const std::string& setting : c.settings) arguments.insert(arguments.end(), {"--set", setting});
    HostSetup setup;
    setup.setVariables = c.variables;
    const HostRun run = RunHost(arguments, setup);
    const std::string what = ::testing::PrintToString(c.variables) + ::testing::PrintToString(c.settings);
    ASSERT_EQ(run.status, 0) << what << "\n" << run.err;
    StereoAudio output;
    ASSERT_TRUE(ReadStereoFile(out.str(), &output)) << what;
    EXPECT_LT(WorstDifference(output.left, input.left, c.leftFactor), 1e-6) << what;
    EXPECT_LT(WorstDifference(output.right, input.right, c.rightFactor), 1e-6) << what;
  }
}

TEST(ForeignModule, Render_FeedsEveryLayoutFromMonoAndStereoFiles) {
  const StereoAudio stereo = MakeMidSideSignal(44100, 4000, 0.4, 0.2);
  StereoAudio mono = stereo;
  mono.right = mono.left;
  const TempPath stereoIn(".wav");
  const TempPath monoIn(".wav");
  ASSERT_TRUE(WriteStereoFile(stereoIn.str(), stereo));
  ASSERT_TRUE(WriteStereoFile(monoIn.str(), mono, 1));
  std::vector<double> average;
  for (size_t i = 0; i < stereo.left.size(); ++i) average.push_back(0.5 * (stereo.left[i] + stereo.right[i]));
  const struct {
    const char* what;
    std::vector<std::string> variables;
    std::string input;
    std::vector<std::string> options;
    std::vector<double> left, right;  // expected before the gain of 1.5
  } cases[] = {
      {"mono plug-in, each channel its own", {"FIXTURE_MONO=1"}, stereoIn.str(), {}, stereo.left, stereo.right},
      {"mono plug-in, explicitly each", {"FIXTURE_MONO=1"}, stereoIn.str(), {"--mono", "each"}, stereo.left,
       stereo.right},
      {"mono plug-in, the sum", {"FIXTURE_MONO=1"}, stereoIn.str(), {"--mono=sum"}, average, average},
      {"mono plug-in, mono file", {"FIXTURE_MONO=1"}, monoIn.str(), {}, mono.left, mono.left},
      {"stereo plug-in, mono file", {}, monoIn.str(), {"--set", "Right Gain=1.5"}, mono.left, mono.left},
  };
  for (const auto& c : cases) {
    const TempPath out(".wav");
    std::vector<std::string> arguments = {"render", kModule, "--in", c.input, "--out", out.str(), "--set",
                                          "Left Gain=1.5"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    HostSetup setup;
    setup.setVariables = c.variables;
    const HostRun run = RunHost(arguments, setup);
    ASSERT_EQ(run.status, 0) << c.what << "\n" << run.err;
    EXPECT_EQ(run.err, "") << c.what;
    StereoAudio output;
    ASSERT_TRUE(ReadStereoFile(out.str(), &output)) << c.what;
    EXPECT_LT(WorstDifference(output.left, c.left, 1.5), 1e-6) << c.what;
    EXPECT_LT(WorstDifference(output.right, c.right, 1.5), 1e-6) << c.what;
  }
}

// What the gain fixture at unity gain gives for input: delayed by late frames, with an
// echo at half level echo frames after that (none for 0), frames long.
std::vector<double> Delayed(const std::vector<double>& input, int late, int echo, size_t frames) {
  std::vector<double> output(frames, 0.0);
  for (size_t i = 0; i < frames; ++i) {
    const auto at = static_cast<long>(i) - late;
    if (at >= 0 && at < static_cast<long>(input.size())) output[i] += input[static_cast<size_t>(at)];
    if (echo && at - echo >= 0 && at - echo < static_cast<long>(input.size())) {
      output[i] += 0.5 * input[static_cast<size_t>(at - echo)];
    }
  }
  return output;
}

TEST(ForeignModule, Render_AlignsLatencyAndRendersTheTail) {
  const StereoAudio input = MakeMidSideSignal(44100, 4000, 0.4, 0.2);
  const TempPath in(".wav");
  ASSERT_TRUE(WriteStereoFile(in.str(), input));
  const size_t length = input.left.size();
  const struct {
    std::vector<std::string> variables;
    std::vector<std::string> options;
    int late, echo;
    size_t frames;
    std::string report;
  } cases[] = {
      {{"FIXTURE_LATENCY=100"}, {}, 0, 0, length, "\nlatency 100 frames taken out\n"},
      {{"FIXTURE_LATENCY=100"}, {"--no-latency-compensation"}, 100, 0, length, "\nlatency 100 frames kept in the output\n"},
      {{"FIXTURE_TAIL=1000"}, {}, 0, 1000, length + 1000, "\ntail    1000 frames after the input\n"},
      {{"FIXTURE_TAIL=1000"}, {"--tail", "0"}, 0, 1000, length, "\ninput "},
      {{}, {"--tail=0.5"}, 0, 0, length + 22050, "\ntail    22050 frames after the input\n"},
      {{"FIXTURE_MONO=1", "FIXTURE_LATENCY=7", "FIXTURE_TAIL=300"}, {"--block", "64"}, 0, 300, length + 300,
       "\nlatency 7 frames taken out\n"},
  };
  for (const auto& c : cases) {
    const TempPath out(".wav");
    std::vector<std::string> arguments = {"render", kModule, "--in", in.str(), "--out", out.str()};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    HostSetup setup;
    setup.setVariables = c.variables;
    const HostRun run = RunHost(arguments, setup);
    const std::string what = ::testing::PrintToString(c.variables) + ::testing::PrintToString(c.options);
    ASSERT_EQ(run.status, 0) << what << "\n" << run.err;
    EXPECT_NE(run.out.find(c.report), std::string::npos) << what << "\n" << run.out;
    StereoAudio output;
    ASSERT_TRUE(ReadStereoFile(out.str(), &output)) << what;
    ASSERT_EQ(output.left.size(), c.frames) << what;
    EXPECT_LT(WorstDifference(output.left, Delayed(input.left, c.late, c.echo, c.frames), 1.0), 1e-6) << what;
    EXPECT_LT(WorstDifference(output.right, Delayed(input.right, c.late, c.echo, c.frames), 1.0), 1e-6) << what;
  }
}

TEST(ForeignModule, Info_ShowsTheLatencyOnceProcessingAndTheTail) {
  HostSetup setup;
  setup.setVariables = {"FIXTURE_LATENCY=64", "FIXTURE_TAIL=2000"};
  const HostRun run = RunHost({"info", kModule}, setup);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\ntail            2000 samples\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\nlatency         64 samples once processing (44100 Hz, 512-frame blocks)\n"),
            std::string::npos)
      << run.out;
}

std::vector<uint8_t> Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ForeignModule, States_OfAModuleWithoutChunksAreParameterLists) {
  const StereoAudio input = MakeMidSideSignal(44100, 2000, 0.4, 0.2);
  const TempPath in(".wav");
  ASSERT_TRUE(WriteStereoFile(in.str(), input));
  for (const char* extension : {".fxp", ".fxb"}) {
    const TempPath state(extension);
    const HostRun saved = RunHost({"save-state", kModule, "--set", "Left Gain=0.25n", "--set", "1=0.75n", "--out",
                                   state.str()});
    ASSERT_EQ(saved.status, 0) << saved.err;
    const std::vector<uint8_t> bytes = Bytes(state.str());
    ASSERT_GT(bytes.size(), 12u);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), extension == std::string(".fxp") ? "FxCk" : "FxBk");
    const TempPath again(extension);
    ASSERT_EQ(RunHost({"save-state", kModule, "--state", state.str(), "--out", again.str()}).status, 0);
    EXPECT_EQ(Bytes(again.str()), bytes) << extension;
  }
  const TempPath program(".fxp");
  ASSERT_EQ(RunHost({"save-state", kModule, "--set", "0=0.25n", "--set", "1=1n", "--out", program.str()}).status, 0);
  const TempPath out(".wav");
  const HostRun run = RunHost({"render", kModule, "--in", in.str(), "--out", out.str(), "--state", program.str()});
  ASSERT_EQ(run.status, 0) << run.err;
  StereoAudio output;
  ASSERT_TRUE(ReadStereoFile(out.str(), &output));
  EXPECT_LT(WorstDifference(output.left, input.left, 0.5), 1e-6);
  EXPECT_LT(WorstDifference(output.right, input.right, 2.0), 1e-6);
  // One parameter more than the plug-in has is refused, and nothing is written.
  std::vector<uint8_t> longer = Bytes(program.str());
  longer[27] = 3;
  longer.insert(longer.end(), {0, 0, 0, 0});
  std::ofstream(program.str(), std::ios::binary).write(reinterpret_cast<const char*>(longer.data()),
                                                      static_cast<std::streamsize>(longer.size()));
  std::remove(out.c_str());
  const HostRun refused = RunHost({"render", kModule, "--in", in.str(), "--out", out.str(), "--state", program.str()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "tessaly-host: " + program.str() + " holds 3 parameters; the plug-in has 2\n");
}

TEST(ForeignModule, Midi_PlaysAnInstrumentSampleAccurately) {
  const TempPath midi(".mid");
  ASSERT_TRUE(WriteBytes(midi.str(), TwoTrackMidi()));
  HostSetup setup;
  setup.setVariables = {"FIXTURE_INSTRUMENT=1"};
  for (const char* block : {"512", "333", "1"}) {
    const TempPath out(".wav");
    const HostRun run = RunHost({"render", kModule, "--midi", midi.str(), "--block", block, "--out", out.str()}, setup);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("rendered " + midi.str() + " through Gain Fixture: 60001 frames at 48000 Hz", 0), 0u)
        << run.out;
    EXPECT_EQ(run.out.find("input"), std::string::npos) << run.out;  // no audio went in
    StereoAudio output;
    ASSERT_TRUE(ReadStereoFile(out.str(), &output));
    ASSERT_EQ(output.left.size(), 60001u);
    // Notes at 0.5 s (velocity 64) and 1.125 s (velocity 100), ending at 1.0 s and 1.25 s.
    std::vector<double> expected(60001, 0.0);
    std::fill(expected.begin() + 24000, expected.begin() + 48000, 64.0 / 128.0);
    std::fill(expected.begin() + 54000, expected.begin() + 60000, 100.0 / 128.0);
    EXPECT_EQ(output.left, expected) << "blocks of " << block;
    EXPECT_EQ(output.right, expected) << "blocks of " << block;
  }
}

TEST(ForeignModule, Midi_IsRefusedInOneLineWhereItCannotBePlayed) {
  const TempPath midi(".mid");
  const TempPath notMidi(".mid");
  ASSERT_TRUE(WriteBytes(midi.str(), TwoTrackMidi()));
  ASSERT_TRUE(WriteBytes(notMidi.str(), {'n', 'o', 't', ' ', 'M', 'I', 'D', 'I'}));
  const struct {
    std::vector<std::string> variables;
    std::vector<std::string> options;
    std::string message;
  } cases[] = {
      {{"FIXTURE_INSTRUMENT=1"}, {}, "Gain Fixture is an instrument (no audio inputs); give it notes with --midi FILE.mid"},
      {{}, {"--midi", midi.str()}, "Gain Fixture does not take MIDI (it does not answer yes to receiveVstMidiEvent)"},
      {{"FIXTURE_INSTRUMENT=1"}, {"--midi", notMidi.str()}, notMidi.str() + ": not a standard MIDI file (no 'MThd' header)"},
      {{"FIXTURE_INSTRUMENT=1"}, {"--midi", "/no/such.mid"}, "cannot read MIDI file /no/such.mid"},
  };
  for (const auto& c : cases) {
    const TempPath out(".wav");
    std::vector<std::string> arguments = {"render", kModule, "--out", out.str()};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    HostSetup setup;
    setup.setVariables = c.variables;
    const HostRun run = RunHost(arguments, setup);
    EXPECT_EQ(run.status, 1) << c.message;
    EXPECT_EQ(run.err, "tessaly-host: " + c.message + "\n");
  }
}

TEST(ForeignModule, Chain_RunsModulesInSeriesEachWithItsOwnSettings) {
  const StereoAudio input = MakeMidSideSignal(44100, 4000, 0.4, 0.2);
  const TempPath in(".wav");
  ASSERT_TRUE(WriteStereoFile(in.str(), input));
  const size_t length = input.left.size();
  const TempPath state(".fxp");
  ASSERT_EQ(RunHost({"save-state", kModule, "--set", "Right Gain=0.25n", "--out", state.str()}).status, 0);
  const struct {
    std::vector<std::string> variables;
    std::vector<std::string> modules;  // after "render"
    std::vector<std::string> options;
    double left, right;
    std::string report;
  } cases[] = {
      {{}, {kModule, kModule}, {"--set", "0:Left Gain=2", "--set", "1:Right Gain=0.5"}, 2.0, 0.5,
       "through Gain Fixture -> Gain Fixture:"},
      {{}, {"--chain", kModule + "," + kModule}, {"--set", "Left Gain=0.5", "--set", "1:0=1n"}, 1.0, 1.0, ""},
      {{}, {TESSALY_MODULE_PATH, kModule}, {"--set", "0:Gain=-6.0206", "--set", "1:1=1n"}, 0.5, 1.0,
       "through Tessaly -> Gain Fixture:"},
      {{"FIXTURE_LATENCY=100"}, {kModule, kModule}, {}, 1.0, 1.0, "\nlatency 200 frames taken out\n"},
      {{}, {kModule, kModule}, {"--state", "1:" + state.str(), "--set", "0:Left Gain=2"}, 2.0, 0.5, ""},
  };
  for (const auto& c : cases) {
    const TempPath out(".wav");
    std::vector<std::string> arguments = {"render"};
    arguments.insert(arguments.end(), c.modules.begin(), c.modules.end());
    arguments.insert(arguments.end(), {"--in", in.str(), "--out", out.str()});
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    HostSetup setup;
    setup.setVariables = c.variables;
    const HostRun run = RunHost(arguments, setup);
    const std::string what = ::testing::PrintToString(arguments);
    ASSERT_EQ(run.status, 0) << what << "\n" << run.err;
    EXPECT_NE(run.out.find(c.report), std::string::npos) << what << "\n" << run.out;
    StereoAudio output;
    ASSERT_TRUE(ReadStereoFile(out.str(), &output)) << what;
    ASSERT_EQ(output.left.size(), length) << what;
    EXPECT_LT(WorstDifference(output.left, input.left, c.left), 1e-5) << what;
    EXPECT_LT(WorstDifference(output.right, input.right, c.right), 1e-5) << what;
  }
}

TEST(ForeignModule, Chain_RefusesWhatItCannotRunInOneLine) {
  const TempPath midi(".mid");
  ASSERT_TRUE(WriteBytes(midi.str(), TwoTrackMidi()));
  const TempPath out(".wav");
  const struct {
    std::vector<std::string> variables;
    std::vector<std::string> arguments;
    std::string message;
  } cases[] = {
      {{}, {"render", kModule, kModule, "--set", "2:Left Gain=1"},
       "--set 2:Left Gain names module 2, but there are 2 modules (0 to 1)"},
      {{}, {"render", kModule, "--set", "1:Left Gain=1"}, "--set 1:Left Gain names module 1, but there is 1 module (0)"},
      {{}, {"render", kModule, kModule, "--state", "2:x.fxp"}, "--state 2:x.fxp names module 2, but there are 2 modules (0 to 1)"},
      {{"FIXTURE_INSTRUMENT=1"}, {"render", TESSALY_MODULE_PATH, kModule, "--midi", midi.str()},
       "Tessaly does not take MIDI (it does not answer yes to receiveVstMidiEvent)"},
      {{"FIXTURE_INSTRUMENT=1"}, {"render", "--chain", std::string(TESSALY_MODULE_PATH) + "," + kModule},
       "Gain Fixture has no audio inputs; only the first module of a chain can be an instrument"},
      {{}, {"info", kModule, kModule}, "unexpected argument '" + kModule + "'"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    if (arguments[0] == "render") arguments.insert(arguments.end(), {"--out", out.str()});
    HostSetup setup;
    setup.setVariables = c.variables;
    const HostRun run = RunHost(arguments, setup);
    EXPECT_NE(run.status, 0) << c.message;
    EXPECT_EQ(run.err, "tessaly-host: " + c.message + "\n");
  }
}

TEST(ForeignModule, Set_ErrorsSayWhatWasWrong) {
  const struct {
    std::vector<std::string> variables;
    std::string setting;
    std::string message;
  } cases[] = {
      {{kNoText}, "Left Gain=-6",
       "Left Gain does not accept text values; give a normalised value 0..1 like Left Gain=0.5n"},
      {{kNoText}, "left gain=loud",
       "Left Gain does not accept text values; give a normalised value 0..1 like Left Gain=0.5n"},
      {{}, "Left Gain=1.5n", "bad normalised value '1.5n' for parameter Left Gain (0 to 1)"},
      {{}, "Left Gain=loud", "bad value 'loud' for parameter Left Gain"},
      {{}, "2=0.5n", "unknown parameter '2'"},
  };
  for (const auto& c : cases) {
    const TempPath out(".wav");
    HostSetup setup;
    setup.setVariables = c.variables;
    const HostRun run = RunHost({"render", kModule, "--set", c.setting, "--out", out.str()}, setup);
    EXPECT_EQ(run.status, 1) << c.setting;
    EXPECT_EQ(run.err.rfind("tessaly-host: " + c.message, 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

TEST(ForeignModule, Params_ListsIndexValueNormalisedValueAndTextEntry) {
  HostSetup noText;
  noText.setVariables = {kNoText};
  const struct {
    HostSetup setup;
    std::string line;
  } cases[] = {
      {{}, "      1  Right Gain       1.00 x         0.5000     yes"},
      {noText, "      0  Left Gain        1.00 x         0.5000     no (give 0..1)"},
  };
  for (const auto& c : cases) {
    const HostRun run = RunHost({"params", kModule}, c.setup);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("parameters      2\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find(c.line), std::string::npos) << run.out;
  }
}

TEST(ForeignModule, Info_ShowsVersionsAsNumbersReadAsBytesOnlyWhereUnambiguous) {
  const struct {
    const char* version;
    const char* line;
  } cases[] = {
      {"1", "\nversion         1\n"},
      {"256", "\nversion         256\n"},
      {"20001", "\nversion         20001\n"},
      {"65536", "\nversion         65536 (1.0.0)\n"},
      {"131073", "\nversion         131073 (2.0.1)\n"},
  };
  for (const auto& c : cases) {
    HostSetup setup;
    setup.setVariables = {std::string("FIXTURE_VERSION=") + c.version};
    const HostRun run = RunHost({"info", kModule}, setup);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(c.line), std::string::npos) << c.version << "\n" << run.out;
  }
}

TEST(ForeignModule, EmptyAnswers_AreNamedAsMissing) {
  const HostRun info = RunHost({"info", kModule});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("\nvendor          (none)\nproduct         (none)\n"), std::string::npos) << info.out;
  const HostRun presets = RunHost({"presets", kModule});
  ASSERT_EQ(presets.status, 0) << presets.err;
  EXPECT_EQ(presets.out, "  (no programs)\n");
}

}  // namespace
