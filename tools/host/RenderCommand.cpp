#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tools/host/AudioFile.h"
#include "tools/host/Commands.h"
#include "tools/host/DemoSignal.h"
#include "tools/host/LevelMeter.h"
#include "tools/host/MidiFeed.h"
#include "tools/host/MidiFile.h"
#include "tools/host/PluginModule.h"
#include "tools/host/PluginSetup.h"
#include "tools/host/Renderer.h"
#include "tools/host/SafeOutputFile.h"
#include "tools/host/SilentSource.h"

namespace {

// Files shorter than this render too fast for a progress display to help.
constexpr double kProgressSeconds = 10.0;

// The input file; without one, silence at the demo signal's rate as long as the MIDI
// messages (when there is a MIDI file), or else the demo signal.
std::unique_ptr<AudioSource> OpenSource(const CommandLine& line, const std::vector<MidiMessage>& messages,
                                        int* subtype, std::string* error) {
  const std::string& path = line.inputPath;
  if (path.empty()) {
    *subtype = SF_FORMAT_PCM_24;
    if (line.midiPath.empty()) return std::make_unique<DemoSignal>();
    const double seconds = messages.empty() ? 0.0 : messages.back().seconds;
    return std::make_unique<SilentSource>(DemoSignal::kSampleRate,
                                          std::llround(seconds * DemoSignal::kSampleRate) + 1);
  }
  std::unique_ptr<AudioFileReader> reader = AudioFileReader::Open(path, error);
  if (!reader) return nullptr;
  if (reader->Channels() > 2) {
    *error = path + " has " + std::to_string(reader->Channels()) + " channels; a mono or stereo file is needed";
    return nullptr;
  }
  *subtype = reader->Subtype();
  return reader;
}

// The effect's name, or the module's path for an effect without one.
std::string PluginName(const PluginModule& module) {
  const std::string name = module.QueryText(effGetEffectName);
  return name.empty() ? module.Path() : name;
}

bool TakesMidi(const PluginModule& module) {
  std::string question = "receiveVstMidiEvent";
  return module.Dispatch(effCanDo, 0, 0, &question[0]) > 0;
}

// The opened plug-in at position of the chain, and for a plug-in with one input and one
// output (or when --mono each asks for it) a second instance, so that each channel has
// one of its own.
bool LoadInstances(const CommandLine& line, const std::string& path, size_t position,
                   std::vector<std::unique_ptr<PluginModule>>* instances, std::string* error) {
  for (;;) {
    std::unique_ptr<PluginModule> module = PluginModule::Load(path, error);
    if (!module) return false;
    module->Open();
    const AEffect& effect = module->Effect();
    if (effect.numInputs <= 0 && position > 0) {
      *error = PluginName(*module) + " has no audio inputs; only the first module of a chain can be an instrument";
      return false;
    }
    if (effect.numInputs <= 0 && line.midiPath.empty()) {
      *error = PluginName(*module) + " is an instrument (no audio inputs); give it notes with --midi FILE.mid";
      return false;
    }
    if (position == 0 && !line.midiPath.empty() && !TakesMidi(*module)) {
      *error = PluginName(*module) + " does not take MIDI (it does not answer yes to receiveVstMidiEvent)";
      return false;
    }
    instances->push_back(std::move(module));
    const bool monoEach = line.monoMode == CommandLine::MonoMode::Each ||
                          (line.monoMode == CommandLine::MonoMode::Default && effect.numOutputs == 1);
    if (effect.numInputs != 1 || !monoEach || instances->size() == 2) return true;
  }
}

// The tail asked for, else the sum of those the plug-ins report (effGetTailSize answers
// 0 when it does not know and 1 for none), at most kMaxTailSeconds.
int64_t TailFrames(const CommandLine& line, const std::vector<PluginModule*>& modules, double sampleRate) {
  if (line.tailSeconds >= 0.0) return std::llround(line.tailSeconds * sampleRate);
  int64_t tail = 0;
  for (const PluginModule* module : modules) {
    const auto reported = static_cast<int64_t>(module->Dispatch(effGetTailSize));
    if (reported > 1) tail += reported;
  }
  return std::min(tail, static_cast<int64_t>(std::llround(kMaxTailSeconds * sampleRate)));
}

// The tail and the latency, where there are any.
void PrintTiming(const Renderer& renderer) {
  if (renderer.TailFrames() > 0) {
    std::printf("%-7s %lld frames after the input\n", "tail", static_cast<long long>(renderer.TailFrames()));
  }
  if (renderer.Latency() > 0) {
    std::printf("%-7s %lld frames %s\n", "latency", static_cast<long long>(renderer.Latency()),
                renderer.CompensatesLatency() ? "taken out" : "kept in the output");
  }
}

// One line on stderr for each kind of pin that the render leaves unused.
void NoteUnusedPins(const AEffect& effect, size_t instances) {
  if (effect.numInputs > 2) {
    std::fprintf(stderr, "tessaly-host: note: the plug-in's inputs 3 to %d get silence\n", effect.numInputs);
  }
  if (effect.numOutputs > 2) {
    std::fprintf(stderr, "tessaly-host: note: only the first 2 of the plug-in's %d outputs are written\n",
                 effect.numOutputs);
  }
  if (instances == 2 && effect.numOutputs == 2) {
    std::fprintf(stderr, "tessaly-host: note: each channel has an instance of its own; their second outputs "
                         "are not written (--mono sum feeds one instance)\n");
  }
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

std::string SourceName(const CommandLine& line) {
  const std::string input = line.inputPath == "-" ? "standard input" : line.inputPath;
  if (!input.empty()) return input + (line.midiPath.empty() ? "" : " and " + line.midiPath);
  return line.midiPath.empty() ? "the demo signal" : line.midiPath;
}

void PrintReport(const CommandLine& line, const std::vector<PluginModule*>& modules, const AudioSource& source,
                 const Renderer& renderer, const LevelMeter& input, const LevelMeter& output) {
  std::string names;
  for (const PluginModule* module : modules) names += (names.empty() ? "" : " -> ") + PluginName(*module);
  std::printf("rendered %s through %s: %lld frames at %g Hz, %d-frame blocks, %s\n",
              SourceName(line).c_str(), names.c_str(),
              static_cast<long long>(renderer.SourceFrames()), source.SampleRate(), line.blockSize,
              line.useDouble ? "64-bit" : "32-bit");
  PrintTiming(renderer);
  const bool playedOnly = line.inputPath.empty() && !line.midiPath.empty();
  if (!playedOnly) PrintLevels("input", input);
  PrintLevels("output", output);
  std::string change = "change  mid " + ChangeText(input.MidDb(), output.MidDb()) + "   side " +
                       ChangeText(input.SideDb(), output.SideDb());
  change.erase(change.find_last_not_of(' ') + 1);
  if (!playedOnly) std::printf("%s\n", change.c_str());
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
  // Standard output is written as it comes; it has no earlier content to keep.
  const bool toStandardOutput = line.outputPath == "-";
  SafeOutputFile file;
  std::vector<std::string> inputs = {line.inputPath, line.statePath, line.midiPath};
  for (const ParameterSetting& state : line.chainedStates) inputs.push_back(state.value);
  if (!toStandardOutput && !file.Open(line.outputPath, inputs, error)) return false;
  std::vector<MidiMessage> messages;
  if (!line.midiPath.empty() && !ReadMidiFile(line.midiPath, &messages, error)) return false;
  int subtype = 0;
  std::unique_ptr<AudioSource> source = OpenSource(line, messages, &subtype, error);
  if (!source) return false;
  std::vector<std::string> paths = {line.modulePath};
  paths.insert(paths.end(), line.chainedPaths.begin(), line.chainedPaths.end());
  std::vector<std::vector<std::unique_ptr<PluginModule>>> instances(paths.size());
  std::vector<std::vector<PluginModule*>> stages(paths.size());
  std::vector<PluginModule*> firsts;
  for (size_t i = 0; i < paths.size(); ++i) {
    if (!LoadInstances(line, paths[i], i, &instances[i], error)) return false;
    for (const auto& instance : instances[i]) stages[i].push_back(instance.get());
    firsts.push_back(stages[i][0]);
  }
  Renderer renderer(stages, line.blockSize, line.useDouble);
  if (!renderer.CanRender(error)) return false;
  renderer.Prepare(source->SampleRate());
  renderer.SetTail(TailFrames(line, firsts, source->SampleRate()));
  renderer.SetLatencyCompensation(!line.keepLatency);
  if (!line.midiPath.empty()) renderer.SetMidi(std::make_unique<MidiFeed>(messages, source->SampleRate()));
  for (size_t i = 0; i < stages.size(); ++i) {
    for (PluginModule* module : stages[i]) {
      if (!ConfigureChainedPlugin(*module, line, i, stages.size(), error)) return false;
    }
    ShowConfiguration(*firsts[i], line);
    if (line.verbosity != CommandLine::Verbosity::Quiet) NoteUnusedPins(firsts[i]->Effect(), stages[i].size());
  }
  const SampleQuantiser::Dither dither =
      line.dither ? SampleQuantiser::Dither::Triangular : SampleQuantiser::Dither::None;
  std::unique_ptr<AudioFileWriter> sink =
      AudioFileWriter::Create(toStandardOutput ? STDOUT_FILENO : file.Descriptor(), line.outputPath, line.type, 2,
                              static_cast<int>(source->SampleRate()), line.floatOutput ? SF_FORMAT_FLOAT : subtype,
                              dither, error);
  if (!sink) return false;
  const bool showProgress = isatty(STDERR_FILENO) && source->TotalFrames() > kProgressSeconds * source->SampleRate();
  LevelMeter input;
  LevelMeter output;
  if (!renderer.Run(*source, *sink, &input, &output, showProgress, error)) return false;
  if (!toStandardOutput && !file.Commit(error)) return false;
  if (line.verbosity != CommandLine::Verbosity::Quiet && !toStandardOutput) {
    PrintReport(line, firsts, *source, renderer, input, output);
  }
  WarnOfClipping(sink->Quantiser());
  return true;
}
