#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "VstTestHost.h"

using Chunks = VstTestHost;

namespace {
std::vector<uint8_t> GetChunk(AEffect* effect, int index) {
  void* data = nullptr;
  const intptr_t size = effect->dispatcher(effect, effGetChunk, index, 0, &data, 0.0f);
  if (size <= 0 || data == nullptr) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return {bytes, bytes + size};
}

intptr_t SetChunk(AEffect* effect, int index, std::vector<uint8_t> bytes) {
  return effect->dispatcher(effect, effSetChunk, index, static_cast<intptr_t>(bytes.size()),
                            bytes.data(), 0.0f);
}

std::vector<uint8_t> ProgramBlock(std::vector<double> values) {
  std::vector<uint8_t> bytes = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  for (double v : values) {
    uint8_t raw[8];
    std::memcpy(raw, &v, 8);
    bytes.insert(bytes.end(), raw, raw + 8);
  }
  return bytes;
}

void SetDb(AEffect* effect, int index, const char* text) {
  effect->dispatcher(effect, effString2Parameter, index, 0, const_cast<char*>(text), 0.0f);
}

std::vector<double> Values(Tessaly& plugin) {
  return {plugin.Parameter(0)->PlainValue(), plugin.Parameter(1)->PlainValue(),
          plugin.Parameter(2)->PlainValue()};
}
}  // namespace

TEST_F(Chunks, ProgramBlockIsHeaderAndThreeDoubles) {
  AEffect* effect = CreateRunning();
  SetDb(effect, 1, "-3");
  SetDb(effect, 2, "2.5");
  EXPECT_EQ(GetChunk(effect, 1), ProgramBlock({0.0, -3.0, 2.5}));
  void* data = nullptr;
  EXPECT_EQ(Dispatch(effect, effGetChunk, 1, 0, nullptr), 0);
  EXPECT_EQ(Dispatch(effect, effGetChunk, 1, 0, &data), 32);
}

TEST_F(Chunks, BankSavedRestoredAndSavedAgainIsIdentical) {
  AEffect* source = CreateRunning();
  Dispatch(source, effSetProgram, 0, 3);
  SetDb(source, 0, "-1.25");
  char name[] = "Narrow";
  Dispatch(source, effSetProgramName, 0, 0, name);
  const std::vector<uint8_t> bank = GetChunk(source, 0);
  ASSERT_FALSE(bank.empty());
  EXPECT_EQ(std::vector<uint8_t>(bank.begin(), bank.begin() + 8), ProgramBlock({}));

  // The bank holds no current index: hosts restore it with the program number they keep.
  AEffect* target = CreateRunning();
  ASSERT_EQ(SetChunk(target, 0, bank), 1);
  Dispatch(target, effSetProgram, 0, 3);
  EXPECT_EQ(Dispatch(target, effGetProgram), 3);
  EXPECT_EQ(Values(Plugin(target)), (std::vector<double>{-1.25, 0.0, -94.0}));
  char text[64];
  Dispatch(target, effGetProgramNameIndexed, 3, 0, text);
  EXPECT_STREQ(text, "Narrow");
  EXPECT_EQ(GetChunk(target, 0), bank);
  EXPECT_EQ(Plugin(target).SideGain(), 0.0);
}

TEST_F(Chunks, ProgramChunkRestoresValuesIntoTheCurrentPreset) {
  AEffect* effect = CreateRunning();
  ASSERT_EQ(SetChunk(effect, 1, ProgramBlock({1.0, -200.0, 2.0})), 1);
  EXPECT_EQ(Values(Plugin(effect)), (std::vector<double>{1.0, -94.0, 2.0}));
  Dispatch(effect, effSetProgram, 0, 1);
  Dispatch(effect, effSetProgram, 0, 0);
  EXPECT_EQ(Values(Plugin(effect)), (std::vector<double>{1.0, -94.0, 2.0}));
}

TEST_F(Chunks, BankRequestWithOldHeaderOrNoHeaderReadsParameters) {
  AEffect* effect = CreateRunning();
  std::vector<uint8_t> old = ProgramBlock({2.0, 2.0, 2.0});
  old[6] = 0x00;  // format version 0: read through the parameter state
  EXPECT_EQ(SetChunk(effect, 0, old), 1);
  EXPECT_EQ(Values(Plugin(effect)), (std::vector<double>{2.0, 2.0, 2.0}));
  std::vector<uint8_t> bare = ProgramBlock({-1.0, -1.0, -1.0});
  bare.erase(bare.begin(), bare.begin() + 8);
  EXPECT_EQ(SetChunk(effect, 0, bare), 1);
  EXPECT_EQ(Values(Plugin(effect)), (std::vector<double>{-1.0, -1.0, -1.0}));
}

TEST_F(Chunks, BrokenBlocksFail) {
  AEffect* effect = CreateRunning();
  EXPECT_EQ(SetChunk(effect, 1, {0x74, 0x66, 0x66, 0x70, 0x00}), 0);  // magic, no version
  EXPECT_EQ(SetChunk(effect, 1, {}), 0);
  std::vector<uint8_t> shortState = ProgramBlock({1.0, 1.0, 1.0});
  shortState.resize(8 + 20);
  EXPECT_EQ(SetChunk(effect, 1, shortState), 0);
  EXPECT_EQ(Dispatch(effect, effSetChunk, 1, 8, nullptr), 0);
  EXPECT_EQ(Dispatch(effect, effSetChunk, 1, -8, shortState.data()), 0);
}

TEST_F(Chunks, NonFiniteValuesNeverReachTheGains) {
  AEffect* effect = CreateRunning();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(SetChunk(effect, 1, ProgramBlock({nan, 0.0, 0.0})), 0);
  Tessaly& plugin = Plugin(effect);
  EXPECT_EQ(plugin.Parameter(0)->PlainValue(), 0.0);
  EXPECT_TRUE(std::isfinite(plugin.OutputGain()));
  std::vector<double> left = {1.0}, right = {0.5};
  double* buffers[] = {left.data(), right.data()};
  effect->processDoubleReplacing(effect, buffers, buffers, 1);
  EXPECT_TRUE(std::isfinite(left[0]) && std::isfinite(right[0]));
}

TEST_F(Chunks, NullAndEmptyChunksAreRefusedAndChangeNothing) {
  AEffect* effect = CreateRunning();
  Tessaly& plugin = Plugin(effect);
  Dispatch(effect, effSetProgram, 0, 2);
  char name[] = "Mine";
  Dispatch(effect, effSetProgramName, 0, 0, name);
  SetDb(effect, Tessaly::kGain, "-3");  // edited after the program was stored
  const std::vector<double> values = Values(plugin);
  const std::vector<uint8_t> bank = GetChunk(effect, 0);  // every program's name and values
  uint8_t byte = 0x74;
  const struct {
    int32_t index;
    void* data;
    intptr_t size;
  } cases[] = {{0, nullptr, 0}, {0, nullptr, 32}, {0, &byte, 0},
               {1, nullptr, 0}, {1, nullptr, 32}, {1, &byte, 0}};
  for (const auto& c : cases) {
    const std::string what = std::to_string(c.index) + (c.data ? " empty" : " null");
    EXPECT_EQ(Dispatch(effect, effSetChunk, c.index, c.size, c.data), 0) << what;
    EXPECT_EQ(Values(plugin), values) << what;
    EXPECT_EQ(plugin.OutputGain(), std::pow(10.0, -3.0 / 20.0)) << what;
    EXPECT_EQ(Dispatch(effect, effGetProgram), 2) << what;
    EXPECT_EQ(GetChunk(effect, 0), bank) << what;
  }
}

TEST_F(Chunks, SetChunk_TheHostsOwnCopyOfOurBuffer_RestoresIt) {
  AEffect* effect = CreateRunning();
  SetDb(effect, 1, "-3");
  for (int index : {0, 1}) {
    void* data = nullptr;
    const intptr_t size = Dispatch(effect, effGetChunk, index, 0, &data);
    ASSERT_GT(size, 0);
    const std::vector<uint8_t> saved = GetChunk(effect, index);
    EXPECT_EQ(Dispatch(effect, effSetChunk, index, size, data), 1) << index;
    EXPECT_EQ(GetChunk(effect, index), saved) << index;
  }
}
