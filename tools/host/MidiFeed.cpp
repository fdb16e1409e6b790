#include "tools/host/MidiFeed.h"

#include <algorithm>
#include <cmath>

MidiFeed::MidiFeed(const std::vector<MidiMessage>& messages, double sampleRate) : messages_(messages) {
  for (const MidiMessage& message : messages_) frames_.push_back(std::llround(message.seconds * sampleRate));
}

VstEvents* MidiFeed::EventsFor(int64_t start, int32_t frames) {
  while (next_ < frames_.size() && frames_[next_] < start) ++next_;  // none are skipped in order
  size_t last = next_;
  while (last < frames_.size() && frames_[last] < start + frames) ++last;
  if (last == next_) return nullptr;
  events_.assign(last - next_, VstMidiEvent{});
  for (size_t i = 0; i < events_.size(); ++i) {
    const MidiMessage& message = messages_[next_ + i];
    VstMidiEvent& event = events_[i];
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = static_cast<int32_t>(frames_[next_ + i] - start);
    for (int b = 0; b < message.size; ++b) event.midiData[b] = static_cast<char>(message.bytes[b]);
  }
  next_ = last;
  const size_t bytes = sizeof(VstEvents) + events_.size() * sizeof(VstEvent*);
  list_.assign(bytes / sizeof(intptr_t) + 1, 0);
  auto* list = reinterpret_cast<VstEvents*>(list_.data());
  list->numEvents = static_cast<int32_t>(events_.size());
  for (size_t i = 0; i < events_.size(); ++i) list->events[i] = reinterpret_cast<VstEvent*>(&events_[i]);
  return list;
}
