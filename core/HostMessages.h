#pragma once
// Records exchanged with the host: MIDI messages and the transport state.

#include <cstdint>

// A short MIDI message at a frame offset into the current block.
struct IMidiMessage {
  int32_t offset = 0;
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};

// A system-exclusive message; the bytes belong to the sender.
struct ISysExMessage {
  int32_t offset = 0;
  int32_t size = 0;
  const uint8_t* data = nullptr;
};

// The host's transport state; fields the host does not report keep the caller's values.
struct ITransportInfo {
  double tempo = 0.0;
  double samplePosition = 0.0;
  double ppqPosition = 0.0;
  double lastBarStart = 0.0;
  double cycleStart = 0.0;
  double cycleEnd = 0.0;
  int32_t numerator = 0;
  int32_t denominator = 0;
  bool playing = false;
  bool looping = false;
};
