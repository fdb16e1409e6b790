#include "tools/snapshot/SnapshotOptions.h"

#include <cerrno>
#include <cstdlib>

namespace {
bool ParseScale(const std::string& text, int* scale) {
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || value < 1 || value > kMaxSnapshotScale) return false;
  *scale = static_cast<int>(value);
  return true;
}

bool StoreOption(const std::string& option, const std::string& value, SnapshotOptions* options,
                 std::string* error) {
  if (option == "--out") {
    options->outputPath = value;
  } else if (option == "--preset") {
    options->preset = value;
  } else if (option == "--set") {
    ParameterSetting setting;
    if (!ParseSetting(value, &setting, error)) return false;
    options->settings.push_back(setting);
  } else if (option == "--scale") {
    if (!ParseScale(value, &options->scale)) {
      *error = "bad scale '" + value + "' (1 to " + std::to_string(kMaxSnapshotScale) + ")";
      return false;
    }
  } else {
    *error = "unknown option '" + option + "' (try --help)";
    return false;
  }
  return true;
}
}  // namespace

bool ParseSnapshotOptions(int argc, const char* const* argv, SnapshotOptions* options,
                          std::string* error) {
  *options = SnapshotOptions{};
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "--help" || word == "-h") {
      options->help = true;
      return true;
    }
    std::string value;
    const size_t equals = word.find('=');
    if (word.compare(0, 2, "--") == 0 && equals != std::string::npos) {
      value = word.substr(equals + 1);
      word.resize(equals);
    } else if (word.compare(0, 2, "--") != 0) {
      *error = "unexpected argument '" + word + "' (try --help)";
      return false;
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      *error = "option " + word + " needs a value";
      return false;
    }
    if (!StoreOption(word, value, options, error)) return false;
  }
  if (options->outputPath.empty()) {
    *error = "--out FILE.png is needed (try --help)";
    return false;
  }
  return true;
}

std::string SnapshotUsage() {
  return "tessaly-snapshot: draws Tessaly's editor as a PNG picture\n"
         "\n"
         "usage:\n"
         "  tessaly-snapshot [--preset NAME|INDEX] [--set NAME=VALUE ...] [--scale N] --out FILE.png\n"
         "\n"
         "options:\n"
         "  --preset P        selects a program by name or by index first\n"
         "  --set NAME=VALUE  sets a parameter in its own unit (\"Stereo=3\" is +3 dB)\n"
         "  --scale N         enlarges the picture N times by repeating pixels (1 to 8)\n"
         "  --out FILE        the picture to write; an existing file is replaced only when\n"
         "                    the new one is complete\n";
}
