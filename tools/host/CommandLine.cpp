#include "tools/host/CommandLine.h"

#include <cerrno>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace {

// The options a command accepts; the value-less ones are flags.
struct CommandForm {
  CommandLine::Command command;
  std::vector<std::string> options;
  bool takesModule = true;
};

const std::map<std::string, CommandForm>& Commands() {
  static const std::map<std::string, CommandForm> commands = {
      {"info", {CommandLine::Command::Info, {"--json"}}},
      {"list", {CommandLine::Command::List, {}, false}},
      {"params", {CommandLine::Command::Params, {}}},
      {"presets", {CommandLine::Command::Presets, {}}},
      {"render",
       {CommandLine::Command::Render, {"--in", "--midi", "--chain", "--out", "--type", "--set", "--block", "--double", "--float", "--dither", "--mono", "--tail", "--no-latency-compensation", "--preset", "--state"}}},
      {"save-state", {CommandLine::Command::SaveState, {"--out", "--set", "--preset", "--state"}}},
      {"edit",
       {CommandLine::Command::Edit, {"--seconds", "--screenshot", "--script", "--set", "--preset", "--state"}}},
  };
  return commands;
}

// text without a leading module position "N:" (digits, then a colon), which goes to
// position; 0 when there is none.
std::string WithoutPosition(const std::string& text, size_t* position) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 8 || text.find_first_not_of("0123456789") != colon) {
    *position = 0;
    return text;
  }
  *position = std::stoul(text.substr(0, colon));
  return text.substr(colon + 1);
}

bool IsHelp(const std::string& word) { return word == "--help" || word == "-h" || word == "help"; }

// Takes -q/--quiet and -v/--verbose, which may stand anywhere before "--".
bool StoreVerbosity(const std::string& word, CommandLine* line) {
  if (word == "-q" || word == "--quiet") {
    line->verbosity = CommandLine::Verbosity::Quiet;
  } else if (word == "-v" || word == "--verbose") {
    line->verbosity = CommandLine::Verbosity::Verbose;
  } else {
    return false;
  }
  return true;
}

bool ParseBlockSize(const std::string& text, int* blockSize) {
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || value < 1 || value > kMaxBlockSize) return false;
  *blockSize = static_cast<int>(value);
  return true;
}

// The member that a value-less option sets, or null for options with a value.
bool* FlagFor(const std::string& option, CommandLine* line) {
  if (option == "--double") return &line->useDouble;
  if (option == "--json") return &line->json;
  if (option == "--float") return &line->floatOutput;
  if (option == "--no-latency-compensation") return &line->keepLatency;
  return nullptr;
}

bool ParseTail(const std::string& text, double* seconds) {
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno != 0 || !std::isfinite(value) || value < 0.0 || value > kMaxTailSeconds) {
    return false;
  }
  *seconds = value;
  return true;
}

bool ParseSeconds(const std::string& text, double* seconds) {
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno != 0 || !std::isfinite(value) || value <= 0.0) return false;
  *seconds = value;
  return true;
}

void AddModule(const std::string& path, CommandLine* line) {
  if (line->modulePath.empty()) {
    line->modulePath = path;
  } else {
    line->chainedPaths.push_back(path);
  }
}

// The modules of --chain A,B,...: the first is MODULE unless one was given before.
void AddChain(const std::string& list, CommandLine* line) {
  size_t start = 0;
  while (start <= list.size()) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string path = list.substr(start, comma - start);
    if (!path.empty()) AddModule(path, line);
    start = comma + 1;
  }
}

// --state FILE or --state N:FILE; the state of module 0 is statePath.
void StoreState(const std::string& value, CommandLine* line) {
  size_t position = 0;
  const std::string path = WithoutPosition(value, &position);
  if (position == 0) {
    line->statePath = path;
  } else {
    line->chainedStates.push_back({"", path, position});
  }
}

bool StoreOption(const std::string& option, const std::string& value, CommandLine* line, std::string* error) {
  if (option == "--in") {
    line->inputPath = value;
  } else if (option == "--chain") {
    AddChain(value, line);
  } else if (option == "--type") {
    line->type = value;
  } else if (option == "--midi") {
    line->midiPath = value;
  } else if (option == "--out") {
    line->outputPath = value;
  } else if (option == "--state") {
    StoreState(value, line);
  } else if (option == "--preset") {
    line->preset = value;
  } else if (option == "--set") {
    ParameterSetting setting;
    if (!ParseSetting(value, &setting, error)) return false;
    line->settings.push_back(setting);
  } else if (option == "--screenshot") {
    line->screenshotPath = value;
  } else if (option == "--script") {
    line->scriptPath = value;
  } else if (option == "--seconds") {
    if (!ParseSeconds(value, &line->seconds)) {
      *error = "bad duration '" + value + "' for --seconds (a positive number of seconds)";
      return false;
    }
  } else if (option == "--tail") {
    if (!ParseTail(value, &line->tailSeconds)) {
      *error = "bad tail '" + value + "' (0 to " + std::to_string(static_cast<int>(kMaxTailSeconds)) + " seconds)";
      return false;
    }
  } else if (option == "--mono") {
    if (value != "each" && value != "sum") {
      *error = "bad mono mode '" + value + "' (each or sum)";
      return false;
    }
    line->monoMode = value == "each" ? CommandLine::MonoMode::Each : CommandLine::MonoMode::Sum;
  } else if (option == "--dither") {
    if (value != "tpdf" && value != "none") {
      *error = "bad dither '" + value + "' (tpdf or none)";
      return false;
    }
    line->dither = value == "tpdf";
  } else if (option == "--block") {
    if (!ParseBlockSize(value, &line->blockSize)) {
      *error = "bad block size '" + value + "' (1 to " + std::to_string(kMaxBlockSize) + " frames)";
      return false;
    }
  }
  return true;
}

bool IsKnown(const CommandForm& form, const std::string& option) {
  for (const std::string& known : form.options) {
    if (known == option) return true;
  }
  return false;
}

}  // namespace

bool ParseSetting(const std::string& text, ParameterSetting* setting, std::string* error) {
  size_t position = 0;
  const std::string rest = WithoutPosition(text, &position);
  const size_t equals = rest.find('=');
  if (equals == std::string::npos || equals == 0) {
    *error = "--set needs NAME=VALUE, got '" + text + "'";
    return false;
  }
  *setting = {rest.substr(0, equals), rest.substr(equals + 1), position};
  return true;
}

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error) {
  *line = CommandLine{};
  int first = 1;
  while (first < argc && StoreVerbosity(argv[first], line)) ++first;
  if (first >= argc || IsHelp(argv[first])) return true;
  if (std::string(argv[first]) == "--version") {
    line->command = CommandLine::Command::Version;
    return true;
  }
  const std::string command = argv[first];
  const auto found = Commands().find(command);
  if (found == Commands().end()) {
    *error = "unknown command '" + command + "' (try --help)";
    return false;
  }
  const CommandForm& form = found->second;
  line->command = form.command;
  bool moduleGiven = false;
  bool optionsEnded = false;
  for (int i = first + 1; i < argc; ++i) {
    std::string word = argv[i];
    const bool option = !optionsEnded && word.size() > 1 && word[0] == '-';
    if (!option) {
      const bool chains = form.command == CommandLine::Command::Render;
      if ((moduleGiven && !chains) || !form.takesModule) {
        *error = "unexpected argument '" + word + "'";
        return false;
      }
      AddModule(word, line);
      moduleGiven = true;
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    if (IsHelp(word)) {
      line->command = CommandLine::Command::Help;
      return true;
    }
    if (StoreVerbosity(word, line)) continue;
    std::string value;
    const size_t equals = word.find('=');
    const bool inlineValue = equals != std::string::npos;
    if (inlineValue) {
      value = word.substr(equals + 1);
      word.resize(equals);
    }
    if (!IsKnown(form, word)) {
      *error = "unknown option '" + word + "' for " + command + " (try --help)";
      return false;
    }
    if (bool* flag = FlagFor(word, line)) {
      if (inlineValue) {
        *error = "option " + word + " takes no value";
        return false;
      }
      *flag = true;
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= argc) {
        *error = "option " + word + " needs a value";
        return false;
      }
      value = argv[++i];
    }
    if (!StoreOption(word, value, line, error)) return false;
  }
  if ((line->command == CommandLine::Command::Render || line->command == CommandLine::Command::SaveState) &&
      line->outputPath.empty()) {
    *error = command + " needs --out FILE";
    return false;
  }
  return true;
}

std::string UsageText() {
  return "tessaly-host: a command-line VST 2.4 host for Linux modules\n"
         "\n"
         "usage:\n"
         "  tessaly-host list\n"
         "      every module in the VST folders: name, vendor, kind, inputs and outputs\n"
         "  tessaly-host info [MODULE] [--json]\n"
         "      what a host sees: names, identity, pins, flags, parameters, programs,\n"
         "      capability answers and the requests the plug-in makes while it opens\n"
         "  tessaly-host params [MODULE]\n"
         "      the plug-in's parameters: index, name, value, normalised value, text entry\n"
         "  tessaly-host presets [MODULE]\n"
         "      the plug-in's programs\n"
         "  tessaly-host render [MODULE ...] [--in FILE] --out FILE [--state FILE.fxp|FILE.fxb]\n"
         "                      [--preset NAME|INDEX] [--set NAME=VALUE ...] [--block N] [--double]\n"
         "                      [--float] [--dither tpdf] [--mono each|sum] [--tail SECONDS]\n"
         "                      [--no-latency-compensation] [--midi FILE.mid] [--type TYPE]\n"
         "      streams a mono or stereo audio file (WAV, FLAC, AIFF, ...) through the plug-in, or a\n"
         "      built-in stereo demo signal without --in, and prints the mid and side levels\n"
         "  tessaly-host save-state [MODULE] [--state FILE] [--preset NAME|INDEX] [--set NAME=VALUE ...]\n"
         "                      --out FILE.fxp|FILE.fxb\n"
         "      saves the plug-in's state as a program (.fxp) or bank (.fxb) preset file\n"
         "  tessaly-host edit [MODULE] [--seconds N] [--screenshot FILE.png] [--script FILE]\n"
         "                      [--state FILE] [--preset NAME|INDEX] [--set NAME=VALUE ...]\n"
         "      opens the plug-in's editor in a window on the X display and prints the parameter\n"
         "      changes it reports; runs until the window is closed or Ctrl-C\n"
         "\n"
         "options:\n"
         "  --set NAME=VALUE  sets a parameter in its own unit (\"Stereo=3\" is +3 dB) through the\n"
         "                    plug-in's text entry; VALUE ending in n (\"Stereo=0.25n\"), or any\n"
         "                    value for a plug-in without text entry, is normalised (0 to 1);\n"
         "                    NAME may also be the parameter's index\n"
         "  --in -, --out -   render: standard input and output; the report is left out\n"
         "  --type TYPE       render: the output's format (wav, flac, aiff, au, ...) instead of\n"
         "                    the one its extension names\n"
         "  --json            info: one JSON object, for scripts\n"
         "  --chain A,B,...   render: the modules to run in series (as MODULE A B ... does);\n"
         "                    --set N:NAME=VALUE and --state N:FILE are for module N (from 0)\n"
         "  --preset P        selects a program by name or by index (as 'presets' lists them)\n"
         "  --state FILE      restores a preset file before the other settings\n"
         "  --block N         frames per processing block (default 512)\n"
         "  --double          processes 64-bit samples instead of 32-bit\n"
         "  --float           writes 32-bit float samples, which keep levels beyond full scale\n"
         "  --dither tpdf     adds triangular dither before rounding to integer samples (default none)\n"
         "  --mono each|sum   a plug-in with one input takes each channel through an instance of\n"
         "                    its own, or their average through one (default: each where it has\n"
         "                    one output, sum where it has more)\n"
         "  --midi FILE.mid   plays a standard MIDI file into the plug-in (an instrument, say);\n"
         "                    without --in the input is silence as long as the MIDI file\n"
         "  --tail SECONDS    renders this long past the end of the input (default: the tail the\n"
         "                    plug-in reports, at most 30 seconds)\n"
         "  --no-latency-compensation\n"
         "                    keeps the plug-in's latency in the output instead of aligning the\n"
         "                    output with the input\n"
         "  --seconds N       edit: closes the editor after N seconds\n"
         "  --screenshot F    edit: writes a PNG of the editor window once it has drawn, then\n"
         "                    closes it after about a second unless --seconds says otherwise\n"
         "  --script F        edit: replays pointer actions, one a line at editor coordinates:\n"
         "                    press X Y, drag X Y, release X Y, wheel X Y STEPS (up > 0),\n"
         "                    double X Y, wait MS; '#' starts a comment\n"
         "  -q, --quiet       render, save-state: no report, only errors and warnings\n"
         "  -v, --verbose     render, save-state: also the module and the parameters as set\n"
         "  --version         prints the version of tessaly-host\n"
         "  --                ends the options: what follows is MODULE even if it starts with -\n"
         "\n"
         "MODULE is a path, or a bare name (\"MaGigaverb-vst\") searched in the current folder\n"
         "and then in LXVST_PATH, VST_PATH, ~/.vst, /usr/local/lib/vst and /usr/lib/vst with\n"
         "their subfolders. It defaults to the tessaly.so beside the folder of tessaly-host, or\n"
         "else found in those folders.\n"
         "\n"
         "exit status: 0 done (also with a clipping warning), 1 failed, 2 bad command line,\n"
         "1 with this text on stderr when run without arguments\n";
}
