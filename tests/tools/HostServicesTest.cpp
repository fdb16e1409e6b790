#include "tools/host/HostServices.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

intptr_t Ask(int32_t opcode, void* ptr = nullptr, int32_t index = 0) {
  return HostServices::Callback(nullptr, opcode, index, 0, ptr, 0.0f);
}

TEST(HostServices, AnswersTheUsualQuestions) {
  HostServices& host = HostServices::Instance();
  host.SetSampleRate(96000.0);
  host.SetBlockSize(256);
  EXPECT_EQ(Ask(audioMasterVersion), 2400);
  EXPECT_EQ(Ask(audioMasterGetVendorVersion), HostServices::kVendorVersion);
  EXPECT_EQ(Ask(audioMasterGetSampleRate), 96000);
  EXPECT_EQ(Ask(audioMasterGetBlockSize), 256);
  EXPECT_EQ(Ask(audioMasterGetCurrentProcessLevel), kVstProcessLevelUser);
  EXPECT_EQ(Ask(audioMasterCurrentId), 0);  // no plug-in yet
  char text[256];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(Ask(audioMasterGetProductString, text), 1);
  EXPECT_STREQ(text, "tessaly-host");
  EXPECT_EQ(Ask(audioMasterGetProductString, nullptr), 0);
  std::string question = "sendVstTimeInfo";
  EXPECT_EQ(Ask(audioMasterCanDo, &question[0]), 1);
  question = "sizeWindow";
  EXPECT_EQ(Ask(audioMasterCanDo, &question[0]), 0);
  EXPECT_EQ(Ask(audioMasterCanDo, nullptr), 0);
  EXPECT_EQ(Ask(9999), 0);
}

TEST(HostServices, TimeInfo_FollowsTheRenderedFrames) {
  HostServices& host = HostServices::Instance();
  host.SetSampleRate(48000.0);
  host.BeginRendering();
  EXPECT_EQ(Ask(audioMasterGetCurrentProcessLevel), kVstProcessLevelOffline);
  host.AdvanceTransport(48000 * 3);
  const auto* time = reinterpret_cast<const VstTimeInfo*>(Ask(audioMasterGetTime));
  ASSERT_NE(time, nullptr);
  EXPECT_EQ(time->samplePos, 144000.0);
  EXPECT_EQ(time->sampleRate, 48000.0);
  EXPECT_EQ(time->tempo, 120.0);
  EXPECT_DOUBLE_EQ(time->ppqPos, 6.0);  // three seconds at two beats a second
  EXPECT_DOUBLE_EQ(time->barStartPos, 4.0);
  EXPECT_EQ(time->timeSigNumerator, 4);
  EXPECT_EQ(time->timeSigDenominator, 4);
  const int32_t valid = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
  EXPECT_EQ(time->flags & valid, valid);
  host.EndRendering();
  EXPECT_EQ(Ask(audioMasterGetCurrentProcessLevel), kVstProcessLevelUser);
  time = reinterpret_cast<const VstTimeInfo*>(Ask(audioMasterGetTime));
  EXPECT_EQ(time->flags & kVstTransportPlaying, 0);
}

TEST(HostServices, Recording_KeepsRequestsInOrderWithAnswersAndTexts) {
  HostServices& host = HostServices::Instance();
  Ask(audioMasterVersion);  // not recorded
  host.StartRecording();
  char text[256] = {};
  Ask(audioMasterGetProductString, text);
  Ask(audioMasterAutomate, nullptr, 2);
  const std::vector<HostRequest> requests = host.StopRecording();
  Ask(audioMasterVersion);  // not recorded either
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].opcode, audioMasterGetProductString);
  EXPECT_EQ(requests[0].text, "tessaly-host");
  EXPECT_EQ(requests[1].opcode, audioMasterAutomate);
  EXPECT_EQ(requests[1].index, 2);
  EXPECT_STREQ(HostServices::OpcodeName(audioMasterGetVendorVersion), "audioMasterGetVendorVersion");
  host.StartRecording();
  EXPECT_TRUE(host.StopRecording().empty());
}

TEST(HostServices, TakeRecorded_HandsOverWhatCameSoFarAndGoesOnRecording) {
  HostServices& host = HostServices::Instance();
  host.StartRecording();
  Ask(audioMasterBeginEdit, nullptr, 1);
  const std::vector<HostRequest> first = host.TakeRecorded();
  Ask(audioMasterEndEdit, nullptr, 1);
  EXPECT_EQ(host.TakeRecorded().size(), 1u);
  Ask(audioMasterAutomate, nullptr, 3);
  const std::vector<HostRequest> rest = host.StopRecording();
  Ask(audioMasterAutomate);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].opcode, audioMasterBeginEdit);
  ASSERT_EQ(rest.size(), 1u);
  EXPECT_EQ(rest[0].index, 3);
  EXPECT_TRUE(host.TakeRecorded().empty());
}

TEST(HostServices, EachPluginIsToldTheFolderOfItsOwnModule) {
  HostServices& host = HostServices::Instance();
  AEffect first{}, second{}, unknown{};
  host.SetModuleDirectory("/vst/first");
  host.KeepModuleDirectory(&first);
  host.SetModuleDirectory("/vst/second");
  host.KeepModuleDirectory(&second);
  const struct {
    AEffect* effect;
    const char* folder;
  } cases[] = {{&first, "/vst/first"}, {&second, "/vst/second"}, {&unknown, "/vst/second"}, {nullptr, "/vst/second"}};
  for (const auto& c : cases) {
    const auto answer = HostServices::Callback(c.effect, audioMasterGetDirectory, 0, 0, nullptr, 0.0f);
    EXPECT_STREQ(reinterpret_cast<const char*>(answer), c.folder);
  }
}

}  // namespace
