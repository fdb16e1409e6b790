#pragma once
// Standard MIDI files (format 0 and 1, any number of tracks): the channel messages of all
// tracks in time order, each at its time in seconds through the file's tempo map (or its
// SMPTE time base). Meta events other than tempo and system-exclusive messages are
// skipped.

#include <cstdint>
#include <string>
#include <vector>

struct MidiMessage {
  double seconds = 0.0;
  uint8_t bytes[3] = {0, 0, 0};
  int size = 0;  // 2 or 3
};

// Reads path; false with a one-line reason naming the file in error.
bool ReadMidiFile(const std::string& path, std::vector<MidiMessage>* messages, std::string* error);

// The same from bytes already read; reasons do not name a file.
bool DecodeMidiFile(const std::vector<uint8_t>& bytes, std::vector<MidiMessage>* messages, std::string* error);
