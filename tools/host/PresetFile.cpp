#include "tools/host/PresetFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "tools/host/FourCc.h"

namespace {

constexpr int32_t kContainerMagic = FourCc('C', 'c', 'n', 'K');
constexpr int32_t kProgramChunkMagic = FourCc('F', 'P', 'C', 'h');
constexpr int32_t kBankChunkMagic = FourCc('F', 'B', 'C', 'h');
constexpr int32_t kProgramParamsMagic = FourCc('F', 'x', 'C', 'k');
constexpr int32_t kBankParamsMagic = FourCc('F', 'x', 'B', 'k');

constexpr size_t kNameBytes = 28;
constexpr size_t kBankReservedBytes = 128;  // current program (version 2) and padding
// Offsets of the chunk-size field: after magic, size, kind, format version, ID, plug-in
// version and element count come the name (program) or the reserved block (bank).
constexpr size_t kProgramHeaderBytes = 28 + kNameBytes;
constexpr size_t kBankHeaderBytes = 28 + kBankReservedBytes;
constexpr int32_t kProgramFormatVersion = 1;
constexpr int32_t kBankFormatVersion = 2;

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(bits >> shift));
}

int32_t GetInt32(const std::vector<uint8_t>& in, size_t at) {
  uint32_t bits = 0;
  for (size_t i = 0; i < 4; ++i) bits = (bits << 8) | in[at + i];
  return static_cast<int32_t>(bits);
}

bool Fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return false;
}

}  // namespace

std::vector<uint8_t> EncodePresetFile(const PresetFile& preset) {
  const bool bank = preset.kind == PresetFile::Kind::Bank;
  std::vector<uint8_t> out;
  PutInt32(out, kContainerMagic);
  PutInt32(out, 0);  // byte count of everything after this field, filled in below
  PutInt32(out, bank ? kBankChunkMagic : kProgramChunkMagic);
  PutInt32(out, bank ? kBankFormatVersion : kProgramFormatVersion);
  PutInt32(out, preset.pluginId);
  PutInt32(out, preset.pluginVersion);
  PutInt32(out, preset.elementCount);
  if (bank) {
    PutInt32(out, preset.currentProgram);
    out.resize(out.size() + kBankReservedBytes - 4, 0);
  } else {
    // The name field keeps a terminating zero.
    const size_t length = std::min(preset.programName.size(), kNameBytes - 1);
    out.insert(out.end(), preset.programName.begin(), preset.programName.begin() + length);
    out.resize(out.size() + kNameBytes - length, 0);
  }
  PutInt32(out, static_cast<int32_t>(preset.chunk.size()));
  out.insert(out.end(), preset.chunk.begin(), preset.chunk.end());
  const auto rest = static_cast<int32_t>(out.size() - 8);
  for (size_t i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(rest) >> (24 - 8 * i));
  return out;
}

bool DecodePresetFile(const std::vector<uint8_t>& bytes, PresetFile* preset, std::string* error) {
  if (bytes.size() < 12) {
    if (bytes.size() >= 4 && GetInt32(bytes, 0) != kContainerMagic) {
      return Fail(error, "not a VST preset file (no 'CcnK' magic)");
    }
    return Fail(error, "truncated preset file (" + std::to_string(bytes.size()) + " bytes)");
  }
  if (GetInt32(bytes, 0) != kContainerMagic) return Fail(error, "not a VST preset file (no 'CcnK' magic)");
  const int32_t kindMagic = GetInt32(bytes, 8);
  if (kindMagic == kProgramParamsMagic || kindMagic == kBankParamsMagic) {
    return Fail(error, "the file holds a parameter list (" + FourCcText(kindMagic) +
                           "), not a state chunk; only chunk presets are supported");
  }
  if (kindMagic != kProgramChunkMagic && kindMagic != kBankChunkMagic) {
    return Fail(error, "unknown preset type " + FourCcText(kindMagic));
  }
  const bool bank = kindMagic == kBankChunkMagic;
  const size_t header = bank ? kBankHeaderBytes : kProgramHeaderBytes;
  if (bytes.size() < header + 4) {
    return Fail(error, "truncated preset file (" + std::to_string(bytes.size()) + " bytes, header needs " +
                           std::to_string(header + 4) + ")");
  }
  const int32_t chunkSize = GetInt32(bytes, header);
  if (chunkSize < 0 || static_cast<size_t>(chunkSize) > bytes.size() - header - 4) {
    return Fail(error, "truncated preset file (state of " + std::to_string(chunkSize) + " bytes, " +
                           std::to_string(bytes.size() - header - 4) + " present)");
  }

  PresetFile result;
  result.kind = bank ? PresetFile::Kind::Bank : PresetFile::Kind::Program;
  result.pluginId = GetInt32(bytes, 16);
  result.pluginVersion = GetInt32(bytes, 20);
  result.elementCount = GetInt32(bytes, 24);
  if (bank) {
    // Format version 1 banks leave the current program out.
    result.currentProgram = GetInt32(bytes, 12) >= 2 ? GetInt32(bytes, 28) : -1;
  } else {
    const auto name = bytes.begin() + 28;
    result.programName.assign(name, std::find(name, name + kNameBytes, 0));
  }
  const auto data = bytes.begin() + static_cast<std::ptrdiff_t>(header + 4);
  result.chunk.assign(data, data + chunkSize);
  *preset = std::move(result);
  return true;
}

bool SavePresetFile(SafeOutputFile& file, const PresetFile& preset, std::string* error) {
  const std::vector<uint8_t> bytes = EncodePresetFile(preset);
  return file.Write(bytes.data(), bytes.size(), error) && file.Commit(error);
}

bool LoadPresetFile(const std::string& path, PresetFile* preset, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return Fail(error, "cannot read " + path);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return Fail(error, "cannot read " + path);
  std::string reason;
  if (!DecodePresetFile(bytes, preset, &reason)) return Fail(error, path + ": " + reason);
  return true;
}

bool PresetKindForPath(const std::string& path, PresetFile::Kind* kind) {
  if (path.size() < 4) return false;
  std::string extension = path.substr(path.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".fxp") {
    *kind = PresetFile::Kind::Program;
    return true;
  }
  if (extension == ".fxb") {
    *kind = PresetFile::Kind::Bank;
    return true;
  }
  return false;
}
