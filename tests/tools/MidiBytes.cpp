#include "tools/MidiBytes.h"

#include <fstream>

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

std::vector<uint8_t> MidiHeader(int format, int tracks, int division) {
  std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
  Put(out, 6, 4);
  Put(out, static_cast<uint32_t>(format), 2);
  Put(out, static_cast<uint32_t>(tracks), 2);
  Put(out, static_cast<uint32_t>(division), 2);
  return out;
}

std::vector<uint8_t> MidiTrack(const std::vector<uint8_t>& events) {
  std::vector<uint8_t> body = events;
  body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<uint8_t> out = {'M', 'T', 'r', 'k'};
  Put(out, static_cast<uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<uint8_t> MidiTempo(uint32_t delta, uint32_t microsecondsPerQuarter) {
  std::vector<uint8_t> out;
  if (delta >= 128) out.push_back(static_cast<uint8_t>(0x80 | (delta >> 7)));
  out.push_back(static_cast<uint8_t>(delta & 0x7F));
  out.insert(out.end(), {0xFF, 0x51, 0x03});
  Put(out, microsecondsPerQuarter, 3);
  return out;
}

std::vector<uint8_t> Joined(const std::vector<std::vector<uint8_t>>& parts) {
  std::vector<uint8_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

std::vector<uint8_t> TwoTrackMidi() {
  // Delta times as variable-length numbers: 480 = 0x83 0x60, 240 = 0x81 0x70.
  const std::vector<uint8_t> notes = {
      0x83, 0x60, 0x90, 60, 64,   // tick 480 (0.5 s): note on, velocity 64
      0x83, 0x60, 60, 0,          // tick 960 (1.0 s): running status, velocity 0 = off
      0x81, 0x70, 0x90, 64, 100,  // tick 1200 (1.125 s): note on, velocity 100
      0x81, 0x70, 0x80, 64, 0,    // tick 1440 (1.25 s): note off
  };
  return Joined({MidiHeader(1, 2, 480), MidiTrack(Joined({MidiTempo(0, 500000), MidiTempo(960, 250000)})),
                 MidiTrack(notes)});
}
