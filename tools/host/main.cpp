// tessaly-host: a command-line VST 2.4 host that loads a Linux module through its exported
// entry point, shows what it offers, renders audio through it, saves its state and opens
// its editor.

#include <cstdio>
#include <string>

#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/ModuleSearch.h"

namespace {

bool RunCommand(CommandLine& line, std::string* error) {
  if (line.command == CommandLine::Command::List) return RunList(line, error);
  if (!LocateModule(line.modulePath, &line.modulePath, error)) return false;
  for (std::string& path : line.chainedPaths) {
    if (!LocateModule(path, &path, error)) return false;
  }
  switch (line.command) {
    case CommandLine::Command::Info: return RunInfo(line, error);
    case CommandLine::Command::Params: return RunParams(line, error);
    case CommandLine::Command::Presets: return RunPresets(line, error);
    case CommandLine::Command::Render: return RunRender(line, error);
    case CommandLine::Command::SaveState: return RunSaveState(line, error);
    case CommandLine::Command::Edit: return RunEdit(line, error);
    default: return true;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(UsageText().c_str(), stderr);
    return 1;
  }
  CommandLine line;
  std::string error;
  if (!ParseCommandLine(argc, argv, &line, &error)) {
    std::fprintf(stderr, "tessaly-host: %s\n", error.c_str());
    return 2;
  }
  if (line.command == CommandLine::Command::Help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (line.command == CommandLine::Command::Version) {
    std::printf("tessaly-host %s\n", TESSALY_VERSION);
    return 0;
  }
  if (!RunCommand(line, &error)) {
    std::fprintf(stderr, "tessaly-host: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
