#include <unistd.h>

#include <cmath>
#include <cstdio>

#include "tools/host/AudioFile.h"
#include "tools/host/Commands.h"
#include "tools/host/DemoSignal.h"
#include "tools/host/LevelMeter.h"
#include "tools/host/PluginModule.h"
#include "tools/host/PluginSetup.h"
#include "tools/host/Renderer.h"
#include "tools/host/SafeOutputFile.h"

namespace {

// Files shorter than this render too fast for a progress display to help.
constexpr double kProgressSeconds = 10.0;

std::unique_ptr<AudioSource> OpenSource(const std::string& path, int* subtype, std::string* error) {
  if (path.empty()) {
    *subtype = SF_FORMAT_PCM_24;
    return std::make_unique<DemoSignal>();
  }
  std::unique_ptr<AudioFileReader> reader = AudioFileReader::Open(path, error);
  if (!reader) return nullptr;
  if (reader->Channels() != 2) {
    *error = path + " has " + std::to_string(reader->Channels()) + (reader->Channels() == 1 ? " channel" : " channels") +
             "; a stereo file is needed";
    return nullptr;
  }
  *subtype = reader->Subtype();
  return reader;
}

// A level in dB to two decimals, without a minus sign on what rounds to zero.
std::string DbText(double db, const char* format) {
  if (std::isinf(db)) return db < 0 ? "    -inf dB" : "    +inf dB";
  char text[32];
  std::snprintf(text, sizeof text, format, std::fabs(db) < 0.005 ? 0.0 : db);
  return text;
}

void PrintLevels(const char* what, const LevelMeter& meter) {
  std::printf("%-7s mid %s   side %s\n", what, DbText(meter.MidDb(), "%8.2f dB").c_str(),
              DbText(meter.SideDb(), "%8.2f dB").c_str());
}

std::string ChangeText(double before, double after) {
  if (!std::isfinite(before) || !std::isfinite(after)) return "     n/a   ";
  return DbText(after - before, "%+8.2f dB");
}

// The effect's name, or the module's path for an effect without one.
std::string PluginName(const PluginModule& module) {
  const std::string name = module.QueryText(effGetEffectName);
  return name.empty() ? module.Path() : name;
}

void PrintReport(const CommandLine& line, const PluginModule& module, const AudioSource& source,
                 const LevelMeter& input, const LevelMeter& output) {
  std::printf("rendered %s through %s: %lld frames at %g Hz, %d-frame blocks, %s\n",
              line.inputPath.empty() ? "the demo signal" : line.inputPath.c_str(), PluginName(module).c_str(),
              static_cast<long long>(source.TotalFrames()), source.SampleRate(), line.blockSize,
              line.useDouble ? "64-bit" : "32-bit");
  PrintLevels("input", input);
  PrintLevels("output", output);
  std::string change = "change  mid " + ChangeText(input.MidDb(), output.MidDb()) + "   side " +
                       ChangeText(input.SideDb(), output.SideDb());
  change.erase(change.find_last_not_of(' ') + 1);
  std::printf("%s\n", change.c_str());
  std::printf("wrote %s\n", line.outputPath.c_str());
}

// On stderr, so that it shows also where the report goes to a file.
void WarnOfClipping(const SampleQuantiser& quantiser) {
  if (quantiser.ClippedSamples() == 0) return;
  std::fflush(stdout);
  std::fprintf(stderr,
               "tessaly-host: warning: clipped %lld samples; peak %+.1f dBFS; consider a lower level with --set "
               "or a float output with --float\n",
               static_cast<long long>(quantiser.ClippedSamples()), quantiser.PeakDb());
}

}  // namespace

bool RunRender(const CommandLine& line, std::string* error) {
  SafeOutputFile file;
  if (!file.Open(line.outputPath, {line.inputPath, line.statePath}, error)) return false;
  int subtype = 0;
  std::unique_ptr<AudioSource> source = OpenSource(line.inputPath, &subtype, error);
  if (!source) return false;
  std::unique_ptr<PluginModule> module = PluginModule::Load(line.modulePath, error);
  if (!module) return false;
  module->Open();
  Renderer renderer(*module, line.blockSize, line.useDouble);
  if (!renderer.CanRender(error)) return false;
  renderer.Prepare(source->SampleRate());
  if (!ConfigurePlugin(*module, line, error)) return false;
  ShowConfiguration(*module, line);
  const SampleQuantiser::Dither dither =
      line.dither ? SampleQuantiser::Dither::Triangular : SampleQuantiser::Dither::None;
  std::unique_ptr<AudioFileWriter> sink =
      AudioFileWriter::Create(file.Descriptor(), line.outputPath, 2, static_cast<int>(source->SampleRate()),
                              line.floatOutput ? SF_FORMAT_FLOAT : subtype, dither, error);
  if (!sink) return false;
  const bool showProgress = isatty(STDERR_FILENO) && source->TotalFrames() > kProgressSeconds * source->SampleRate();
  LevelMeter input;
  LevelMeter output;
  if (!renderer.Run(*source, *sink, &input, &output, showProgress, error) || !file.Commit(error)) return false;
  if (line.verbosity != CommandLine::Verbosity::Quiet) {
    PrintReport(line, *module, *source, input, output);
  }
  WarnOfClipping(sink->Quantiser());
  return true;
}
