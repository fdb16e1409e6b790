#include <cmath>
#include <cstring>
#include <vector>

#include "module/ModuleFixture.h"

namespace {

std::vector<uint8_t> GetChunk(AEffect* effect, int32_t index) {
  void* data = nullptr;
  const intptr_t size = Dispatch(effect, effGetChunk, index, 0, &data);
  if (size <= 0 || !data) return {};
  return std::vector<uint8_t>(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

std::vector<uint8_t> DoubleBytes(double value) {
  std::vector<uint8_t> bytes(8);
  std::memcpy(bytes.data(), &value, 8);  // little-endian on the platforms we build for
  return bytes;
}

TEST_F(ModuleTest, ProgramChunk_IsHeaderAndThreeDoubles) {
  SetText(1, "-3");
  SetText(2, "2.5");
  std::vector<uint8_t> expected = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  for (double value : {0.0, -3.0, 2.5}) {
    const std::vector<uint8_t> bytes = DoubleBytes(value);
    expected.insert(expected.end(), bytes.begin(), bytes.end());
  }
  EXPECT_EQ(GetChunk(effect_, 1), expected);
  EXPECT_EQ(Dispatch(effect_, effGetChunk, 1, 0, nullptr), 0);
}

TEST_F(ModuleTest, Bank_SavedRestoredIntoAFreshPluginAndSavedAgain_IsIdentical) {
  Dispatch(effect_, effOpen);
  Dispatch(effect_, effSetProgram, 0, 2);
  SetText(0, "-7.25");
  std::string name = "Mine";
  Dispatch(effect_, effSetProgramName, 0, 0, &name[0]);
  const std::vector<uint8_t> bank = GetChunk(effect_, 0);
  ASSERT_FALSE(bank.empty());

  AEffect* fresh = module_.Create();
  ASSERT_NE(fresh, nullptr);
  Dispatch(fresh, effOpen);
  Dispatch(fresh, effSetProgram, 0, 2);  // the bank does not carry the current index; hosts set it
  std::vector<uint8_t> copy = bank;
  EXPECT_EQ(Dispatch(fresh, effSetChunk, 0, static_cast<intptr_t>(copy.size()), copy.data()), 1);
  EXPECT_EQ(QueryText(fresh, effGetProgramName), "Mine");
  EXPECT_EQ(QueryText(fresh, effGetParamDisplay, 0), "-7.25");
  EXPECT_EQ(GetChunk(fresh, 0), bank);
  LoadedModule::Close(fresh);
}

TEST_F(ModuleTest, SetChunk_WithANotANumberValue_FailsAndKeepsValuesFinite) {
  std::vector<uint8_t> chunk = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  for (double value : {1.0, double(NAN), double(INFINITY)}) {
    const std::vector<uint8_t> bytes = DoubleBytes(value);
    chunk.insert(chunk.end(), bytes.begin(), bytes.end());
  }
  EXPECT_EQ(Dispatch(effect_, effSetChunk, 1, static_cast<intptr_t>(chunk.size()), chunk.data()), 0);
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(std::isfinite(effect_->getParameter(effect_, i))) << i;
    EXPECT_EQ(QueryText(effect_, effGetParamDisplay, i).find("nan"), std::string::npos) << i;
  }
  float left = 0.5f, right = 0.25f;
  float* ins[] = {&left, &right};
  float* outs[] = {&left, &right};
  effect_->processReplacing(effect_, ins, outs, 1);
  EXPECT_TRUE(std::isfinite(left) && std::isfinite(right));
}

TEST_F(ModuleTest, SetChunk_NullOrEmpty_IsRefusedAndChangesNothing) {
  Dispatch(effect_, effSetProgram, 0, 1);
  SetText(0, "-3");
  uint8_t byte = 0;
  for (int32_t index : {0, 1}) {
    EXPECT_EQ(Dispatch(effect_, effSetChunk, index, 0, nullptr), 0) << index;
    EXPECT_EQ(Dispatch(effect_, effSetChunk, index, 0, &byte), 0) << index;
    EXPECT_EQ(QueryText(effect_, effGetParamDisplay, 0), "-3.00") << index;
    EXPECT_EQ(QueryText(effect_, effGetParamDisplay, 2), "3.00") << index;
    EXPECT_EQ(Dispatch(effect_, effGetProgram), 1) << index;
    EXPECT_EQ(QueryText(effect_, effGetProgramName), "Stereo Enhance") << index;
  }
}

}  // namespace
