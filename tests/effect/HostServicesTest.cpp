#include <cstring>

#include "VstTestHost.h"

using HostServices = VstTestHost;

TEST_F(HostServices, OpenAsksWhoTheHostIsOnce) {
  answers.product = "REAPER";
  answers.vendorVersion = 5984;
  AEffect* effect = Create();
  Dispatch(effect, effOpen);
  Dispatch(effect, effOpen);
  Tessaly& plugin = Plugin(effect);
  EXPECT_EQ(plugin.HostIdentity(), 1);
  EXPECT_EQ(plugin.HostVersion(), (59 << 8) | 84);
  EXPECT_EQ(CountRequests(audioMasterGetProductString), 1);
  EXPECT_EQ(CountRequests(audioMasterGetVendorVersion), 1);
  // effOpen asks nothing else of the host.
  EXPECT_EQ(requests.size(), 2u);
}

TEST_F(HostServices, EmptyProductTextSkipsTheVersionQuestion) {
  answers.product = "";
  AEffect* effect = Create();
  Dispatch(effect, effOpen);
  EXPECT_EQ(Plugin(effect).HostIdentity(), 0);
  EXPECT_EQ(Plugin(effect).HostVersion(), 0);
  EXPECT_EQ(CountRequests(audioMasterGetVendorVersion), 0);
}

TEST_F(HostServices, EditorGesturesAndPresetChangesUseTheirOpcodes) {
  Tessaly& plugin = Plugin(Create());
  plugin.BeginParameterGesture(2);
  plugin.SetParameterFromEditor(2, 1.0);
  plugin.EndParameterGesture(2);
  plugin.ReportPresetChange();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(requests[0].index, 2);
  EXPECT_EQ(requests[1].opcode, audioMasterAutomate);
  EXPECT_EQ(requests[1].opt, 1.0f);
  EXPECT_EQ(requests[2].opcode, audioMasterEndEdit);
  EXPECT_EQ(requests[3].opcode, audioMasterUpdateDisplay);
  EXPECT_EQ(plugin.Parameter(2)->PlainValue(), 6.0);
}

TEST_F(HostServices, SamplePositionRoundsAndRefusesNegatives) {
  Tessaly& plugin = Plugin(Create());
  const struct { double position; int expected; } cases[] = {
      {1000.4, 1000}, {1000.5, 1001}, {-3.0, 0}, {1e20, 0}};
  for (const auto& c : cases) {
    answers.time.samplePos = c.position;
    EXPECT_EQ(plugin.TransportSamplePosition(), c.expected) << c.position;
  }
  answers.timeAvailable = false;
  EXPECT_EQ(plugin.TransportSamplePosition(), 0);
  EXPECT_EQ(plugin.TransportTempo(), 0.0);
}

TEST_F(HostServices, TempoAndTimeSignatureNeedTheirValidFlags) {
  Tessaly& plugin = Plugin(Create());
  answers.time.tempo = 0.0;
  answers.time.timeSigNumerator = 6;
  answers.time.timeSigDenominator = 0;
  answers.time.flags = kVstTempoValid | kVstTimeSigValid;
  EXPECT_EQ(plugin.TransportTempo(), 0.0);
  int numerator = -1, denominator = -1;
  plugin.TransportTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 6);
  EXPECT_EQ(denominator, 0);
  answers.time.flags = 0;
  answers.time.tempo = 120.0;
  EXPECT_EQ(plugin.TransportTempo(), 0.0);
  EXPECT_EQ(requests.back().value, kVstTempoValid);
}

TEST_F(HostServices, TransportInfoCopiesOnlyValidFields) {
  Tessaly& plugin = Plugin(Create());
  ITransportInfo info;
  info.tempo = 99.0;
  answers.time.flags = kVstTransportPlaying;  // no valid-field bits: nothing changes
  plugin.TransportInfo(&info);
  EXPECT_FALSE(info.playing);
  EXPECT_EQ(requests.back().value, 0x3E00);

  answers.time = VstTimeInfo{};
  answers.time.samplePos = 480.0;
  answers.time.tempo = 0.0;  // a zero tempo is not copied
  answers.time.ppqPos = 2.0;
  answers.time.timeSigNumerator = 3;
  answers.time.timeSigDenominator = 4;
  answers.time.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid | kVstTransportCycleActive;
  plugin.TransportInfo(&info);
  EXPECT_EQ(info.samplePosition, 480.0);
  EXPECT_EQ(info.ppqPosition, 2.0);
  EXPECT_EQ(info.tempo, 99.0);
  EXPECT_EQ(info.numerator, 3);
  EXPECT_EQ(info.denominator, 4);
  EXPECT_FALSE(info.playing);
  EXPECT_TRUE(info.looping);
}

TEST_F(HostServices, MidiGoesOutAsOneEvent) {
  Tessaly& plugin = Plugin(Create());
  IMidiMessage note;
  note.offset = 12;
  note.status = 0x90;
  note.data1 = 60;
  note.data2 = 100;
  EXPECT_TRUE(plugin.EmitMidiMessage(note));
  EXPECT_EQ(lastEvents.numEvents, 1);
  VstMidiEvent event;
  ASSERT_EQ(lastEventBytes.size(), sizeof event);
  std::memcpy(&event, lastEventBytes.data(), sizeof event);
  EXPECT_EQ(event.type, kVstMidiType);
  EXPECT_EQ(event.byteSize, 32);
  EXPECT_EQ(event.deltaFrames, 12);
  EXPECT_EQ(std::memcmp(event.midiData, "\x90\x3C\x64\x00", 4), 0);
  answers.eventsAnswer = 0;
  EXPECT_FALSE(plugin.EmitMidiMessage(note));
}

TEST_F(HostServices, IncomingMidiPassesThroughAndOtherEventsAreSkipped) {
  AEffect* effect = Create();
  VstMidiEvent in{};
  in.type = kVstMidiType;
  in.byteSize = sizeof in;
  in.deltaFrames = 5;
  in.midiData[0] = static_cast<char>(0x80);
  VstEvent other{};
  other.type = 99;
  VstEvents events{};
  events.numEvents = 2;
  events.events[0] = &other;
  events.events[1] = reinterpret_cast<VstEvent*>(&in);
  EXPECT_EQ(Dispatch(effect, effProcessEvents, 0, 0, &events), 1);
  ASSERT_EQ(CountRequests(audioMasterProcessEvents), 1);
  VstMidiEvent out;
  std::memcpy(&out, lastEventBytes.data(), sizeof out);
  EXPECT_EQ(out.deltaFrames, 5);
  EXPECT_EQ(static_cast<uint8_t>(out.midiData[0]), 0x80);
  EXPECT_EQ(Dispatch(effect, effProcessEvents), 0);
}

TEST_F(HostServices, OfflinePassFollowsTheProcessLevel) {
  Tessaly& plugin = Plugin(Create());
  EXPECT_FALSE(plugin.IsOfflinePass());
  answers.processLevel = kVstProcessLevelOffline;
  EXPECT_TRUE(plugin.IsOfflinePass());
}
