#include "platform/DesktopDialogs.h"

#include <cctype>
#include <cstdio>
#include <sstream>
#include <vector>

#include "platform/FolderPath.h"
#include "platform/SpecialFolders.h"

namespace {
using Arguments = std::vector<std::string>;

constexpr int kCancelled = 1;  // both programs' exit status when the user cancels

// The dialog's one-line answer; empty when it was cancelled, ended early or failed.
std::string RunDialog(const Arguments& arguments, const WaitPump& pump) {
  const ChildRun run = RunProgram(arguments, pump);
  if (run.exited && run.exitStatus != 0 && run.exitStatus != kCancelled) {
    std::fprintf(stderr, "tessaly: %s failed with exit status %d\n", arguments[0].c_str(),
                 run.exitStatus);
  }
  return OneLineAnswer(run);
}

// Runs zenity or, where it is missing, kdialog, each with its own arguments.
std::string RunInstalledDialog(const Arguments& zenity, const Arguments& kdialog,
                               const WaitPump& pump) {
  if (!FindProgram(zenity[0]).empty()) return RunDialog(zenity, pump);
  if (!FindProgram(kdialog[0]).empty()) return RunDialog(kdialog, pump);
  std::fprintf(stderr, "tessaly: no desktop dialog: neither zenity nor kdialog is installed\n");
  return {};
}

std::vector<std::string> ExtensionWords(const char* extensions) {
  std::vector<std::string> words;
  std::istringstream list(extensions != nullptr ? extensions : "");
  for (std::string word; list >> word;) words.push_back(word);
  return words;
}

// "*.fxp" and "*.fxb" joined by separator: "*.fxp;*.fxb".
std::string Patterns(const std::vector<std::string>& extensions, const char* separator) {
  std::string patterns;
  for (const std::string& extension : extensions) {
    if (!patterns.empty()) patterns += separator;
    patterns += "*." + extension;
  }
  return patterns;
}

Arguments ZenityFileArguments(bool save, const std::string& start,
                              const std::vector<std::string>& extensions) {
  Arguments arguments{"zenity", "--file-selection"};
  if (save) arguments.insert(arguments.end(), {"--save", "--confirm-overwrite"});
  arguments.push_back("--filename=" + start);
  // The filter's name is the pattern list as the user knows it; zenity's patterns are
  // separated by spaces.
  if (!extensions.empty()) {
    arguments.push_back("--file-filter=" + Patterns(extensions, ";") + " | " +
                        Patterns(extensions, " "));
  }
  return arguments;
}

Arguments KdialogFileArguments(bool save, const std::string& start,
                               const std::vector<std::string>& extensions) {
  Arguments arguments{"kdialog", save ? "--getsavefilename" : "--getopenfilename", start};
  if (!extensions.empty()) arguments.push_back(Patterns(extensions, " "));
  return arguments;
}

bool HasExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
}

// The answer as a chosen file: an absolute path that fits the callers' buffers, with the
// default extension added to a name saved without one; empty otherwise.
std::string ChosenPath(std::string answer, bool save, const std::vector<std::string>& extensions) {
  if (!IsAbsolutePath(answer)) return {};
  if (save && !extensions.empty() && !HasExtension(answer)) answer += "." + extensions[0];
  return answer.size() <= kMaxPathLength ? answer : std::string();
}

std::string HexColour(const RgbColour& colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red & 0xFF, colour.green & 0xFF,
                colour.blue & 0xFF);
  return text;
}

Arguments ZenityColourArguments(const RgbColour& colour, const std::string& prompt) {
  Arguments arguments{"zenity", "--color-selection",
                      "--color=rgb(" + std::to_string(colour.red & 0xFF) + "," +
                          std::to_string(colour.green & 0xFF) + "," +
                          std::to_string(colour.blue & 0xFF) + ")"};
  if (!prompt.empty()) arguments.push_back("--title=" + prompt);
  return arguments;
}

Arguments KdialogColourArguments(const RgbColour& colour, const std::string& prompt) {
  Arguments arguments{"kdialog", "--getcolor", "--default", HexColour(colour)};
  if (!prompt.empty()) arguments.insert(arguments.end(), {"--title", prompt});
  return arguments;
}

bool InByteRange(int value) { return value >= 0 && value <= 255; }

// "rgb(r,g,b)" or "rgba(r,g,b,a)", the alpha ignored.
bool ParseRgbFunction(const std::string& text, RgbColour& colour) {
  int red = -1, green = -1, blue = -1;
  const bool matched = std::sscanf(text.c_str(), "rgb(%d,%d,%d)", &red, &green, &blue) == 3 ||
                       std::sscanf(text.c_str(), "rgba(%d,%d,%d,", &red, &green, &blue) == 3;
  if (!matched || !InByteRange(red) || !InByteRange(green) || !InByteRange(blue)) return false;
  colour = {red, green, blue};
  return true;
}

// "#rrggbb", or "#rrrrggggbbbb" with 16 bits a component of which the high 8 count.
bool ParseHexColour(const std::string& text, RgbColour& colour) {
  if ((text.size() != 7 && text.size() != 13) || text[0] != '#') return false;
  for (size_t i = 1; i < text.size(); ++i) {
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  const size_t digits = (text.size() - 1) / 3;
  auto component = [&](size_t index) {
    return std::stoi(text.substr(1 + index * digits, 2), nullptr, 16);
  };
  colour = {component(0), component(1), component(2)};
  return true;
}
}  // namespace

bool ChooseFileWithDesktop(std::string& fileName, bool save, std::string& folder,
                           const char* extensions, const WaitPump& pump) {
  if (folder.empty()) folder = DesktopFolder();
  const std::string start = IsAbsolutePath(fileName) ? fileName : folder + fileName;
  const std::vector<std::string> words = ExtensionWords(extensions);
  const std::string answer = RunInstalledDialog(ZenityFileArguments(save, start, words),
                                                KdialogFileArguments(save, start, words), pump);
  fileName = ChosenPath(answer, save, words);
  if (fileName.empty()) return false;
  folder = FolderOfPath(fileName);
  return true;
}

bool ChooseColourWithDesktop(RgbColour& colour, const char* prompt, const WaitPump& pump) {
  const std::string title = prompt != nullptr ? prompt : "";
  const std::string answer = RunInstalledDialog(ZenityColourArguments(colour, title),
                                                KdialogColourArguments(colour, title), pump);
  return ParseRgbFunction(answer, colour) || ParseHexColour(answer, colour);
}
