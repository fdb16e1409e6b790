#include "host/VstDispatcher.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/PlugTrace.h"
#include "core/TextField.h"
#include "host/EffectVST.h"
#include "host/ExceptionBarrier.h"

namespace {
constexpr intptr_t kIdentifyAnswer = 0x4E764566;  // 'NvEf'
constexpr intptr_t kVendorSpecificYes = 0xBEEF;
constexpr intptr_t kHostExtensionYes = 0xBEEF0000;
constexpr intptr_t kVstVersion = 2400;
constexpr int32_t kVendorDisplayText = 7;
constexpr int32_t kVendorIsIntegerParameter = 8;
constexpr int kHostExtensionsBit = 1;
constexpr int kHostViewAsConfigBit = 2;
constexpr int kChunkFormatWithBank = IStateChunk::kFormatVersion;
constexpr int kPcVirtualLeft = 37;  // then up, right and down

// Sizes in bytes, terminator included, of the buffers hosts hand over for texts.
constexpr int kEffectNameBytes = kVstMaxEffectNameLen;
constexpr int kVendorBytes = kVstMaxVendorStrLen;
constexpr int kProductBytes = kVstMaxProductStrLen;
constexpr int kProgramNameBytes = kVstMaxProgNameLen + 1;
constexpr int kParamTextBytes = kVstMaxParamStrLen;  // labels and display texts
// The interface gives parameter names kVstMaxParamStrLen bytes as well, but hosts in
// practice pass larger buffers for names and show them longer; names are cut at 16.
constexpr int kParamNameBytes = 16;

// Everything a request handler needs: the plug-in and the dispatcher's arguments.
struct Request {
  IEffectVST& plugin;
  int32_t index;
  intptr_t value;
  void* ptr;
  float opt;

  char* Text() const { return static_cast<char*>(ptr); }
  IEffectParameter* Param() const { return plugin.Parameter(index); }
};

// Copies text into the host's buffer of size bytes, cut to fit and always terminated.
// Texts can come from the host or from a restored chunk and be of any length.
intptr_t CopyText(const Request& r, const char* text, int size) {
  if (r.ptr == nullptr) return 0;
  CopyField(r.Text(), size, text);
  return 1;
}

intptr_t Open(const Request& r) {
  r.plugin.PrepareForHost();
  r.plugin.NotifyAllParameters();
  return 0;
}

intptr_t SetProgram(const Request& r) {
  if (!r.plugin.ManualPresetCapture()) r.plugin.ModifyCurrentPreset(nullptr);
  if (r.value >= INT32_MIN && r.value <= INT32_MAX) r.plugin.LoadPreset(static_cast<int>(r.value));
  return 0;
}

intptr_t SetProgramName(const Request& r) {
  if (r.ptr == nullptr) return 0;
  r.plugin.ModifyCurrentPreset(r.Text());
  r.plugin.HandlePresetsChanged();
  return 0;
}

intptr_t GetProgramName(const Request& r) {
  CopyText(r, r.plugin.PresetName(r.plugin.CurrentPreset()), kProgramNameBytes);
  return 0;
}

intptr_t GetParamLabel(const Request& r) {
  if (r.Param() != nullptr) CopyText(r, r.Param()->HostLabel(), kParamTextBytes);
  return 0;
}

void CopyDisplayText(const Request& r, const IEffectParameter& param, bool normalised,
                     double v) {
  char text[IEffectParameter::kDisplaySize];
  param.DisplayTextFor(normalised, text, true, v);
  CopyText(r, text, kParamTextBytes);
}

intptr_t GetParamDisplay(const Request& r) {
  if (r.Param() != nullptr) CopyDisplayText(r, *r.Param(), false, r.Param()->PlainValue());
  return 0;
}

intptr_t GetParamName(const Request& r) {
  if (r.Param() != nullptr) CopyText(r, r.Param()->Name(), kParamNameBytes);
  return 0;
}

intptr_t SetSampleRate(const Request& r) {
  // A rate that is not a positive number tells nothing; keep the one we have.
  if (std::isfinite(r.opt) && r.opt > 0.0f) r.plugin.SetSampleRate(r.opt);
  r.plugin.HandleReset();
  return 0;
}

intptr_t SetBlockSize(const Request& r) {
  // Block sizes below one frame cannot be processed; keep the one we have.
  if (r.value >= 1 && r.value <= INT32_MAX) r.plugin.ChangeBlockSize(static_cast<int>(r.value));
  r.plugin.HandleReset();
  return 0;
}

intptr_t MainsChanged(const Request& r) {
  r.plugin.HandleActivation(r.value != 0);
  if (r.value == 0) r.plugin.HandleReset();
  return 0;
}

intptr_t EditGetRect(const Request& r) {
  if (r.ptr == nullptr || r.plugin.Editor() == nullptr) return 0;
  *static_cast<ERect**>(r.ptr) = r.plugin.EditorRect();
  return 1;
}

intptr_t EditOpen(const Request& r) {
  IEditor* editor = r.plugin.Editor();
  if (editor == nullptr || !editor->OpenEditorWindow(r.ptr)) return 0;
  r.plugin.HandleEditorOpened();
  return 1;
}

intptr_t EditClose(const Request& r) {
  IEditor* editor = r.plugin.Editor();
  if (editor == nullptr) return 0;
  r.plugin.HandleEditorClosing();
  editor->CloseEditorWindow();
  return 1;
}

// On Linux the editor's window lives on the host's calls: events and redraws happen here.
// The editor holds the mutex itself, only while it touches plug-in state, so that the
// audio thread does not wait while pixels go to the X server.
intptr_t EditIdle(IEffectVST& plugin) {
  if (IEditor* editor = plugin.Editor()) editor->Idle();
  return 0;
}

// The PC virtual-key code of a key the host passes on: named keys by their code, the
// others by their character (letters, digits and space only).
int VirtualKeyOf(int32_t character, intptr_t key) {
  switch (key) {
    case VKEY_SPACE: return ' ';
    case VKEY_LEFT: return kPcVirtualLeft;
    case VKEY_UP: return kPcVirtualLeft + 1;
    case VKEY_RIGHT: return kPcVirtualLeft + 2;
    case VKEY_DOWN: return kPcVirtualLeft + 3;
    default: break;
  }
  return character >= 0 && character < 128 && (std::isalnum(character) || character == ' ') ? character : 0;
}

// Some Linux hosts pass keys only this way.
intptr_t EditKeyDown(const Request& r) {
  IEditor* editor = r.plugin.Editor();
  return editor != nullptr && editor->HostKeyPressed(VirtualKeyOf(r.index, r.value)) ? 1 : 0;
}

intptr_t GetChunk(const Request& r) {
  if (r.ptr == nullptr) return 0;
  const bool bank = r.index == 0;
  IStateChunk& chunk = bank ? r.plugin.BankChunk() : r.plugin.ProgramChunk();
  WriteChunkHeader(chunk);
  bool saved;
  if (bank) {
    r.plugin.ModifyCurrentPreset(nullptr);
    saved = r.plugin.SerializePresets(chunk);
  } else {
    saved = r.plugin.SaveState(chunk);
  }
  if (!saved || chunk.ByteCount() == 0) return 0;
  *static_cast<void**>(r.ptr) = chunk.Bytes();
  return chunk.ByteCount();
}

// Hosts may hand back the very bytes effGetChunk gave them; those are copied aside before
// the chunk is resized, which could move them.
bool FillChunk(IStateChunk& chunk, const uint8_t* bytes, int size) {
  const auto address = reinterpret_cast<uintptr_t>(bytes);
  const auto own = reinterpret_cast<uintptr_t>(chunk.Bytes());
  std::vector<uint8_t> aside;
  if (chunk.Bytes() != nullptr && address >= own && address < own + chunk.ByteCount()) {
    aside.assign(bytes, bytes + size);
    bytes = aside.data();
  }
  chunk.ResizeZeroFill(size);
  if (chunk.ByteCount() != size) return false;
  std::memcpy(chunk.Bytes(), bytes, static_cast<size_t>(size));
  return true;
}

intptr_t SetChunk(const Request& r) {
  // A chunk without bytes holds no state: refused before anything is read or reset.
  if (r.ptr == nullptr || r.value <= 0 || r.value > INT32_MAX) return 0;
  const bool bank = r.index == 0;
  IStateChunk& chunk = bank ? r.plugin.BankChunk() : r.plugin.ProgramChunk();
  if (!FillChunk(chunk, static_cast<const uint8_t*>(r.ptr), static_cast<int>(r.value))) return 0;
  int position = 0;
  const int version = ReadChunkHeader(chunk, &position);
  if (bank && version >= kChunkFormatWithBank) {
    position = r.plugin.UnserializePresets(chunk, position);
  } else {
    position = r.plugin.LoadState(chunk, position);
    r.plugin.ModifyCurrentPreset(nullptr);
  }
  if (position < 0) return 0;
  r.plugin.PushParametersToEditor();
  return 1;
}

intptr_t ProcessEvents(const Request& r) {
  const auto* events = static_cast<const VstEvents*>(r.ptr);
  if (events == nullptr) return 0;
  for (int i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = events->events[i];
    if (event == nullptr) continue;
    if (event->type == kVstMidiType) {
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      IMidiMessage message;
      message.offset = midi->deltaFrames;
      message.status = static_cast<uint8_t>(midi->midiData[0]);
      message.data1 = static_cast<uint8_t>(midi->midiData[1]);
      message.data2 = static_cast<uint8_t>(midi->midiData[2]);
      r.plugin.HandleMidiMessage(message);
    } else if (event->type == kVstSysExType) {
      const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
      ISysExMessage message;
      message.offset = sysex->deltaFrames;
      message.size = sysex->dumpBytes;
      message.data = reinterpret_cast<const uint8_t*>(sysex->sysexDump);
      r.plugin.HandleSysEx(message);
    }
  }
  return 1;
}

// The parameter value a text stands for, or false when it stands for none.
bool ValueOfText(const IEffectParameter& param, const char* text, double* value) {
  if (param.DisplayTextCount() > 0) {
    int entry = 0;
    if (!param.ValueForDisplayText(text, &entry)) return false;
    *value = entry;
    return true;
  }
  *value = std::strtod(text, nullptr);
  if (param.ShowsNegated()) *value = -*value;
  return !std::isnan(*value);
}

intptr_t String2Parameter(const Request& r) {
  IEffectParameter* param = r.Param();
  if (param == nullptr) return 0;
  if (r.ptr == nullptr) return 1;
  double value = 0.0;
  if (!ValueOfText(*param, r.Text(), &value)) return 0;
  if (IEditor* editor = r.plugin.Editor()) editor->ForwardParamToControls(r.index, value, false);
  param->SetClamped(value);
  r.plugin.HandleParameterChange(r.index);
  return 1;
}

intptr_t GetProgramNameIndexed(const Request& r) {
  const char* name = r.plugin.PresetName(r.index);
  return CopyText(r, name, kProgramNameBytes) != 0 && name[0] != '\0' ? 1 : 0;
}

intptr_t GetPinProperties(const Request& r, bool input) {
  auto* pin = static_cast<VstPinProperties*>(r.ptr);
  const int count = input ? r.plugin.InputCount() : r.plugin.OutputCount();
  if (pin == nullptr || r.index < 0 || r.index >= count) return 0;
  pin->flags = kVstPinIsActive;
  // Channels pair up as stereo: (0, 1), (2, 3) and so on.
  if (r.index % 2 == 0 && r.index < count - 1) pin->flags |= kVstPinIsStereo;
  const char* label = input ? r.plugin.InputLabel(r.index) : r.plugin.OutputLabel(r.index);
  if (label[0] != '\0') {
    std::snprintf(pin->label, sizeof pin->label, "%s", label);
  } else {
    std::snprintf(pin->label, sizeof pin->label, input ? "Input %d" : "Output %d", r.index + 1);
  }
  return 1;
}

// Connects the first channels the arrangement names and disconnects the rest; a count
// beyond the channels there are connects all of them, a negative one none.
void ConnectFirst(IEffectVST& plugin, const VstSpeakerArrangement* arrangement, bool input) {
  if (arrangement == nullptr) return;
  const int count = input ? plugin.InputCount() : plugin.OutputCount();
  const int n = std::clamp(arrangement->numChannels, 0, count);
  if (input) {
    plugin.SetInputConnections(0, n, true);
    plugin.SetInputConnections(n, count - n, false);
  } else {
    plugin.SetOutputConnections(0, n, true);
    plugin.SetOutputConnections(n, count - n, false);
  }
}

intptr_t SetSpeakerArrangement(const Request& r) {
  ConnectFirst(r.plugin, reinterpret_cast<const VstSpeakerArrangement*>(r.value), true);
  ConnectFirst(r.plugin, static_cast<const VstSpeakerArrangement*>(r.ptr), false);
  return 1;
}

intptr_t VendorSpecific(const Request& r) {
  const bool validParam = r.value >= 0 && r.value < r.plugin.ParameterCount();
  const IEffectParameter* param = validParam ? r.plugin.Parameter(static_cast<int>(r.value)) : nullptr;
  if (r.index == kVendorDisplayText) {
    if (r.ptr == nullptr) return 0;
    // Hosts ask for texts of positions on their own sliders, which stay within [0, 1].
    if (param != nullptr && !std::isnan(r.opt)) {
      CopyDisplayText(r, *param, true, std::clamp(static_cast<double>(r.opt), 0.0, 1.0));
    }
    return kVendorSpecificYes;
  }
  if (r.index == kVendorIsIntegerParameter) {
    return param != nullptr && param->Kind() != IEffectParameter::kContinuous ? kVendorSpecificYes : 0;
  }
  return 0;
}

intptr_t CanDo(const Request& r) {
  if (r.ptr == nullptr) return 0;
  const char* question = r.Text();
  PlugTrace("IEffectVST::VSTDispatcher", __LINE__, "VSTCanDo(%s)", question);
  auto is = [question](const char* text) { return std::strcmp(question, text) == 0; };
  if (is("receiveVstTimeInfo")) return 1;
  if (r.plugin.HandlesMidi() && (is("sendVstEvents") || is("sendVstMidiEvent") ||
                                 is("receiveVstEvents") || is("receiveVstMidiEvent"))) {
    return 1;
  }
  if (is("hasHostExtensions")) {
    r.plugin.AddHostExtensionFlag(kHostExtensionsBit);
    return kHostExtensionYes;
  }
  // The host that answers this passes a handle of its own toolkit to effEditOpen instead
  // of an X window; the question is recorded, but the answer keeps X windows coming.
  if (is("hasHostViewAsConfig")) {
    r.plugin.AddHostExtensionFlag(kHostViewAsConfigBit);
    return 0;
  }
  return 0;
}

intptr_t GetMidiKeyName(const Request& r) {
  auto* key = static_cast<MidiKeyName*>(r.ptr);
  if (key == nullptr) return 0;
  key->keyName[0] = '\0';
  return r.plugin.MidiNoteLabel(key->thisKeyNumber, key->keyName) ? 1 : 0;
}

intptr_t GetSpeakerArrangement(const Request& r) {
  if (auto** input = reinterpret_cast<VstSpeakerArrangement**>(r.value)) {
    *input = r.plugin.InputArrangement();
  }
  if (auto** output = static_cast<VstSpeakerArrangement**>(r.ptr)) {
    *output = r.plugin.OutputArrangement();
  }
  return 1;
}

intptr_t Handle(int32_t opcode, const Request& r) {
  switch (opcode) {
    case effOpen: return Open(r);
    case effSetProgram: return SetProgram(r);
    case effGetProgram: return r.plugin.CurrentPreset();
    case effSetProgramName: return SetProgramName(r);
    case effGetProgramName: return GetProgramName(r);
    case effGetParamLabel: return GetParamLabel(r);
    case effGetParamDisplay: return GetParamDisplay(r);
    case effGetParamName: return GetParamName(r);
    case effSetSampleRate: return SetSampleRate(r);
    case effSetBlockSize: return SetBlockSize(r);
    case effMainsChanged: return MainsChanged(r);
    case effEditGetRect: return EditGetRect(r);
    case effEditOpen: return EditOpen(r);
    case effEditClose: return EditClose(r);
    case effEditKeyDown: return EditKeyDown(r);
    case effIdentify: return kIdentifyAnswer;
    case effGetChunk: return GetChunk(r);
    case effSetChunk: return SetChunk(r);
    case effProcessEvents: return ProcessEvents(r);
    case effCanBeAutomated: return 1;
    case effString2Parameter: return String2Parameter(r);
    case effGetProgramNameIndexed: return GetProgramNameIndexed(r);
    case effGetInputProperties: return GetPinProperties(r, true);
    case effGetOutputProperties: return GetPinProperties(r, false);
    case effGetPlugCategory: return r.plugin.IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
    case effSetSpeakerArrangement: return SetSpeakerArrangement(r);
    case effGetEffectName: return CopyText(r, r.plugin.EffectName(), kEffectNameBytes);
    case effGetVendorString: return CopyText(r, r.plugin.VendorName(), kVendorBytes);
    case effGetProductString: return CopyText(r, r.plugin.ProductName(), kProductBytes);
    case effGetVendorVersion: return r.plugin.VersionDecimal();
    case effVendorSpecific: return VendorSpecific(r);
    case effCanDo: return CanDo(r);
    case effGetTailSize: return r.plugin.TailSize();
    case effGetVstVersion: return kVstVersion;
    case effGetMidiKeyName: return GetMidiKeyName(r);
    case effGetSpeakerArrangement: return GetSpeakerArrangement(r);
    default: return 0;
  }
}

// Finds the object behind the descriptor, and closes it or handles the request under its
// mutex.
intptr_t Dispatch(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                  float opt) {
  IEffectVST* plugin = IEffectVST::FromDescriptor(effect);
  if (plugin == nullptr) return 0;
  if (opcode == effClose) {
    // The mutex lives inside the object: take it to wait for any request in flight, then
    // release it before the object goes.
    { IEffectLockGuard lock(plugin->Mutex()); }
    delete plugin;
    return 0;
  }
  if (opcode == effEditIdle) return EditIdle(*plugin);
  IEffectLockGuard lock(plugin->Mutex());
  return Handle(opcode, Request{*plugin, index, value, ptr, opt});
}
}  // namespace

intptr_t VSTDispatcher(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                       float opt) noexcept {
  return CallGuarded([&] { return Dispatch(effect, opcode, index, value, ptr, opt); },
                     [] { return intptr_t{0}; });
}
