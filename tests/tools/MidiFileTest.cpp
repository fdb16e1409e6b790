#include "tools/host/MidiFile.h"

#include <gtest/gtest.h>

#include "tools/MidiBytes.h"

namespace {

TEST(MidiFile, MessagesOfAllTracksComeInTimeOrderThroughTheTempoMap) {
  std::vector<MidiMessage> messages;
  std::string error;
  ASSERT_TRUE(DecodeMidiFile(TwoTrackMidi(), &messages, &error)) << error;
  ASSERT_EQ(messages.size(), 4u);
  const struct {
    double seconds;
    uint8_t status, data1, data2;
  } expected[] = {{0.5, 0x90, 60, 64}, {1.0, 0x90, 60, 0}, {1.125, 0x90, 64, 100}, {1.25, 0x80, 64, 0}};
  for (size_t i = 0; i < messages.size(); ++i) {
    EXPECT_DOUBLE_EQ(messages[i].seconds, expected[i].seconds) << i;
    EXPECT_EQ(messages[i].size, 3) << i;
    EXPECT_EQ(messages[i].bytes[0], expected[i].status) << i;
    EXPECT_EQ(messages[i].bytes[1], expected[i].data1) << i;
    EXPECT_EQ(messages[i].bytes[2], expected[i].data2) << i;
  }
}

TEST(MidiFile, SmpteTimeSysexAndShortMessages) {
  // 25 frames a second, 40 ticks a frame: 1000 ticks a second.
  const std::vector<uint8_t> events = {
      0x00, 0xF0, 0x03, 0x7E, 0x01, 0xF7,  // system exclusive, skipped
      0x00, 0xFF, 0x01, 0x02, 'h', 'i',    // text, skipped
      0x83, 0x74, 0xC2, 5,                 // tick 500: program change, one data byte
      0x00, 9,                             // running status again
  };
  std::vector<MidiMessage> messages;
  std::string error;
  ASSERT_TRUE(DecodeMidiFile(Joined({MidiHeader(0, 1, 0xE728), MidiTrack(events)}), &messages, &error)) << error;
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_DOUBLE_EQ(messages[0].seconds, 0.5);
  EXPECT_EQ(messages[0].size, 2);
  EXPECT_EQ(messages[1].bytes[1], 9);
}

TEST(MidiFile, DamagedFilesAreRefusedWithAReason) {
  std::vector<uint8_t> cut = TwoTrackMidi();
  cut.resize(cut.size() - 5);
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* reason;
  } cases[] = {
      {"not MIDI", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "no 'MThd' header"},
      {"format 2", Joined({MidiHeader(2, 1, 96), MidiTrack({})}), "format 2 is not supported"},
      {"no division", Joined({MidiHeader(0, 1, 0), MidiTrack({})}), "no valid time division"},
      {"cut short", cut, "truncated MIDI file"},
      {"data without a status", Joined({MidiHeader(0, 1, 96), MidiTrack({0x00, 0x40, 0x40})}), "damaged MIDI track 0"},
      {"a message cut", Joined({MidiHeader(0, 1, 96), {'M', 'T', 'r', 'k', 0, 0, 0, 2, 0x00, 0x90}}),
       "damaged MIDI track 0"},
      {"no tracks", MidiHeader(0, 0, 96), "no tracks"},
  };
  for (const auto& c : cases) {
    std::vector<MidiMessage> messages;
    std::string error;
    EXPECT_FALSE(DecodeMidiFile(c.bytes, &messages, &error)) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
  }
}

}  // namespace
