// tessaly-host never leaves a damaged or emptied file where an output was: it refuses to
// write over its own input, and a failure or a stop part way leaves an existing output
// byte for byte as it was and no temporary file behind.

#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <fstream>
#include <iterator>
#include <thread>

#include "tools/HostRun.h"
#include "tools/StereoFile.h"
#include "tools/TempFolder.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool HasTemporaryFile(const TempFolder& folder) {
  for (const std::string& name : folder.Entries()) {
    if (name[0] == '.') return true;
  }
  return false;
}

// A short stereo MP3, an encoding that a WAV file cannot carry. False when this libsndfile
// cannot encode MP3.
bool WriteMp3(const std::string& path) {
  SF_INFO info{};
  info.samplerate = 44100;
  info.channels = 2;
  info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) return false;
  std::vector<double> frames(2 * 4410, 0.25);
  sf_writef_double(file, frames.data(), 4410);
  return sf_close(file) == 0;
}

class OutputSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteStereoFile(input_, MakeMidSideSignal(44100, 20000, 0.4, 0.2)));
    ASSERT_TRUE(WriteStereoFile(oldOutput_, MakeMidSideSignal(44100, 3000, 0.1, 0.3)));
    ASSERT_EQ(RunHost({"save-state", "--set", "Stereo=2", "--out", state_}).status, 0);
  }

  // Expects a refusal or failure with one line naming reason, path unchanged and no
  // temporary file left.
  void ExpectFailureLeaves(const std::string& what, const HostRun& run, const std::string& reason,
                           const std::string& path, const std::vector<uint8_t>& before) {
    EXPECT_EQ(run.status, 1) << what << ": signal " << run.signal << ", " << run.err;
    EXPECT_EQ(run.err.rfind("tessaly-host: ", 0), 0u) << what << ": " << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << what << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << what << ": " << run.err;
    EXPECT_EQ(Bytes(path), before) << what << ": " << path << " changed";
    EXPECT_FALSE(HasTemporaryFile(folder_)) << what;
  }

  TempFolder folder_;
  const std::string input_ = folder_.Path("in.wav");
  const std::string oldOutput_ = folder_.Path("out.wav");
  const std::string state_ = folder_.Path("state.fxp");
};

TEST_F(OutputSafety, TheInputUnderAnyName_IsRefusedAsOutput) {
  ASSERT_EQ(mkdir(folder_.Path("sub").c_str(), 0755), 0);
  for (const char* name : {"in.wav", "state.fxp"}) {
    ASSERT_EQ(symlink(folder_.Path(name).c_str(), folder_.Path(std::string("link-") + name).c_str()), 0);
    ASSERT_EQ(link(folder_.Path(name).c_str(), folder_.Path(std::string("hard-") + name).c_str()), 0);
  }
  const struct {
    const char* command;
    const char* input;
    const char* output;  // names in the folder
  } cases[] = {
      {"render", "in.wav", "in.wav"},          {"render", "in.wav", "link-in.wav"},
      {"render", "hard-in.wav", "in.wav"},     {"render", "in.wav", "sub/../in.wav"},
      {"save-state", "state.fxp", "state.fxp"}, {"save-state", "state.fxp", "link-state.fxp"},
      {"save-state", "hard-state.fxp", "state.fxp"}, {"save-state", "state.fxp", "sub/../state.fxp"},
  };
  for (const auto& c : cases) {
    const std::string input = folder_.Path(c.input);
    const std::string output = folder_.Path(c.output);
    const std::vector<uint8_t> before = Bytes(input);
    const HostRun run = RunHost({c.command, std::string(c.command) == "render" ? "--in" : "--state", input,
                                 "--out", output});
    ExpectFailureLeaves(std::string(c.command) + " " + c.input + " to " + c.output, run,
                        "refusing to write " + output + ": it is the input file " + input, input, before);
  }
}

TEST_F(OutputSafety, FailuresLeaveTheOldOutputUntouched) {
  // A bank, longer than the limit below, which leaves room for the error line on stderr.
  const std::string oldState = folder_.Path("old.fxb");
  ASSERT_EQ(RunHost({"save-state", "--out", oldState}).status, 0);
  const std::string nanInput = folder_.Path("nan.wav");
  StereoAudio nan = MakeMidSideSignal(44100, 1000, 0.4, 0.2);
  nan.left.assign(nan.left.size(), NAN);
  ASSERT_TRUE(WriteStereoFile(nanInput, nan));
  const std::string oldFlac = folder_.Path("out.flac");
  std::ofstream(oldFlac) << "an earlier output";
  const std::string folderOutput = folder_.Path("folder.wav");
  ASSERT_EQ(mkdir(folderOutput.c_str(), 0755), 0);

  const struct {
    const char* what;
    std::vector<std::string> arguments;
    long long fileSizeLimit;
    std::string reason;
    std::string kept;  // the file that must stay as it was
  } cases[] = {
      {"render past the file-size limit", {"render", "--in", input_, "--out", oldOutput_}, 4096,
       "cannot write " + oldOutput_ + ": File too large", oldOutput_},
      {"save-state past the file-size limit", {"save-state", "--set", "Gain=-3", "--out", oldState}, 200,
       "cannot write " + oldState + ": File too large", oldState},
      {"render into a missing folder", {"render", "--in", input_, "--out", folder_.Path("none/out.wav")}, -1,
       "cannot write " + folder_.Path("none/out.wav") + ": No such file or directory", input_},
      {"save-state into a missing folder", {"save-state", "--out", folder_.Path("none/x.fxp")}, -1,
       "cannot write " + folder_.Path("none/x.fxp") + ": No such file or directory", state_},
      {"render onto a folder", {"render", "--in", input_, "--out", folderOutput}, -1,
       "cannot write " + folderOutput + ": Is a directory", input_},
      {"samples FLAC cannot encode", {"render", "--in", nanInput, "--out", oldFlac}, -1, "cannot write " + oldFlac,
       oldFlac},
  };
  for (const auto& c : cases) {
    const std::vector<uint8_t> before = Bytes(c.kept);
    HostSetup setup;
    setup.fileSizeLimit = c.fileSizeLimit;
    ExpectFailureLeaves(c.what, RunHost(c.arguments, setup), c.reason, c.kept, before);
  }
}

TEST_F(OutputSafety, AnMp3IntoWav_IsWrittenAs24BitPcm) {
  const std::string mp3 = folder_.Path("in.mp3");
  if (!WriteMp3(mp3)) GTEST_SKIP() << "this libsndfile does not write MP3";
  const HostRun run = RunHost({"render", "--in", mp3, "--out", oldOutput_});
  ASSERT_EQ(run.status, 0) << run.err;
  SF_INFO info{};
  SNDFILE* file = sf_open(oldOutput_.c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr);
  sf_close(file);
  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
  EXPECT_GT(info.frames, 0);
}

TEST_F(OutputSafety, AStopDuringRendering_LeavesTheOldOutputAndNoTemporaryFile) {
  // About a minute of audio in one-frame blocks renders for long enough to be stopped.
  const std::string longInput = folder_.Path("long.wav");
  ASSERT_TRUE(WriteStereoFile(longInput, MakeMidSideSignal(44100, 60 * 44100, 0.4, 0.2)));
  for (int signalNumber : {SIGTERM, SIGINT}) {
    const std::vector<uint8_t> before = Bytes(oldOutput_);
    HostProcess render({"render", "--in", longInput, "--out", oldOutput_, "--block", "1"});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!HasTemporaryFile(folder_) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(HasTemporaryFile(folder_)) << "no temporary file appeared beside the output";
    render.Signal(signalNumber);
    const HostRun run = render.Wait();
    EXPECT_EQ(run.signal, signalNumber) << "status " << run.status << ": " << run.err;
    EXPECT_EQ(Bytes(oldOutput_), before) << strsignal(signalNumber);
    EXPECT_FALSE(HasTemporaryFile(folder_)) << strsignal(signalNumber);
  }
}

TEST_F(OutputSafety, AReplacedOutputKeepsItsPermissionsAndItsSymbolicLink) {
  ASSERT_EQ(chmod(oldOutput_.c_str(), 0640), 0);
  const std::string link = folder_.Path("link.wav");
  ASSERT_EQ(symlink(oldOutput_.c_str(), link.c_str()), 0);
  const std::string fresh = folder_.Path("fresh.wav");
  for (const std::string& output : {oldOutput_, link, fresh}) {
    const HostRun run = RunHost({"render", "--in", input_, "--out", output});
    ASSERT_EQ(run.status, 0) << output << ": " << run.err;
  }
  struct stat status {};
  ASSERT_EQ(lstat(link.c_str(), &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  ASSERT_EQ(stat(oldOutput_.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  const mode_t mask = umask(0);
  umask(mask);
  ASSERT_EQ(stat(fresh.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0666u & ~mask);
  StereoAudio output;
  ASSERT_TRUE(ReadStereoFile(oldOutput_, &output));
  EXPECT_EQ(output.left.size(), 20000u);
  EXPECT_FALSE(HasTemporaryFile(folder_));
}

}  // namespace
