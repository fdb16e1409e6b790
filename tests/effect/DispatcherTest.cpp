#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "BoundaryEffect.h"
#include "VstTestHost.h"

using Dispatcher = VstTestHost;

namespace {
// A host's text buffer of size bytes with guard bytes after it.
class GuardedText {
 public:
  static constexpr uint8_t kGuard = 0xAB;
  explicit GuardedText(size_t size) : size_(size) { bytes_.fill(kGuard); }
  char* Text() { return reinterpret_cast<char*>(bytes_.data()); }
  bool GuardIntact() const {
    return std::all_of(bytes_.begin() + size_, bytes_.end(), [](uint8_t b) { return b == kGuard; });
  }
  // The text, when it ends inside the buffer.
  std::string Terminated() const {
    const auto* end = std::find(bytes_.begin(), bytes_.begin() + size_, 0);
    if (end == bytes_.begin() + size_) return "<unterminated>";
    return std::string(bytes_.begin(), end);
  }

 private:
  size_t size_;
  std::array<uint8_t, 512> bytes_;
};

struct TextRequest {
  int32_t opcode;
  int32_t index;
  size_t size;  // what hosts allocate for it
  float opt = 0.0f;
};

// Every text request with the buffer size hosts provide for it.
const TextRequest kTextRequests[] = {
    {effGetEffectName, 0, 32},        {effGetVendorString, 0, 64},
    {effGetProductString, 0, 64},     {effGetParamName, 0, 16},
    {effGetParamLabel, 0, 8},         {effGetParamDisplay, 0, 8},
    {effGetProgramName, 0, 25},       {effGetProgramNameIndexed, 0, 25},
    {effVendorSpecific, 7, 8, 0.25f},  // the display text of a slider position
};

std::string Ask(AEffect* effect, const TextRequest& request, GuardedText& text) {
  effect->dispatcher(effect, request.opcode, request.index, 0, text.Text(), request.opt);
  return text.Terminated();
}
}  // namespace

TEST_F(Dispatcher, LongTextsAreCutToTheHostBuffers) {
  AEffect* effect = CreateRunning(512, 48000.0f, &BoundaryEffect::Create);
  std::string longName(200, 'n');
  Dispatch(effect, effSetProgramName, 0, 0, longName.data());
  for (const TextRequest& request : kTextRequests) {
    GuardedText text(request.size);
    EXPECT_EQ(Ask(effect, request, text).size(), request.size - 1) << request.opcode;
    EXPECT_TRUE(text.GuardIntact()) << request.opcode;
  }
}

TEST_F(Dispatcher, TessalyTextsFitTheHostBuffersWhole) {
  AEffect* effect = CreateRunning();
  char lowest[] = "-94", highest[] = "6";
  const std::string expected[] = {"Tessaly", "Tsly", "", "Gain", "dB", "-94.00", "No Change",
                                  "No Change", "-94.00"};
  Dispatch(effect, effString2Parameter, Tessaly::kGain, 0, lowest);
  for (size_t i = 0; i < std::size(kTextRequests); ++i) {
    GuardedText text(kTextRequests[i].size);
    TextRequest request = kTextRequests[i];
    request.opt = 0.0f;
    EXPECT_EQ(Ask(effect, request, text), expected[i]) << request.opcode;
    EXPECT_TRUE(text.GuardIntact()) << request.opcode;
  }
  Dispatch(effect, effString2Parameter, Tessaly::kStereo, 0, highest);
  GuardedText text(kVstMaxParamStrLen);
  EXPECT_EQ(Ask(effect, {effGetParamDisplay, Tessaly::kStereo, 8}, text), "6.00");
  EXPECT_EQ(Ask(effect, {effGetParamName, Tessaly::kStereo, 16}, text), "Stereo");
}

TEST_F(Dispatcher, DescriptorCarriesIdentityCountsAndCallbacks) {
  AEffect* effect = Create();
  EXPECT_EQ(effect->magic, kEffectMagic);
  EXPECT_EQ(effect->numPrograms, 4);
  EXPECT_EQ(effect->numParams, 3);
  EXPECT_EQ(effect->numInputs, 2);
  EXPECT_EQ(effect->numOutputs, 2);
  EXPECT_EQ(effect->flags, 0x1011);  // editor, 32-bit and 64-bit replacing
  EXPECT_EQ(effect->uniqueID, 0x6A68784D);
  EXPECT_EQ(effect->version, 20001);
  EXPECT_EQ(effect->ioRatio, 1.0f);
  EXPECT_NE(effect->processReplacing, nullptr);
  EXPECT_NE(effect->processDoubleReplacing, nullptr);
  AEffect* second = Create();
  EXPECT_NE(second, effect);
  EXPECT_NE(second->object, effect->object);
}

TEST_F(Dispatcher, FixedAnswers) {
  AEffect* effect = Create();
  const struct { int32_t opcode; intptr_t answer; } cases[] = {
      {effGetVstVersion, 2400},  {effIdentify, 0x4E764566}, {effGetPlugCategory, 1},
      {effGetVendorVersion, 20001}, {effGetTailSize, 0},    {effCanBeAutomated, 1},
      {effGetVu, 0},             {70, 0},                   {1000, 0},
      {effEditIdle, 0},          {effIdle, 0},              {effGetProgram, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Dispatch(effect, c.opcode), c.answer) << c.opcode;
}

TEST_F(Dispatcher, NamesAreCopiedAndNullPointersRefused) {
  AEffect* effect = Create();
  char text[256] = "x";
  EXPECT_EQ(Dispatch(effect, effGetEffectName, 0, 0, text), 1);
  EXPECT_STREQ(text, "Tessaly");
  EXPECT_EQ(Dispatch(effect, effGetVendorString, 0, 0, text), 1);
  EXPECT_STREQ(text, "Tsly");
  EXPECT_EQ(Dispatch(effect, effGetProductString, 0, 0, text), 1);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(Dispatch(effect, effGetEffectName), 0);
}

TEST_F(Dispatcher, CapabilityQuestions) {
  AEffect* effect = Create();
  auto ask = [&](const char* q) { return Dispatch(effect, effCanDo, 0, 0, const_cast<char*>(q)); };
  EXPECT_EQ(ask("receiveVstTimeInfo"), 1);
  EXPECT_EQ(ask("sendVstEvents"), 0);
  EXPECT_EQ(ask("receiveVstMidiEvent"), 0);
  EXPECT_EQ(ask("hasHostExtension"), 0);
  EXPECT_EQ(Dispatch(effect, effCanDo), 0);
  EXPECT_EQ(Plugin(effect).HostExtensionFlags(), 0);
  EXPECT_EQ(ask("hasHostExtensions"), 0xBEEF0000);
  EXPECT_EQ(Plugin(effect).HostExtensionFlags(), 1);
  EXPECT_EQ(ask("hasHostViewAsConfig"), 0);
  EXPECT_EQ(Plugin(effect).HostExtensionFlags(), 3);
}

TEST_F(Dispatcher, PinPropertiesPairChannelsAndNumberFromOne) {
  AEffect* effect = Create();
  VstPinProperties pin{};
  ASSERT_EQ(Dispatch(effect, effGetInputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Input 1");
  EXPECT_EQ(pin.flags, 3);
  ASSERT_EQ(Dispatch(effect, effGetOutputProperties, 1, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Output 2");
  EXPECT_EQ(pin.flags, 1);
  std::memset(&pin, 0x55, sizeof pin);
  EXPECT_EQ(Dispatch(effect, effGetInputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(pin.flags, 0x55555555);
  EXPECT_EQ(Dispatch(effect, effGetInputProperties, -1, 0, &pin), 0);
  EXPECT_EQ(Dispatch(effect, effGetInputProperties, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, ParameterTexts) {
  AEffect* effect = CreateRunning();
  char text[64];
  const char* names[] = {"Gain", "Mono", "Stereo"};
  for (int i = 0; i < 3; ++i) {
    Dispatch(effect, effGetParamName, i, 0, text);
    EXPECT_STREQ(text, names[i]);
    Dispatch(effect, effGetParamLabel, i, 0, text);
    EXPECT_STREQ(text, "dB");
    Dispatch(effect, effGetParamDisplay, i, 0, text);
    EXPECT_STREQ(text, "0.00");
  }
  std::strcpy(text, "unchanged");
  Dispatch(effect, effGetParamName, 3, 0, text);
  EXPECT_STREQ(text, "unchanged");
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, 7, 0, text, 1.0f), 0xBEEF);
  EXPECT_STREQ(text, "6.00");
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, 7, 9, text, 0.0f), 0xBEEF);
  EXPECT_STREQ(text, "6.00");
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, 7, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, 8, 0), 0);
}

TEST_F(Dispatcher, StringToParameterClampsAndRefusesBadText) {
  AEffect* effect = CreateRunning();
  Tessaly& plugin = Plugin(effect);
  char text[32] = "-200";
  EXPECT_EQ(Dispatch(effect, effString2Parameter, 3, 0, text), 0);
  EXPECT_EQ(Dispatch(effect, effString2Parameter, 0, 0, nullptr), 1);
  EXPECT_EQ(plugin.Parameter(0)->PlainValue(), 0.0);
  EXPECT_EQ(Dispatch(effect, effString2Parameter, 0, 0, text), 1);
  EXPECT_EQ(plugin.Parameter(0)->PlainValue(), -94.0);
  EXPECT_EQ(plugin.OutputGain(), 0.0);
  std::strcpy(text, "3");
  Dispatch(effect, effString2Parameter, 2, 0, text);
  EXPECT_NEAR(plugin.SideGain(), 0.70627, 1e-5);
  std::strcpy(text, "nan");
  EXPECT_EQ(Dispatch(effect, effString2Parameter, 2, 0, text), 0);
  EXPECT_EQ(plugin.Parameter(2)->PlainValue(), 3.0);
}

TEST_F(Dispatcher, ProgramsSwitchRenameAndList) {
  AEffect* effect = CreateRunning();
  Tessaly& plugin = Plugin(effect);
  const char* names[] = {"No Change", "Stereo Enhance", "Only Stereo", "Only Mono"};
  char text[64];
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Dispatch(effect, effGetProgramNameIndexed, i, 0, text), 1);
    EXPECT_STREQ(text, names[i]);
  }
  EXPECT_EQ(Dispatch(effect, effGetProgramNameIndexed, 4, 0, text), 0);
  EXPECT_STREQ(text, "");
  Dispatch(effect, effSetProgram, 0, 1);
  EXPECT_EQ(Dispatch(effect, effGetProgram), 1);
  EXPECT_EQ(plugin.Parameter(2)->PlainValue(), 3.0);
  Dispatch(effect, effGetProgramName, 0, 0, text);
  EXPECT_STREQ(text, "Stereo Enhance");
  char name[] = "Wide";
  Dispatch(effect, effSetProgramName, 0, 0, name);
  Dispatch(effect, effGetProgramNameIndexed, 1, 0, text);
  EXPECT_STREQ(text, "Wide");
  // Switching away keeps the edits of the preset that was current.
  char value[] = "1.5";
  Dispatch(effect, effString2Parameter, 0, 0, value);
  Dispatch(effect, effSetProgram, 0, 0);
  EXPECT_EQ(plugin.Parameter(0)->PlainValue(), 0.0);
  Dispatch(effect, effSetProgram, 0, 1);
  EXPECT_EQ(plugin.Parameter(0)->PlainValue(), 1.5);
  Dispatch(effect, effSetProgram, 0, 7);
  EXPECT_EQ(Dispatch(effect, effGetProgram), 1);
}

TEST_F(Dispatcher, SpeakerArrangementsConnectTheFirstChannels) {
  AEffect* effect = Create();
  VstSpeakerArrangement* in = nullptr;
  VstSpeakerArrangement* out = nullptr;
  EXPECT_EQ(Dispatch(effect, effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&in), &out), 1);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->type, kSpeakerArrStereo);
  EXPECT_EQ(out->numChannels, 2);
  VstSpeakerArrangement mono{};
  mono.numChannels = 1;
  EXPECT_EQ(Dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&mono), nullptr), 1);
  EXPECT_TRUE(Plugin(effect).InputConnected(0));
  EXPECT_FALSE(Plugin(effect).InputConnected(1));
  EXPECT_TRUE(Plugin(effect).OutputConnected(1));
  EXPECT_EQ(Dispatch(effect, effSetSpeakerArrangement, 0, 0, nullptr), 1);
}

TEST_F(Dispatcher, StreamSettingsRefuseNonsense) {
  AEffect* effect = Create();
  Tessaly& plugin = Plugin(effect);
  EXPECT_EQ(plugin.BlockSize(), 1024);
  Dispatch(effect, effSetBlockSize, 0, 0);
  Dispatch(effect, effSetBlockSize, 0, -5);
  EXPECT_EQ(plugin.BlockSize(), 1024);
  Dispatch(effect, effSetBlockSize, 0, 1);
  EXPECT_EQ(plugin.BlockSize(), 1);
  Dispatch(effect, effSetSampleRate, 0, 0, nullptr, 384000.0f);
  EXPECT_EQ(plugin.SampleRate(), 384000.0);
  Dispatch(effect, effSetSampleRate, 0, 0, nullptr, -1.0f);
  EXPECT_EQ(plugin.SampleRate(), 384000.0);
}

TEST_F(Dispatcher, EditorRectangleIsAnsweredBeforeAnyWindowOpens) {
  AEffect* effect = Create();
  ERect* rect = nullptr;
  EXPECT_EQ(Dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 438);
  EXPECT_EQ(rect->right, 274);
  EXPECT_EQ(Dispatch(effect, effEditGetRect, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, DescriptorWithoutObjectAnswersNothing) {
  AEffect orphan{};
  orphan.dispatcher = Create()->dispatcher;
  char text[64] = "";
  EXPECT_EQ(Dispatch(&orphan, effGetVstVersion), 0);
  EXPECT_EQ(Dispatch(&orphan, effGetEffectName, 0, 0, text), 0);
  EXPECT_EQ(Dispatch(&orphan, effClose), 0);
}

TEST_F(Dispatcher, ProgramNamesReachTheHostCutToTheInterfaceLength) {
  AEffect* effect = Create();
  std::string longName(200, 'x');
  Dispatch(effect, effSetProgramName, 0, 0, longName.data());
  char text[256];
  std::memset(text, '#', sizeof text);
  EXPECT_EQ(Dispatch(effect, effGetProgramNameIndexed, 0, 0, text), 1);
  EXPECT_EQ(std::string(text), std::string(kVstMaxProgNameLen, 'x'));
  Dispatch(effect, effGetProgramName, 0, 0, text);
  EXPECT_EQ(std::strlen(text), static_cast<size_t>(kVstMaxProgNameLen));
  // The preset keeps its whole name for the state it is saved in.
  EXPECT_EQ(std::string(Plugin(effect).PresetName(0)), longName);
}

TEST_F(Dispatcher, RequestsWhoseHooksThrowAnswerZero) {
  AEffect* effect = CreateRunning(512, 48000.0f, &BoundaryEffect::Create);
  BoundaryEffect& plugin = BoundaryEffect::Of(effect);
  char value[] = "1";
  void* chunk = nullptr;
  plugin.throwing = true;
  EXPECT_EQ(Dispatch(effect, effString2Parameter, 0, 0, value), 0);  // HandleParameterChange
  EXPECT_EQ(Dispatch(effect, effGetChunk, 1, 0, &chunk), 0);         // SaveState
  EXPECT_EQ(Dispatch(effect, effSetProgram, 0, 0), 0);
  EXPECT_EQ(Dispatch(effect, effOpen), 0);
  plugin.throwing = false;
  EXPECT_EQ(Dispatch(effect, effString2Parameter, 0, 0, value), 1);
  EXPECT_GT(Dispatch(effect, effGetChunk, 1, 0, &chunk), 0);
}

TEST_F(Dispatcher, EntryPointAnswersNullWhateverBuildingThrows) {
  const VstEffectFactory failing[] = {
      [](audioMasterCallback) -> IEffectVST* { throw std::bad_alloc(); },
      [](audioMasterCallback) -> IEffectVST* { throw std::runtime_error("no resources"); },
      [](audioMasterCallback) -> IEffectVST* { throw 7; },
  };
  for (VstEffectFactory factory : failing) EXPECT_EQ(CreateVstEffect(nullptr, factory), nullptr);
}

TEST_F(Dispatcher, SpeakerArrangementCountsAreLimitedToTheChannelsThereAre) {
  const struct {
    int32_t channels;
    bool first, second;  // connected afterwards
  } cases[] = {
      {INT_MIN, false, false}, {-1, false, false}, {0, false, false}, {1, true, false},
      {2, true, true},         {3, true, true},    {INT_MAX, true, true},
  };
  AEffect* effect = Create();
  IEffectVST& plugin = Plugin(effect);
  for (const auto& c : cases) {
    for (bool input : {true, false}) {
      plugin.SetInputConnections(0, 1, false);  // a state no case leaves behind unchanged
      plugin.SetInputConnections(1, 1, true);
      plugin.SetOutputConnections(0, 1, false);
      plugin.SetOutputConnections(1, 1, true);
      VstSpeakerArrangement arrangement{};
      arrangement.numChannels = c.channels;
      const intptr_t inputs = input ? reinterpret_cast<intptr_t>(&arrangement) : 0;
      EXPECT_EQ(Dispatch(effect, effSetSpeakerArrangement, 0, inputs, input ? nullptr : &arrangement), 1);
      const auto connected = input ? &IEffectBase::InputConnected : &IEffectBase::OutputConnected;
      EXPECT_EQ((plugin.*connected)(0), c.first) << c.channels << (input ? " in" : " out");
      EXPECT_EQ((plugin.*connected)(1), c.second) << c.channels << (input ? " in" : " out");
    }
  }
}
