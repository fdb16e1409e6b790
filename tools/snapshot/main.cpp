// tessaly-snapshot: draws Tessaly's editor off-screen, at any parameter setting, and
// writes it as a PNG picture.

#include <cstdio>
#include <string>
#include <vector>

#include "effect/Tessaly.h"
#include "host/VstEntry.h"
#include "raster/PngWriter.h"
#include "tools/host/ParameterSettings.h"
#include "tools/host/ProgramSelection.h"
#include "tools/host/SafeOutputFile.h"
#include "tools/snapshot/EditorPicture.h"
#include "tools/snapshot/SnapshotOptions.h"

namespace {
IEffectVST* CreateTessaly(audioMasterCallback host) { return new Tessaly(host); }

AEffect* TessalyEntry(audioMasterCallback host) { return CreateVstEffect(host, CreateTessaly); }

bool Configure(PluginModule& module, const SnapshotOptions& options, std::string* error) {
  module.Open();
  if (!options.preset.empty() && !SelectProgram(module, options.preset, error)) return false;
  return ApplySettings(module, options.settings, error);
}

bool WritePicture(const PIX_MemBitmap& picture, const std::string& path, std::string* error) {
  std::vector<unsigned char> bytes;
  if (!PIX_EncodePng(picture, &bytes)) {
    *error = "cannot encode the picture";
    return false;
  }
  SafeOutputFile file;
  return file.Open(path, {}, error) && file.Write(bytes.data(), bytes.size(), error) &&
         file.Commit(error);
}

bool Run(const SnapshotOptions& options, std::string* error) {
  std::unique_ptr<PluginModule> module = PluginModule::Create("Tessaly", TessalyEntry, error);
  if (!module || !Configure(*module, options, error)) return false;
  PIX_MemBitmap picture;
  if (!DrawEditorPicture(*module, options.scale, &picture, error)) return false;
  if (!WritePicture(picture, options.outputPath, error)) return false;
  std::printf("wrote %s (%d x %d)\n", options.outputPath.c_str(), picture.Width(), picture.Height());
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  SnapshotOptions options;
  std::string error;
  if (!ParseSnapshotOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "tessaly-snapshot: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(SnapshotUsage().c_str(), stdout);
    return 0;
  }
  if (!Run(options, &error)) {
    std::fprintf(stderr, "tessaly-snapshot: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
