#include <cmath>
#include <cstring>

#include "module/ModuleFixture.h"

namespace {

TEST_F(ModuleTest, Identity_AnswersBeforeAndAfterOpening) {
  // Plug-in scanners ask before effOpen; hosts ask again afterwards.
  for (int pass = 0; pass < 2; ++pass) {
    char text[256];
    EXPECT_EQ(Dispatch(effect_, effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, "Tessaly");
    EXPECT_EQ(Dispatch(effect_, effGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Tsly");
    EXPECT_EQ(Dispatch(effect_, effGetProductString, 0, 0, text), 1);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(Dispatch(effect_, effGetEffectName), 0);  // no buffer
    EXPECT_EQ(Dispatch(effect_, effGetVendorVersion), 20001);
    EXPECT_EQ(Dispatch(effect_, effGetVstVersion), 2400);
    EXPECT_EQ(Dispatch(effect_, effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(Dispatch(effect_, effIdentify), 0x4E764566);
    EXPECT_EQ(Dispatch(effect_, effGetTailSize), 0);
    EXPECT_EQ(QueryText(effect_, effGetParamName, 2), "Stereo");
    Dispatch(effect_, effOpen);
  }
}

TEST_F(ModuleTest, Open_AsksTheHostItsProductAndVersionOnce) {
  Dispatch(effect_, effOpen);
  ASSERT_EQ(LoadedModule::Requests().size(), 2u);
  EXPECT_EQ(LoadedModule::Requests()[0].opcode, audioMasterGetProductString);
  EXPECT_EQ(LoadedModule::Requests()[1].opcode, audioMasterGetVendorVersion);
  Dispatch(effect_, effOpen);
  EXPECT_EQ(LoadedModule::Requests().size(), 2u);
}

TEST_F(ModuleTest, UnhandledOpcodes_AnswerZero) {
  const int32_t opcodes[] = {effGetVu, effEditIdle,  effIdle, effProcessVarIo, effShellGetNextPlugin, effStartProcess,
                             effSetProcessPrecision, 80, 1000, -1};
  for (int32_t opcode : opcodes) {
    EXPECT_EQ(Dispatch(effect_, opcode), 0) << opcode;
  }
}

TEST_F(ModuleTest, CanDo_AnswersTheKnownQuestions) {
  const struct {
    const char* question;
    intptr_t answer;
  } cases[] = {
      {"receiveVstTimeInfo", 1}, {"sendVstEvents", 0},   {"receiveVstMidiEvent", 0},
      {"hasHostExtensions", static_cast<intptr_t>(0xBEEF0000)}, {"hasHostViewAsConfig", 0},
      {"hasHostExtension", 0},   {"ReceiveVstTimeInfo", 0}, {"", 0},
  };
  for (const auto& c : cases) {
    std::string question = c.question;
    EXPECT_EQ(Dispatch(effect_, effCanDo, 0, 0, &question[0]), c.answer) << c.question;
  }
  EXPECT_EQ(Dispatch(effect_, effCanDo), 0);
}

TEST_F(ModuleTest, PinProperties_PairTheChannels) {
  const struct {
    int32_t opcode;
    int32_t index;
    const char* label;
    int32_t flags;
  } cases[] = {
      {effGetInputProperties, 0, "Input 1", kVstPinIsActive | kVstPinIsStereo},
      {effGetInputProperties, 1, "Input 2", kVstPinIsActive},
      {effGetOutputProperties, 0, "Output 1", kVstPinIsActive | kVstPinIsStereo},
      {effGetOutputProperties, 1, "Output 2", kVstPinIsActive},
  };
  for (const auto& c : cases) {
    VstPinProperties pin{};
    EXPECT_EQ(Dispatch(effect_, c.opcode, c.index, 0, &pin), 1);
    EXPECT_STREQ(pin.label, c.label);
    EXPECT_EQ(pin.flags, c.flags) << c.label;
  }
  for (int32_t opcode : {effGetInputProperties, effGetOutputProperties}) {
    VstPinProperties pin{};
    pin.flags = 77;
    EXPECT_EQ(Dispatch(effect_, opcode, 2, 0, &pin), 0);
    EXPECT_EQ(Dispatch(effect_, opcode, -1, 0, &pin), 0);
    EXPECT_EQ(pin.flags, 77);
    EXPECT_EQ(Dispatch(effect_, opcode, 0, 0, nullptr), 0);
  }
}

TEST_F(ModuleTest, EditorRectangle_IsGivenOnlyWithAnEditor) {
  ERect* rect = nullptr;
  const intptr_t result = Dispatch(effect_, effEditGetRect, 0, 0, &rect);
  if (effect_->flags & effFlagsHasEditor) {
    ASSERT_EQ(result, 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 438);
    EXPECT_EQ(rect->right, 274);
  } else {
    EXPECT_EQ(result, 0);
  }
  EXPECT_EQ(Dispatch(effect_, effEditGetRect), 0);
}

TEST_F(ModuleTest, Parameters_HaveNamesLabelsAndTexts) {
  const char* names[] = {"Gain", "Mono", "Stereo"};
  const float zeroDb[] = {0.5028f, 0.7221f, 0.7221f};
  Dispatch(effect_, effOpen);
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(QueryText(effect_, effGetParamName, i), names[i]);
    EXPECT_EQ(QueryText(effect_, effGetParamLabel, i), "dB");
    EXPECT_EQ(QueryText(effect_, effGetParamDisplay, i), "0.00");
    EXPECT_NEAR(effect_->getParameter(effect_, i), zeroDb[i], 1e-4) << names[i];
    EXPECT_EQ(Dispatch(effect_, effCanBeAutomated, i), 1);
  }
  // Out-of-range indices leave the host's buffer alone.
  EXPECT_EQ(QueryText(effect_, effGetParamName, 3), std::string(511, '#'));
  EXPECT_EQ(QueryText(effect_, effGetParamDisplay, -1), std::string(511, '#'));
}

TEST_F(ModuleTest, NormalisedValues_MapThroughEachParametersShape) {
  const struct {
    int32_t index;
    float normalised;
    const char* display;
  } cases[] = {
      {0, 1.0f, "6.00"},   {0, 0.0f, "-94.00"}, {0, 0.5f, "-0.05"},     {1, 0.5f, "-6.34"},
      {2, 1.0f, "6.00"},   {2, -0.0001f, "-94.00"},  // interpolating hosts overshoot below 0
      {1, 1.5f, "6.00"},
  };
  for (const auto& c : cases) {
    effect_->setParameter(effect_, c.index, c.normalised);
    EXPECT_EQ(QueryText(effect_, effGetParamDisplay, c.index), c.display) << c.index << " " << c.normalised;
  }
  effect_->setParameter(effect_, 0, 0.0f);
  EXPECT_EQ(effect_->getParameter(effect_, 0), 0.0f);
  effect_->setParameter(effect_, 0, NAN);  // changes nothing
  EXPECT_EQ(QueryText(effect_, effGetParamDisplay, 0), "-94.00");
  EXPECT_EQ(effect_->getParameter(effect_, 5), 0.0f);
  effect_->setParameter(effect_, 5, 0.3f);
  effect_->setParameter(effect_, -1, 0.3f);
}

TEST_F(ModuleTest, TextToParameter_TakesValuesInDecibels) {
  const struct {
    int32_t index;
    const char* text;
    const char* display;
  } cases[] = {
      {2, "3", "3.00"}, {1, "-12.5", "-12.50"}, {0, "-200", "-94.00"}, {0, "99", "6.00"}, {2, "abc", "0.00"},
  };
  for (const auto& c : cases) {
    SetText(c.index, c.text);
    EXPECT_EQ(QueryText(effect_, effGetParamDisplay, c.index), c.display) << c.text;
  }
  std::string text = "1";
  EXPECT_EQ(Dispatch(effect_, effString2Parameter, 3, 0, &text[0]), 0);
  EXPECT_EQ(Dispatch(effect_, effString2Parameter, -1, 0, &text[0]), 0);
  EXPECT_EQ(Dispatch(effect_, effString2Parameter, 0, 0, nullptr), 1);
  EXPECT_EQ(QueryText(effect_, effGetParamDisplay, 0), "6.00");
}

TEST_F(ModuleTest, VendorSpecificDisplay_FormatsAnyNormalisedValue) {
  char text[64] = "untouched";
  EXPECT_EQ(Dispatch(effect_, effVendorSpecific, 7, 0, text, 1.0f), 0xBEEF);
  EXPECT_STREQ(text, "6.00");
  std::strcpy(text, "untouched");
  EXPECT_EQ(Dispatch(effect_, effVendorSpecific, 7, 9, text, 1.0f), 0xBEEF);
  EXPECT_STREQ(text, "untouched");
  EXPECT_EQ(Dispatch(effect_, effVendorSpecific, 7, 0, nullptr, 1.0f), 0);
  for (intptr_t index = 0; index < 3; ++index) EXPECT_EQ(Dispatch(effect_, effVendorSpecific, 8, index), 0);
}

}  // namespace
