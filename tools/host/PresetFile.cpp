#include "tools/host/PresetFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>
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

void PutFloat(std::vector<uint8_t>& out, float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  PutInt32(out, static_cast<int32_t>(bits));
}

float GetFloat(const std::vector<uint8_t>& in, size_t at) {
  const auto bits = static_cast<uint32_t>(GetInt32(in, at));
  float value = 0.0f;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The name field keeps a terminating zero.
void PutName(std::vector<uint8_t>& out, const std::string& name) {
  const size_t length = std::min(name.size(), kNameBytes - 1);
  out.insert(out.end(), name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length));
  out.resize(out.size() + kNameBytes - length, 0);
}

std::string Truncated(size_t present, size_t needed, const char* what) {
  return "truncated preset file (" + std::to_string(present) + " bytes, " + what + " needs " +
         std::to_string(needed) + ")";
}

bool Decode(const std::vector<uint8_t>& bytes, size_t at, PresetFile* preset, size_t* used, std::string* error);

// The element count, checked against what the file can hold at least elementBytes each.
bool ReadCount(const std::vector<uint8_t>& bytes, size_t at, size_t elementBytes, int32_t* count,
               std::string* error) {
  *count = GetInt32(bytes, at + 24);
  if (*count < 0) return Fail(error, "negative count " + std::to_string(*count) + " in the preset file");
  if (static_cast<size_t>(*count) > (bytes.size() - at) / elementBytes) {
    return Fail(error, Truncated(bytes.size(), static_cast<size_t>(*count) * elementBytes, "the count"));
  }
  return true;
}

// The parameters of a parameter-list program whose header starts at at.
bool DecodeParameters(const std::vector<uint8_t>& bytes, size_t at, PresetFile* result, size_t* used,
                      std::string* error) {
  int32_t count = 0;
  if (!ReadCount(bytes, at, 4, &count, error)) return false;
  const size_t start = at + kProgramHeaderBytes;
  const size_t end = start + 4 * static_cast<size_t>(count);
  if (bytes.size() < end) return Fail(error, Truncated(bytes.size() - at, end - at, "the parameter list"));
  for (size_t offset = start; offset < end; offset += 4) result->parameters.push_back(GetFloat(bytes, offset));
  *used = end - at;
  return true;
}

// The programs of a parameter-list bank whose header starts at at.
bool DecodePrograms(const std::vector<uint8_t>& bytes, size_t at, PresetFile* result, size_t* used,
                    std::string* error) {
  int32_t count = 0;
  if (!ReadCount(bytes, at, kProgramHeaderBytes, &count, error)) return false;
  size_t offset = at + kBankHeaderBytes;
  for (int32_t i = 0; i < count; ++i) {
    // Checked first, so that a bank inside a bank is not read at all.
    if (bytes.size() >= offset + 12 && GetInt32(bytes, offset + 8) != kProgramParamsMagic) {
      return Fail(error, "program " + std::to_string(i) + " of the bank is not a parameter list");
    }
    PresetFile program;
    size_t size = 0;
    if (!Decode(bytes, offset, &program, &size, error)) return false;
    result->programs.push_back({program.programName, program.parameters});
    offset += size;
  }
  *used = offset - at;
  return true;
}

// The state chunk of a chunk preset whose header (header bytes) starts at at.
bool DecodeChunk(const std::vector<uint8_t>& bytes, size_t at, size_t header, PresetFile* result, size_t* used,
                 std::string* error) {
  const int32_t chunkSize = GetInt32(bytes, at + header);
  const size_t present = bytes.size() - at - header - 4;
  if (chunkSize < 0 || static_cast<size_t>(chunkSize) > present) {
    return Fail(error, "truncated preset file (state of " + std::to_string(chunkSize) + " bytes, " +
                           std::to_string(present) + " present)");
  }
  const auto data = bytes.begin() + static_cast<std::ptrdiff_t>(at + header + 4);
  result->chunk.assign(data, data + chunkSize);
  *used = header + 4 + static_cast<size_t>(chunkSize);
  return true;
}

// Reads the preset whose container starts at at; used is its size in bytes.
bool Decode(const std::vector<uint8_t>& bytes, size_t at, PresetFile* preset, size_t* used, std::string* error) {
  const size_t size = bytes.size() - at;
  if (size < 12) {
    if (size >= 4 && GetInt32(bytes, at) != kContainerMagic) {
      return Fail(error, "not a VST preset file (no 'CcnK' magic)");
    }
    return Fail(error, "truncated preset file (" + std::to_string(size) + " bytes)");
  }
  if (GetInt32(bytes, at) != kContainerMagic) return Fail(error, "not a VST preset file (no 'CcnK' magic)");
  const int32_t kindMagic = GetInt32(bytes, at + 8);
  const bool bank = kindMagic == kBankChunkMagic || kindMagic == kBankParamsMagic;
  const bool chunk = kindMagic == kProgramChunkMagic || kindMagic == kBankChunkMagic;
  if (!bank && !chunk && kindMagic != kProgramParamsMagic) {
    return Fail(error, "unknown preset type " + FourCcText(kindMagic));
  }
  const size_t header = bank ? kBankHeaderBytes : kProgramHeaderBytes;
  if (size < header + (chunk ? 4 : 0)) return Fail(error, Truncated(size, header + (chunk ? 4 : 0), "the header"));

  PresetFile result;
  result.kind = bank ? PresetFile::Kind::Bank : PresetFile::Kind::Program;
  result.form = chunk ? PresetFile::Form::Chunk : PresetFile::Form::Parameters;
  result.pluginId = GetInt32(bytes, at + 16);
  result.pluginVersion = GetInt32(bytes, at + 20);
  result.elementCount = GetInt32(bytes, at + 24);
  if (bank) {
    // Format version 1 banks leave the current program out.
    result.currentProgram = GetInt32(bytes, at + 12) >= 2 ? GetInt32(bytes, at + 28) : -1;
  } else {
    const auto name = bytes.begin() + static_cast<std::ptrdiff_t>(at + 28);
    result.programName.assign(name, std::find(name, name + kNameBytes, 0));
  }
  const bool read = chunk  ? DecodeChunk(bytes, at, header, &result, used, error)
                    : bank ? DecodePrograms(bytes, at, &result, used, error)
                           : DecodeParameters(bytes, at, &result, used, error);
  if (!read) return false;
  *preset = std::move(result);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePresetFile(const PresetFile& preset) {
  const bool bank = preset.kind == PresetFile::Kind::Bank;
  const bool chunk = preset.form == PresetFile::Form::Chunk;
  std::vector<uint8_t> out;
  PutInt32(out, kContainerMagic);
  PutInt32(out, 0);  // byte count of everything after this field, filled in below
  PutInt32(out, bank ? (chunk ? kBankChunkMagic : kBankParamsMagic) : (chunk ? kProgramChunkMagic : kProgramParamsMagic));
  PutInt32(out, bank ? kBankFormatVersion : kProgramFormatVersion);
  PutInt32(out, preset.pluginId);
  PutInt32(out, preset.pluginVersion);
  PutInt32(out, preset.elementCount);
  if (bank) {
    PutInt32(out, preset.currentProgram);
    out.resize(out.size() + kBankReservedBytes - 4, 0);
  } else {
    PutName(out, preset.programName);
  }
  if (chunk) {
    PutInt32(out, static_cast<int32_t>(preset.chunk.size()));
    out.insert(out.end(), preset.chunk.begin(), preset.chunk.end());
  } else if (bank) {
    for (const PresetProgram& program : preset.programs) {
      PresetFile single;
      single.form = PresetFile::Form::Parameters;
      single.pluginId = preset.pluginId;
      single.pluginVersion = preset.pluginVersion;
      single.elementCount = static_cast<int32_t>(program.parameters.size());
      single.programName = program.name;
      single.parameters = program.parameters;
      const std::vector<uint8_t> bytes = EncodePresetFile(single);
      out.insert(out.end(), bytes.begin(), bytes.end());
    }
  } else {
    for (float value : preset.parameters) PutFloat(out, value);
  }
  const auto rest = static_cast<int32_t>(out.size() - 8);
  for (size_t i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(rest) >> (24 - 8 * i));
  return out;
}

bool DecodePresetFile(const std::vector<uint8_t>& bytes, PresetFile* preset, std::string* error) {
  size_t used = 0;
  return Decode(bytes, 0, preset, &used, error);
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
