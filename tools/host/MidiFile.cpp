#include "tools/host/MidiFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

constexpr double kDefaultMicrosecondsPerQuarter = 500000.0;  // 120 beats per minute
constexpr uint8_t kMeta = 0xFF;
constexpr uint8_t kTempo = 0x51;

// A message or tempo change at a tick, before times are known.
struct TickedEvent {
  uint64_t tick = 0;
  size_t order = 0;            // keeps the file's order among events at the same tick
  double tempo = 0.0;          // microseconds per quarter note; 0 for a message
  MidiMessage message;
};

class ByteReader {
 public:
  ByteReader(const std::vector<uint8_t>& bytes, size_t begin, size_t end) : bytes_(bytes), at_(begin), end_(end) {}
  bool AtEnd() const { return at_ >= end_; }
  bool Byte(uint8_t* value) {
    if (at_ >= end_) return false;
    *value = bytes_[at_++];
    return true;
  }
  bool Skip(uint64_t count) {
    if (count > end_ - at_) return false;
    at_ += static_cast<size_t>(count);
    return true;
  }
  // A variable-length quantity: seven bits a byte, the top bit set on all but the last.
  bool Variable(uint64_t* value) {
    *value = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t byte = 0;
      if (!Byte(&byte)) return false;
      *value = (*value << 7) | (byte & 0x7F);
      if (!(byte & 0x80)) return true;
    }
    return false;
  }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t at_;
  size_t end_;
};

uint32_t BigEndian(const std::vector<uint8_t>& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[at + static_cast<size_t>(i)];
  return value;
}

bool Fail(std::string* error, const std::string& reason) {
  *error = reason;
  return false;
}

int DataBytes(uint8_t status) {
  const uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// A meta event after its 0xFF; keeps tempo changes.
bool ReadMeta(ByteReader& reader, uint64_t tick, std::vector<TickedEvent>* events) {
  uint8_t type = 0;
  uint64_t length = 0;
  if (!reader.Byte(&type) || !reader.Variable(&length)) return false;
  if (type != kTempo || length != 3) return reader.Skip(length);
  uint8_t b[3] = {};
  if (!reader.Byte(&b[0]) || !reader.Byte(&b[1]) || !reader.Byte(&b[2])) return false;
  const double tempo = static_cast<double>(b[0] << 16 | b[1] << 8 | b[2]);
  if (tempo > 0.0) events->push_back({tick, events->size(), tempo, {}});
  return true;
}

bool ReadTrack(ByteReader reader, std::vector<TickedEvent>* events) {
  uint64_t tick = 0;
  uint8_t running = 0;
  while (!reader.AtEnd()) {
    uint64_t delta = 0;
    uint8_t status = 0;
    if (!reader.Variable(&delta) || !reader.Byte(&status)) return false;
    tick += delta;
    if (status == kMeta) {
      if (!ReadMeta(reader, tick, events)) return false;
      continue;
    }
    if (status == 0xF0 || status == 0xF7) {
      uint64_t length = 0;
      running = 0;
      if (!reader.Variable(&length) || !reader.Skip(length)) return false;
      continue;
    }
    MidiMessage message;
    uint8_t first = 0;
    if (status & 0x80) {
      running = status;
      if (!reader.Byte(&first)) return false;
    } else if (running) {
      first = status;  // running status: the byte read was the first data byte
    } else {
      return false;
    }
    message.bytes[0] = running;
    message.bytes[1] = first;
    message.size = 1 + DataBytes(running);
    if (message.size == 3 && !reader.Byte(&message.bytes[2])) return false;
    events->push_back({tick, events->size(), 0.0, message});
  }
  return true;
}

// Turns ticks into seconds: through the tempo changes for a division in ticks per
// quarter note, directly for an SMPTE division (frames per second and ticks per frame).
void AssignTimes(uint16_t division, std::vector<TickedEvent>* events, std::vector<MidiMessage>* messages) {
  std::stable_sort(events->begin(), events->end(),
                   [](const TickedEvent& a, const TickedEvent& b) { return a.tick < b.tick; });
  const bool smpte = division & 0x8000;
  const double ticksPerSecond =
      smpte ? static_cast<double>(-static_cast<int8_t>(division >> 8)) * (division & 0xFF) : 0.0;
  double tempo = kDefaultMicrosecondsPerQuarter;
  double seconds = 0.0;
  uint64_t lastTick = 0;
  for (const TickedEvent& event : *events) {
    if (smpte) {
      seconds = static_cast<double>(event.tick) / ticksPerSecond;
    } else {
      seconds += static_cast<double>(event.tick - lastTick) * tempo / 1e6 / division;
      lastTick = event.tick;
    }
    if (event.tempo > 0.0) {
      tempo = event.tempo;
      continue;
    }
    MidiMessage message = event.message;
    message.seconds = seconds;
    messages->push_back(message);
  }
}

}  // namespace

bool DecodeMidiFile(const std::vector<uint8_t>& bytes, std::vector<MidiMessage>* messages, std::string* error) {
  if (bytes.size() < 14 || std::string(bytes.begin(), bytes.begin() + 4) != "MThd") {
    return Fail(error, "not a standard MIDI file (no 'MThd' header)");
  }
  const uint32_t headerLength = BigEndian(bytes, 4, 4);
  const uint16_t format = static_cast<uint16_t>(BigEndian(bytes, 8, 2));
  const uint16_t division = static_cast<uint16_t>(BigEndian(bytes, 12, 2));
  if (format > 1) return Fail(error, "MIDI file format " + std::to_string(format) + " is not supported (0 or 1)");
  const bool smpte = division & 0x8000;
  if (division == 0 || (smpte && ((division & 0xFF) == 0 || static_cast<int8_t>(division >> 8) >= 0))) {
    return Fail(error, "the MIDI file has no valid time division");
  }
  std::vector<TickedEvent> events;
  size_t at = 8 + static_cast<size_t>(std::min<uint32_t>(headerLength, static_cast<uint32_t>(bytes.size())));
  int track = 0;
  while (at + 8 <= bytes.size()) {
    const std::string id(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
    const uint32_t length = BigEndian(bytes, at + 4, 4);
    if (length > bytes.size() - at - 8) return Fail(error, "truncated MIDI file (chunk '" + id + "')");
    if (id == "MTrk" && !ReadTrack(ByteReader(bytes, at + 8, at + 8 + length), &events)) {
      return Fail(error, "damaged MIDI track " + std::to_string(track));
    }
    track += id == "MTrk";
    at += 8 + length;
  }
  if (track == 0) return Fail(error, "the MIDI file has no tracks");
  messages->clear();
  AssignTimes(division, &events, messages);
  return true;
}

bool ReadMidiFile(const std::string& path, std::vector<MidiMessage>* messages, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return Fail(error, "cannot read MIDI file " + path);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  std::string reason;
  if (!DecodeMidiFile(bytes, messages, &reason)) return Fail(error, path + ": " + reason);
  return true;
}
