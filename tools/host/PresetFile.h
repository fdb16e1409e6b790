#pragma once
// The preset files that VST 2 hosts exchange (.fxp for one program, .fxb for a bank): a
// big-endian 'CcnK' container tagged with the plug-in's unique ID and version, holding
// either the plug-in's own opaque state block ('FPCh', 'FBCh') or its parameters as a
// list of normalised values ('FxCk'; a bank, 'FxBk', holds one such program per slot).

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/SafeOutputFile.h"

// One program of a parameter-list bank.
struct PresetProgram {
  std::string name;  // at most 27 characters are stored
  std::vector<float> parameters;
};

struct PresetFile {
  enum class Kind { Program, Bank };
  enum class Form { Chunk, Parameters };

  Kind kind = Kind::Program;
  Form form = Form::Chunk;
  int32_t pluginId = 0;
  int32_t pluginVersion = 0;
  int32_t elementCount = 0;     // parameters of a program, programs of a bank
  int32_t currentProgram = -1;  // banks only; -1 when the file does not say
  std::string programName;      // programs only; at most 27 characters are stored
  std::vector<uint8_t> chunk;   // chunk form: the plug-in's state block, passed through untouched
  std::vector<float> parameters;        // parameter-list program: elementCount values
  std::vector<PresetProgram> programs;  // parameter-list bank: elementCount programs
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
