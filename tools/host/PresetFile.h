#pragma once
// The preset files that VST 2 hosts exchange (.fxp for one program, .fxb for a bank),
// in their opaque-chunk form: a big-endian 'CcnK' container holding the plug-in's own
// state block, tagged with the plug-in's unique ID and version.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/SafeOutputFile.h"

struct PresetFile {
  enum class Kind { Program, Bank };

  Kind kind = Kind::Program;
  int32_t pluginId = 0;
  int32_t pluginVersion = 0;
  int32_t elementCount = 0;     // parameters of a program, programs of a bank
  int32_t currentProgram = -1;  // banks only; -1 when the file does not say
  std::string programName;      // programs only; at most 27 characters are stored
  std::vector<uint8_t> chunk;   // the plug-in's state block, passed through untouched
};

// The file bytes of a preset.
std::vector<uint8_t> EncodePresetFile(const PresetFile& preset);

// Reads a preset from file bytes. On failure returns false with a one-line reason in
// error and leaves preset unchanged.
bool DecodePresetFile(const std::vector<uint8_t>& bytes, PresetFile* preset, std::string* error);

// Whole-file helpers around the two functions above. Saving writes the preset into the
// opened file and commits it.
bool SavePresetFile(SafeOutputFile& file, const PresetFile& preset, std::string* error);
bool LoadPresetFile(const std::string& path, PresetFile* preset, std::string* error);

// The kind a file name asks for: .fxp or .fxb (any case). False for other names.
bool PresetKindForPath(const std::string& path, PresetFile::Kind* kind);
