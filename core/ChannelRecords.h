#pragma once
// The records through which audio buffers reach the processing code: the legal channel
// configurations and one record per input and output channel.

#include "core/HeapBuffer.h"
#include "core/PointerList.h"
#include "core/TextBuffer.h"

// One legal (inputs, outputs) pair.
struct IChannelConfig {
  int inputs = 0;
  int outputs = 0;
};

// Parses a channel I/O text such as "2-2" or "1-1 2-2" into configurations, and reports
// the largest input and output counts seen.
void ParseChannelConfigs(const char* text, IPointerList<IChannelConfig>& configs,
                         int* maxInputs, int* maxOutputs);

// An input channel. Its data slot is its entry in the plug-in's input pointer array; a
// disconnected channel's slot points at its zeroed scratch, so processing reads silence.
struct IInputChannel {
  bool connected = false;
  double** dataSlot = nullptr;
  IHeapBuffer scratch;  // block-size 64-bit samples
  ITextBuffer label;
};

// An output channel; a disconnected one writes into its scratch.
struct IOutputChannel {
  bool connected = false;
  double** dataSlot = nullptr;
  float* hostFloatBuffer = nullptr;  // the host's 32-bit buffer for the current block
  IHeapBuffer scratch;
  ITextBuffer label;
};

inline double* ScratchSamples(const IHeapBuffer& scratch) { return scratch.As<double>(); }
