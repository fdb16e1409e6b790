#include "tools/host/ModuleInfo.h"

#include <cstdio>
#include <string>

#include "platform/DisplayProbe.h"
#include "tools/host/FourCc.h"
#include "tools/host/JsonText.h"
#include "tools/host/ParameterSettings.h"

namespace {

// Capability questions that hosts commonly put to plug-ins.
constexpr const char* kCapabilityQuestions[] = {
    "sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
    "offline",       "midiProgramNames", "bypass",           "noRealTime",          "plugAsChannelInsert",
    "plugAsSend",    "mixDryWet",        "1in1out",          "1in2out",             "2in1out",
    "2in2out",       "2in4out",          "4in2out",          "4in4out",             "4in8out",
    "8in4out",       "8in8out"};

constexpr const char* kCategoryNames[] = {"unknown",     "effect",     "instrument",    "analysis",
                                          "mastering",   "spatialiser", "room effect", "surround effect",
                                          "restoration", "offline",    "shell",         "generator"};

struct FlagName {
  int32_t bit;
  const char* name;
};
constexpr FlagName kFlagNames[] = {{effFlagsHasEditor, "editor"},
                                   {effFlagsCanMono, "can mono"},
                                   {effFlagsCanReplacing, "32-bit replacing"},
                                   {effFlagsProgramChunks, "program chunks"},
                                   {effFlagsIsSynth, "instrument"},
                                   {effFlagsNoSoundInStop, "no sound in stop"},
                                   {effFlagsCanDoubleReplacing, "64-bit replacing"}};

// The raw number, and for values from 0x10000 on, where the packed-bytes reading is the
// only sensible one, major.minor.patch from its bytes. Smaller values are written both
// as decimal digits and as bytes by different modules, so they are left as they are.
std::string VersionText(intptr_t version) {
  const std::string raw = std::to_string(version);
  if (version < 0x10000 || version > 0x7FFFFFFF) return raw;
  return raw + " (" + std::to_string(version >> 16 & 0xFF) + "." + std::to_string(version >> 8 & 0xFF) + "." +
         std::to_string(version & 0xFF) + ")";
}

// A text the plug-in gave, or a note that it gave none.
std::string GivenText(const std::string& text) { return text.empty() ? "(none)" : text; }

const char* CategoryName(intptr_t category) {
  const auto count = static_cast<intptr_t>(sizeof kCategoryNames / sizeof kCategoryNames[0]);
  return category >= 0 && category < count ? kCategoryNames[category] : "?";
}

std::string CategoryText(intptr_t category) {
  return std::string(CategoryName(category)) + " (" + std::to_string(category) + ")";
}

std::string FlagsText(int32_t flags) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(flags));
  std::string text = hex;
  const char* separator = ": ";
  for (const FlagName& flag : kFlagNames) {
    if (flags & flag.bit) {
      text += separator;
      text += flag.name;
      separator = ", ";
    }
  }
  return text;
}

const char* AnswerText(intptr_t answer) {
  switch (answer) {
    case 1: return "yes";
    case -1: return "no";
    case 0: return "don't know";
    default: return nullptr;
  }
}

void PrintPins(const PluginModule& module, int32_t opcode, int count, const char* heading) {
  std::printf("%-15s %d\n", heading, count);
  for (int i = 0; i < count; ++i) {
    VstPinProperties pin{};
    if (!module.Dispatch(opcode, i, 0, &pin)) continue;
    pin.label[sizeof pin.label - 1] = '\0';
    std::printf("  %-13s %s%s\n", pin.label, pin.flags & kVstPinIsActive ? "active" : "inactive",
                pin.flags & kVstPinIsStereo ? ", first of a stereo pair" : "");
  }
}

// Editors are asked for their size only where a display is there: hosts ask just before
// opening the window, and some editors fault without a display.
void PrintEditor(const PluginModule& module) {
  if (!(module.Effect().flags & effFlagsHasEditor)) {
    std::printf("%-15s none\n", "editor");
    return;
  }
  if (!CanOpenDisplay()) {
    std::printf("%-15s yes, size unknown (no display)\n", "editor");
    return;
  }
  ERect* rect = nullptr;
  if (!module.Dispatch(effEditGetRect, 0, 0, &rect) || !rect) {
    std::printf("%-15s yes, size unknown (not given before opening)\n", "editor");
    return;
  }
  std::printf("%-15s %d x %d\n", "editor", rect->right - rect->left, rect->bottom - rect->top);
}

// Hands what was printed so far to the terminal or file, so that it is kept when the
// plug-in crashes in a later question.
void EndSection() { std::fflush(stdout); }


intptr_t Ask(const PluginModule& module, const char* question) {
  std::string text = question;
  return module.Dispatch(effCanDo, 0, 0, &text[0]);
}

void PrintCapabilities(const PluginModule& module) {
  std::printf("capabilities\n");
  for (const char* question : kCapabilityQuestions) {
    const intptr_t answer = Ask(module, question);
    const char* answerText = AnswerText(answer);
    if (answerText) {
      std::printf("  %-20s %s\n", question, answerText);
    } else {
      std::printf("  %-20s 0x%llX\n", question, static_cast<unsigned long long>(answer));
    }
  }
}

void PrintRequests(const char* heading, const std::vector<HostRequest>& requests) {
  std::printf("%s: %zu\n", heading, requests.size());
  for (const HostRequest& request : requests) {
    std::printf("  %-34s (%2d) index %d value %lld -> %lld", HostServices::OpcodeName(request.opcode),
                request.opcode, request.index, static_cast<long long>(request.value),
                static_cast<long long>(request.answer));
    if (!request.text.empty()) std::printf(" \"%s\"", request.text.c_str());
    std::printf("\n");
  }
}

std::string JsonParameters(const PluginModule& module) {
  std::string json = "[";
  AEffect& effect = module.Effect();
  for (int i = 0; i < module.ParameterCount(); ++i) {
    char normalised[32];
    std::snprintf(normalised, sizeof normalised, "%.9g", effect.getParameter ? effect.getParameter(&effect, i) : 0.0f);
    json += std::string(i ? ", " : "") + "{\"index\": " + std::to_string(i) +
            ", \"name\": " + JsonString(module.ParameterName(i)) + ", \"display\": " +
            JsonString(module.ParameterDisplay(i)) + ", \"label\": " + JsonString(module.ParameterLabel(i)) +
            ", \"normalised\": " + normalised + ", \"textEntry\": " + (TakesText(module, i) ? "true" : "false") + "}";
  }
  return json + "]";
}

std::string JsonPrograms(const PluginModule& module) {
  std::string json = "[";
  for (int i = 0; i < module.ProgramCount(); ++i) json += (i ? ", " : "") + JsonString(module.ProgramName(i));
  return json + "]";
}

std::string JsonCapabilities(const PluginModule& module) {
  std::string json = "{";
  for (const char* question : kCapabilityQuestions) {
    json += (json.size() > 1 ? ", " : "") + JsonString(question) + ": " + std::to_string(Ask(module, question));
  }
  return json + "}";
}

}  // namespace

void PrintModuleInfoJson(const PluginModule& module) {
  const AEffect& effect = module.Effect();
  const auto number = [](intptr_t value) { return std::to_string(static_cast<long long>(value)); };
  std::printf("{\n");
  std::printf("  \"module\": %s,\n", JsonString(module.Path()).c_str());
  std::printf("  \"effectName\": %s,\n", JsonString(module.QueryText(effGetEffectName)).c_str());
  std::printf("  \"vendor\": %s,\n", JsonString(module.QueryText(effGetVendorString)).c_str());
  std::printf("  \"product\": %s,\n", JsonString(module.QueryText(effGetProductString)).c_str());
  std::printf("  \"vendorVersion\": %s,\n", number(module.Dispatch(effGetVendorVersion)).c_str());
  std::printf("  \"version\": %s,\n", number(effect.version).c_str());
  std::printf("  \"vstVersion\": %s,\n", number(module.Dispatch(effGetVstVersion)).c_str());
  std::printf("  \"uniqueId\": %s,\n", number(effect.uniqueID).c_str());
  std::printf("  \"uniqueIdText\": %s,\n", JsonString(FourCcText(effect.uniqueID)).c_str());
  std::printf("  \"category\": %s,\n", JsonString(CategoryName(module.Dispatch(effGetPlugCategory))).c_str());
  std::printf("  \"inputs\": %d,\n  \"outputs\": %d,\n", effect.numInputs, effect.numOutputs);
  std::printf("  \"flags\": %d,\n", effect.flags);
  std::printf("  \"editor\": %s,\n", effect.flags & effFlagsHasEditor ? "true" : "false");
  std::printf("  \"instrument\": %s,\n", effect.flags & effFlagsIsSynth ? "true" : "false");
  std::printf("  \"latency\": %d,\n", effect.initialDelay);
  std::printf("  \"tail\": %s,\n", number(module.Dispatch(effGetTailSize)).c_str());
  std::printf("  \"parameters\": %s,\n", JsonParameters(module).c_str());
  std::printf("  \"programs\": %s,\n", JsonPrograms(module).c_str());
  std::printf("  \"currentProgram\": %s,\n", number(module.Dispatch(effGetProgram)).c_str());
  std::printf("  \"capabilities\": %s\n", JsonCapabilities(module).c_str());
  std::printf("}\n");
}

void PrintModuleInfo(const PluginModule& module, const std::vector<HostRequest>& creationRequests,
                     const std::vector<HostRequest>& openRequests) {
  const AEffect& effect = module.Effect();
  std::printf("%-15s %s\n", "module", module.Path().c_str());
  std::printf("%-15s %s\n", "effect name", GivenText(module.QueryText(effGetEffectName)).c_str());
  std::printf("%-15s %s\n", "vendor", GivenText(module.QueryText(effGetVendorString)).c_str());
  std::printf("%-15s %s\n", "product", GivenText(module.QueryText(effGetProductString)).c_str());
  std::printf("%-15s %s\n", "vendor version", VersionText(module.Dispatch(effGetVendorVersion)).c_str());
  std::printf("%-15s %s\n", "version", VersionText(effect.version).c_str());
  std::printf("%-15s %lld\n", "VST version", static_cast<long long>(module.Dispatch(effGetVstVersion)));
  std::printf("%-15s %s\n", "unique ID", FourCcText(effect.uniqueID).c_str());
  std::printf("%-15s %s\n", "category", CategoryText(module.Dispatch(effGetPlugCategory)).c_str());
  EndSection();
  PrintPins(module, effGetInputProperties, effect.numInputs, "inputs");
  PrintPins(module, effGetOutputProperties, effect.numOutputs, "outputs");
  EndSection();
  std::printf("%-15s %s\n", "flags", FlagsText(effect.flags).c_str());
  std::printf("%-15s %d samples\n", "latency", effect.initialDelay);
  std::printf("%-15s %lld samples\n", "tail", static_cast<long long>(module.Dispatch(effGetTailSize)));
  EndSection();
  PrintEditor(module);
  EndSection();
  PrintParameters(module);
  EndSection();
  std::printf("%-15s %d\n", "programs", module.ProgramCount());
  PrintPrograms(module);
  EndSection();
  PrintCapabilities(module);
  EndSection();
  if (!creationRequests.empty()) PrintRequests("host requests while creating", creationRequests);
  PrintRequests("host requests during effOpen", openRequests);
  EndSection();
}

void PrintParameters(const PluginModule& module) {
  std::printf("%-15s %d\n", "parameters", module.ParameterCount());
  if (module.ParameterCount() == 0) return;
  std::printf("  %5s  %-16s %-14s %-10s %s\n", "index", "name", "value", "normalised", "text entry");
  for (int i = 0; i < module.ParameterCount(); ++i) {
    const std::string value = module.ParameterText(i);
    AEffect& effect = module.Effect();
    const float normalised = effect.getParameter ? effect.getParameter(&effect, i) : 0.0f;
    std::printf("  %5d  %-16s %-14s %-10.4f %s%s\n", i, module.ParameterName(i).c_str(), value.c_str(), normalised,
                TakesText(module, i) ? "yes" : "no (give 0..1)",
                module.Dispatch(effCanBeAutomated, i) ? "" : ", not automatable");
  }
}

void PrintPrograms(const PluginModule& module) {
  if (module.ProgramCount() <= 0) {
    std::printf("  (no programs)\n");
    return;
  }
  const intptr_t current = module.Dispatch(effGetProgram);
  for (int i = 0; i < module.ProgramCount(); ++i) {
    std::printf("  %3d%s %s\n", i, i == current ? "*" : " ", module.ProgramName(i).c_str());
  }
}
