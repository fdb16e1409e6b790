// tessaly-host: a command-line VST 2.4 host that loads a Linux module through its exported
// entry point, shows what it offers, renders audio through it, saves its state and opens
// its editor.

#include <cstdio>
#include <string>

#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"

int main(int argc, char** argv) {
  CommandLine line;
  std::string error;
  if (!ParseCommandLine(argc, argv, TESSALY_DEFAULT_MODULE, &line, &error)) {
    std::fprintf(stderr, "tessaly-host: %s\n", error.c_str());
    return 2;
  }
  bool ok = true;
  switch (line.command) {
    case CommandLine::Command::Help:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Command::Info:
      ok = RunInfo(line, &error);
      break;
    case CommandLine::Command::Params:
      ok = RunParams(line, &error);
      break;
    case CommandLine::Command::Presets:
      ok = RunPresets(line, &error);
      break;
    case CommandLine::Command::Render:
      ok = RunRender(line, &error);
      break;
    case CommandLine::Command::SaveState:
      ok = RunSaveState(line, &error);
      break;
    case CommandLine::Command::Edit:
      ok = RunEdit(line, &error);
      break;
  }
  if (!ok) {
    std::fprintf(stderr, "tessaly-host: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
