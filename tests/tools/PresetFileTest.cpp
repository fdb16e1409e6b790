#include "tools/host/PresetFile.h"

#include <gtest/gtest.h>

#include "tools/StereoFile.h"

namespace {

constexpr int32_t kId = 0x6A68784D;

PresetFile Program(std::vector<uint8_t> chunk) {
  PresetFile preset;
  preset.kind = PresetFile::Kind::Program;
  preset.pluginId = kId;
  preset.pluginVersion = 20001;
  preset.elementCount = 3;
  preset.programName = "Stereo Enhance";
  preset.chunk = std::move(chunk);
  return preset;
}

PresetFile Bank(std::vector<uint8_t> chunk) {
  PresetFile preset;
  preset.kind = PresetFile::Kind::Bank;
  preset.pluginId = kId;
  preset.pluginVersion = 20001;
  preset.elementCount = 4;
  preset.currentProgram = 2;
  preset.chunk = std::move(chunk);
  return preset;
}

PresetFile ParameterProgram() {
  PresetFile preset = Program({});
  preset.form = PresetFile::Form::Parameters;
  preset.parameters = {0.25f, 1.0f, 0.0f};
  return preset;
}

PresetFile ParameterBank() {
  PresetFile preset = Bank({});
  preset.form = PresetFile::Form::Parameters;
  preset.elementCount = 2;
  preset.programs = {{"First", {0.5f, 0.125f, 1.0f}}, {"Second", {0.0f, 0.75f, 0.5f}}};
  return preset;
}

int32_t BigEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<int32_t>(uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
                              uint32_t(bytes[at + 2]) << 8 | uint32_t(bytes[at + 3]));
}

std::string Text(const std::vector<uint8_t>& bytes, size_t at, size_t length) {
  return std::string(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length));
}

TEST(PresetFile, Program_HasTheStandardBigEndianLayout) {
  const std::vector<uint8_t> bytes = EncodePresetFile(Program({1, 2, 3, 4, 5}));
  ASSERT_EQ(bytes.size(), 60u + 5u);
  EXPECT_EQ(Text(bytes, 0, 4), "CcnK");
  EXPECT_EQ(BigEndianAt(bytes, 4), 65 - 8);
  EXPECT_EQ(Text(bytes, 8, 4), "FPCh");
  EXPECT_EQ(BigEndianAt(bytes, 12), 1);
  EXPECT_EQ(Text(bytes, 16, 4), "jhxM");
  EXPECT_EQ(BigEndianAt(bytes, 20), 20001);
  EXPECT_EQ(BigEndianAt(bytes, 24), 3);
  EXPECT_EQ(Text(bytes, 28, 15), std::string("Stereo Enhance\0", 15));
  EXPECT_EQ(BigEndianAt(bytes, 56), 5);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 60, bytes.end()), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
}

TEST(PresetFile, Bank_HasTheStandardBigEndianLayout) {
  const std::vector<uint8_t> bytes = EncodePresetFile(Bank({9, 8}));
  ASSERT_EQ(bytes.size(), 160u + 2u);
  EXPECT_EQ(Text(bytes, 0, 4), "CcnK");
  EXPECT_EQ(BigEndianAt(bytes, 4), 162 - 8);
  EXPECT_EQ(Text(bytes, 8, 4), "FBCh");
  EXPECT_EQ(BigEndianAt(bytes, 12), 2);
  EXPECT_EQ(Text(bytes, 16, 4), "jhxM");
  EXPECT_EQ(BigEndianAt(bytes, 24), 4);
  EXPECT_EQ(BigEndianAt(bytes, 28), 2);  // current program
  for (size_t i = 32; i < 156; ++i) ASSERT_EQ(bytes[i], 0) << "reserved byte " << i;
  EXPECT_EQ(BigEndianAt(bytes, 156), 2);
  EXPECT_EQ(bytes[160], 9);
}

TEST(PresetFile, ParameterLists_HaveTheStandardBigEndianLayout) {
  const std::vector<uint8_t> program = EncodePresetFile(ParameterProgram());
  ASSERT_EQ(program.size(), 56u + 12u);
  EXPECT_EQ(Text(program, 8, 4), "FxCk");
  EXPECT_EQ(BigEndianAt(program, 4), 68 - 8);
  EXPECT_EQ(BigEndianAt(program, 24), 3);
  EXPECT_EQ(Text(program, 28, 15), std::string("Stereo Enhance\0", 15));
  EXPECT_EQ(BigEndianAt(program, 56), 0x3E800000);  // 0.25f
  EXPECT_EQ(BigEndianAt(program, 60), 0x3F800000);  // 1.0f
  const std::vector<uint8_t> bank = EncodePresetFile(ParameterBank());
  ASSERT_EQ(bank.size(), 156u + 2 * 68u);
  EXPECT_EQ(Text(bank, 8, 4), "FxBk");
  EXPECT_EQ(BigEndianAt(bank, 24), 2);
  EXPECT_EQ(BigEndianAt(bank, 28), 2);  // current program
  EXPECT_EQ(Text(bank, 156, 4), "CcnK");
  EXPECT_EQ(Text(bank, 156 + 8, 4), "FxCk");
  EXPECT_EQ(Text(bank, 156 + 68 + 28, 7), std::string("Second\0", 7));
  EXPECT_EQ(BigEndianAt(bank, 156 + 68 + 60), 0x3F400000);  // 0.75f
}

TEST(PresetFile, ParameterLists_RoundTrip) {
  PresetFile read;
  std::string error;
  ASSERT_TRUE(DecodePresetFile(EncodePresetFile(ParameterProgram()), &read, &error)) << error;
  EXPECT_EQ(read.form, PresetFile::Form::Parameters);
  EXPECT_EQ(read.kind, PresetFile::Kind::Program);
  EXPECT_EQ(read.programName, "Stereo Enhance");
  EXPECT_EQ(read.parameters, ParameterProgram().parameters);
  ASSERT_TRUE(DecodePresetFile(EncodePresetFile(ParameterBank()), &read, &error)) << error;
  EXPECT_EQ(read.kind, PresetFile::Kind::Bank);
  EXPECT_EQ(read.currentProgram, 2);
  ASSERT_EQ(read.programs.size(), 2u);
  EXPECT_EQ(read.programs[1].name, "Second");
  EXPECT_EQ(read.programs[1].parameters, ParameterBank().programs[1].parameters);
}

TEST(PresetFile, LongProgramName_IsCutTo27CharactersAndTerminated) {
  PresetFile preset = Program({});
  preset.programName = std::string(40, 'x');
  const std::vector<uint8_t> bytes = EncodePresetFile(preset);
  EXPECT_EQ(bytes[28 + 26], 'x');
  EXPECT_EQ(bytes[28 + 27], 0);
  PresetFile read;
  ASSERT_TRUE(DecodePresetFile(bytes, &read, nullptr));
  EXPECT_EQ(read.programName, std::string(27, 'x'));
}

TEST(PresetFile, ProgramAndBank_RoundTrip) {
  std::vector<uint8_t> big(10000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7);
  for (const PresetFile& original : {Program(big), Bank(big), Program({}), Bank({})}) {
    PresetFile read;
    std::string error;
    ASSERT_TRUE(DecodePresetFile(EncodePresetFile(original), &read, &error)) << error;
    EXPECT_EQ(read.kind, original.kind);
    EXPECT_EQ(read.pluginId, original.pluginId);
    EXPECT_EQ(read.pluginVersion, original.pluginVersion);
    EXPECT_EQ(read.elementCount, original.elementCount);
    EXPECT_EQ(read.currentProgram, original.kind == PresetFile::Kind::Bank ? 2 : -1);
    EXPECT_EQ(read.programName, original.kind == PresetFile::Kind::Bank ? "" : "Stereo Enhance");
    EXPECT_EQ(read.chunk, original.chunk);
  }
}

TEST(PresetFile, FormatVersion1Bank_HasNoCurrentProgram) {
  std::vector<uint8_t> bytes = EncodePresetFile(Bank({1}));
  bytes[15] = 1;
  PresetFile read;
  ASSERT_TRUE(DecodePresetFile(bytes, &read, nullptr));
  EXPECT_EQ(read.currentProgram, -1);
}

TEST(PresetFile, DamagedFiles_AreRefusedWithAReasonAndLeaveThePresetAlone) {
  const std::vector<uint8_t> program = EncodePresetFile(Program({1, 2, 3, 4}));
  const std::vector<uint8_t> bank = EncodePresetFile(Bank({1, 2, 3, 4}));
  auto with = [](std::vector<uint8_t> bytes, size_t at, const char* text) {
    for (size_t i = 0; text[i]; ++i) bytes[at + i] = static_cast<uint8_t>(text[i]);
    return bytes;
  };
  auto cut = [](std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
  };
  auto chunkSize = [](std::vector<uint8_t> bytes, size_t at, uint8_t top, uint8_t low) {
    bytes[at] = top;
    bytes[at + 3] = low;
    return bytes;
  };
  std::vector<uint8_t> chunkInBank = cut(EncodePresetFile(ParameterBank()), 156);
  chunkInBank[27] = 1;  // one program, and that one a chunk
  chunkInBank.insert(chunkInBank.end(), program.begin(), program.end());
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* reason;
  } cases[] = {
      {"empty", {}, "truncated"},
      {"wrong container magic", with(program, 0, "RIFF"), "no 'CcnK' magic"},
      {"short with wrong magic", {'R', 'I', 'F', 'F', 0}, "no 'CcnK' magic"},
      {"parameter list cut", cut(EncodePresetFile(ParameterProgram()), 60), "truncated"},
      {"count beyond the file", with(EncodePresetFile(ParameterBank()), 24, "\x01"), "truncated"},
      {"bank program cut", cut(EncodePresetFile(ParameterBank()), 156 + 56 + 60 + 4), "truncated"},
      {"chunk program in a list bank", chunkInBank, "not a parameter list"},
      {"unknown kind", with(program, 8, "Zzzz"), "unknown preset type"},
      {"program header cut", cut(program, 40), "truncated"},
      {"bank header cut", cut(bank, 100), "truncated"},
      {"program chunk cut", cut(program, program.size() - 1), "truncated"},
      {"bank chunk cut", cut(bank, bank.size() - 3), "truncated"},
      {"negative chunk size", chunkSize(program, 56, 0xFF, 0xFF), "truncated"},
      {"huge chunk size", chunkSize(bank, 156, 0x7F, 0xFF), "truncated"},
  };
  for (const auto& c : cases) {
    PresetFile preset = Program({42});
    std::string error;
    EXPECT_FALSE(DecodePresetFile(c.bytes, &preset, &error)) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << c.what;
    EXPECT_EQ(preset.chunk, std::vector<uint8_t>{42}) << c.what;
  }
}

TEST(PresetFile, SaveAndLoad_GoThroughRealFiles) {
  const TempPath path(".fxb");
  std::string error;
  SafeOutputFile file;
  ASSERT_TRUE(file.Open(path.str(), {}, &error)) << error;
  ASSERT_TRUE(SavePresetFile(file, Bank({5, 6, 7}), &error)) << error;
  PresetFile read;
  ASSERT_TRUE(LoadPresetFile(path.str(), &read, &error)) << error;
  EXPECT_EQ(read.chunk, (std::vector<uint8_t>{5, 6, 7}));
  EXPECT_FALSE(LoadPresetFile(path.str() + ".missing", &read, &error));
  EXPECT_NE(error.find("cannot read"), std::string::npos);
}

TEST(PresetFile, KindFollowsTheExtension) {
  PresetFile::Kind kind = PresetFile::Kind::Bank;
  EXPECT_TRUE(PresetKindForPath("a/b.fxp", &kind));
  EXPECT_EQ(kind, PresetFile::Kind::Program);
  EXPECT_TRUE(PresetKindForPath("B.FXB", &kind));
  EXPECT_EQ(kind, PresetFile::Kind::Bank);
  EXPECT_FALSE(PresetKindForPath("state.bin", &kind));
  EXPECT_FALSE(PresetKindForPath("fxp", &kind));
}

}  // namespace
