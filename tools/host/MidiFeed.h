#pragma once
// MIDI messages handed to a plug-in block by block, as effProcessEvents takes them: the
// messages that fall in a block, each with its frame offset in it (sample-accurate).

#include <cstdint>
#include <vector>

#include "host/Vst2.h"
#include "tools/host/MidiFile.h"

class MidiFeed {
 public:
  MidiFeed(const std::vector<MidiMessage>& messages, double sampleRate);

  // The events of the frames from start on, frames of them, or null when there are none.
  // The list stays valid until the next call, as plug-ins may keep it until then.
  VstEvents* EventsFor(int64_t start, int32_t frames);

 private:
  std::vector<MidiMessage> messages_;
  std::vector<int64_t> frames_;  // of each message, in order
  size_t next_ = 0;
  std::vector<VstMidiEvent> events_;
  std::vector<intptr_t> list_;  // room for a VstEvents with as many pointers as events_
};
