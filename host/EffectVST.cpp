#include "host/EffectVST.h"

#include <cstring>

#include "core/HostIdentification.h"
#include "host/VstCallbacks.h"
#include "host/VstDispatcher.h"

namespace {
constexpr int32_t kAlwaysOfferedFlags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
constexpr int32_t kTransportMask = kVstPpqPosValid | kVstTempoValid | kVstBarsValid |
                                   kVstCyclePosValid | kVstTimeSigValid;

int32_t ArrangementType(int channels) {
  switch (channels) {
    case 0: return kSpeakerArrEmpty;
    case 1: return kSpeakerArrMono;
    case 2: return kSpeakerArrStereo;
    default: return kSpeakerArrUserDefined;
  }
}

void FillArrangement(VstSpeakerArrangement& arrangement, int channels) {
  arrangement.numChannels = channels;
  arrangement.type = ArrangementType(channels);
}

// Hosts with these identities (see IdentifyHost) offer only the first two inputs.
bool HostWantsTwoInputs(int identity) {
  return identity == kHostForte || identity == kHostAudition || identity == kHostOrion ||
         identity == kHostSawStudio;
}
}  // namespace

IEffectVST::IEffectVST(audioMasterCallback host, const IEffectIdentity& identity)
    : IEffectBase(identity), host_(host) {
  descriptor_.magic = kEffectMagic;
  descriptor_.dispatcher = VSTDispatcher;
  descriptor_.process = HostProcessAccumulate;
  descriptor_.setParameter = HostSetParameter;
  descriptor_.getParameter = HostGetParameter;
  descriptor_.numPrograms = PresetCount();
  descriptor_.numParams = ParameterCount();
  descriptor_.flags = kAlwaysOfferedFlags | (LegalIO(1, -1) ? effFlagsCanMono : 0);
  descriptor_.ioRatio = 1.0f;
  descriptor_.object = this;
  descriptor_.uniqueID = UniqueID();
  descriptor_.version = VersionDecimal();
  descriptor_.processReplacing = HostProcessFloat;
  descriptor_.processDoubleReplacing = HostProcessDouble;
  PublishChannelCounts();
  sliceInputs_.ResizeZeroFill(InputCount() * static_cast<int>(sizeof(void*)));
  sliceOutputs_.ResizeZeroFill(OutputCount() * static_cast<int>(sizeof(void*)));
  SetInputConnections(0, InputCount(), true);
  SetOutputConnections(0, OutputCount(), true);
  ChangeBlockSize(kDefaultBlockSize);
}

IEffectVST* IEffectVST::FromDescriptor(AEffect* effect) {
  return effect != nullptr ? static_cast<IEffectVST*>(effect->object) : nullptr;
}

void IEffectVST::PublishChannelCounts() {
  descriptor_.numInputs = InputCount();
  descriptor_.numOutputs = OutputCount();
  FillArrangement(inputArrangement_, InputCount());
  FillArrangement(outputArrangement_, OutputCount());
}

intptr_t IEffectVST::CallHost(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                              float opt) {
  return host_ != nullptr ? host_(&descriptor_, opcode, index, value, ptr, opt) : 0;
}

void IEffectVST::BeginParameterGesture(int index) { CallHost(audioMasterBeginEdit, index); }

void IEffectVST::ReportParameterValue(int index, double normalised) {
  CallHost(audioMasterAutomate, index, 0, nullptr, static_cast<float>(normalised));
}

void IEffectVST::EndParameterGesture(int index) { CallHost(audioMasterEndEdit, index); }

void IEffectVST::ReportPresetChange() { CallHost(audioMasterUpdateDisplay); }

bool IEffectVST::IsOfflinePass() {
  return CallHost(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

const VstTimeInfo* IEffectVST::HostTime(int32_t mask) {
  return reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, mask));
}

int IEffectVST::TransportSamplePosition() {
  const VstTimeInfo* time = HostTime(0);
  if (time == nullptr || !(time->samplePos >= 0.0) || time->samplePos >= 2147483647.0) return 0;
  return static_cast<int>(time->samplePos + 0.5);
}

double IEffectVST::TransportTempo() {
  if (host_ == nullptr) return 0.0;
  const VstTimeInfo* time = HostTime(kVstTempoValid);
  if (time == nullptr || !(time->flags & kVstTempoValid) || !(time->tempo >= 0.0)) return 0.0;
  return time->tempo;
}

void IEffectVST::TransportTimeSignature(int* numerator, int* denominator) {
  *numerator = 0;
  *denominator = 0;
  const VstTimeInfo* time = HostTime(kVstTimeSigValid);
  if (time == nullptr || !(time->flags & kVstTimeSigValid)) return;
  if (time->timeSigNumerator < 0 || time->timeSigDenominator < 0) return;
  *numerator = time->timeSigNumerator;
  *denominator = time->timeSigDenominator;
}

void IEffectVST::TransportInfo(ITransportInfo* info) {
  const VstTimeInfo* time = HostTime(kTransportMask);
  if (time == nullptr || !(time->flags & kTransportMask)) return;
  info->samplePosition = time->samplePos;
  if ((time->flags & kVstPpqPosValid) && time->ppqPos >= 0.0) info->ppqPosition = time->ppqPos;
  if ((time->flags & kVstTempoValid) && time->tempo > 0.0) info->tempo = time->tempo;
  if ((time->flags & kVstBarsValid) && time->barStartPos >= 0.0) {
    info->lastBarStart = time->barStartPos;
  }
  if ((time->flags & kVstCyclePosValid) && time->cycleStartPos >= 0.0 &&
      time->cycleEndPos >= 0.0) {
    info->cycleStart = time->cycleStartPos;
    info->cycleEnd = time->cycleEndPos;
  }
  if ((time->flags & kVstTimeSigValid) && time->timeSigNumerator > 0 &&
      time->timeSigDenominator > 0) {
    info->numerator = time->timeSigNumerator;
    info->denominator = time->timeSigDenominator;
  }
  info->playing = (time->flags & kVstTransportPlaying) != 0;
  info->looping = (time->flags & kVstTransportCycleActive) != 0;
}

int IEffectVST::HostIdentity() {
  if (StoredHostIdentity() != kHostNotIdentified) return StoredHostIdentity();
  char product[kProductTextBytes] = "";
  CallHost(audioMasterGetProductString, 0, 0, product);
  product[kProductTextBytes - 1] = '\0';
  int32_t version = 0;
  if (product[0] != '\0') version = PackHostVersion(CallHost(audioMasterGetVendorVersion));
  const int identity = IdentifyHost(product);
  StoreHostIdentity(identity, version);
  return identity;
}

void IEffectVST::RefreshEditorRect() {
  const IEditor* editor = Editor();
  if (editor == nullptr) return;
  editorRect_ = ERect{0, 0, static_cast<int16_t>(editor->Height()),
                      static_cast<int16_t>(editor->Width())};
}

void IEffectVST::EditorResized(int /*width*/, int /*height*/) {
  if (Editor() == nullptr) return;
  RefreshEditorRect();
  HandleEditorResized();
}

void IEffectVST::PrepareForHost() {
  if (hostSetUpDone_) return;
  hostSetUpDone_ = true;
  if (HostWantsTwoInputs(HostIdentity()) && InputCount() > 2) {
    SetInputConnections(2, InputCount() - 2, false);
  }
  PublishChannelCounts();
  HandleHostIdentified();
}

void IEffectVST::AttachEditor(IEditor* editor) {
  if (editor == nullptr) return;
  IEffectBase::AttachEditor(editor);
  descriptor_.flags |= effFlagsHasEditor;
  RefreshEditorRect();
}

void IEffectVST::ChangeLatency(int samples) {
  descriptor_.initialDelay = samples;
  IEffectBase::ChangeLatency(samples);
}

bool IEffectVST::SendEvent(VstEvent* event) {
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = event;
  return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool IEffectVST::EmitMidiMessage(const IMidiMessage& message) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = message.offset;
  event.midiData[0] = static_cast<char>(message.status);
  event.midiData[1] = static_cast<char>(message.data1);
  event.midiData[2] = static_cast<char>(message.data2);
  return SendEvent(reinterpret_cast<VstEvent*>(&event));
}

bool IEffectVST::EmitSysEx(const ISysExMessage& message) {
  VstMidiSysexEvent event{};
  event.type = kVstSysExType;
  event.byteSize = sizeof(VstMidiSysexEvent);
  event.deltaFrames = message.offset;
  event.dumpBytes = message.size;
  event.sysexDump = reinterpret_cast<char*>(const_cast<uint8_t*>(message.data));
  return SendEvent(reinterpret_cast<VstEvent*>(&event));
}
