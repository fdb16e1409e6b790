#pragma once
// The command line of tessaly-host: a command, an optional module and the options that
// command takes.

#include <string>
#include <vector>

struct ParameterSetting {
  std::string name;
  std::string value;
  size_t position = 0;  // the module in a chain that it is for, from 0 ("1:Master=0.5n")
};

struct CommandLine {
  enum class Command { Help, Version, List, Info, Params, Presets, Render, SaveState, Edit };
  enum class Verbosity { Quiet, Normal, Verbose };
  // How a plug-in with one input takes stereo: each channel through an instance of its
  // own, or the average through one; by default each where it has one output.
  enum class MonoMode { Default, Each, Sum };

  Command command = Command::Help;
  Verbosity verbosity = Verbosity::Normal;
  std::string modulePath;  // as given; empty for the default module
  std::vector<std::string> chainedPaths;  // render: the modules after the first, in order
  std::string inputPath;   // render: "-" reads standard input; empty renders the built-in demo signal, or silence with --midi
  std::string midiPath;    // render: a standard MIDI file to play into the plug-in
  std::string outputPath;  // render: audio file, "-" for standard output; save-state: .fxp or .fxb
  std::string type;        // render: the output's container ("wav", "flac", ...) instead of its extension
  std::string statePath;   // a .fxp or .fxb to restore before anything else
  std::vector<ParameterSetting> chainedStates;  // render: "N:FILE" for module N >= 1 (name empty, value the file)
  std::string preset;      // a program name or index to select
  std::vector<ParameterSetting> settings;
  int blockSize = 512;
  bool json = false;  // info: one JSON object
  bool useDouble = false;
  bool floatOutput = false;  // render: 32-bit float samples whatever the input's encoding
  MonoMode monoMode = MonoMode::Default;  // render
  bool dither = false;
  double tailSeconds = -1.0;  // render: silence fed after the input; negative: as the plug-in says
  bool keepLatency = false;   // render: no latency compensation       // render: triangular dither before rounding to integers
  double seconds = 0.0;        // edit: how long the editor stays open; 0 when not given
  std::string screenshotPath;  // edit: a PNG of the editor window
  std::string scriptPath;      // edit: pointer actions to replay in the editor
};

constexpr int kMaxBlockSize = 65536;
// The longest tail rendered, asked for or reported by the plug-in.
constexpr double kMaxTailSeconds = 30.0;

// Splits the NAME=VALUE of a --set option; false with a one-line reason in error.
bool ParseSetting(const std::string& text, ParameterSetting* setting, std::string* error);

// Parses argv; on failure returns false with a one-line reason in error.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error);

// The text that --help prints.
std::string UsageText();
