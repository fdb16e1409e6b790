#include "core/ChannelRecords.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

void ParseChannelConfigs(const char* text, IPointerList<IChannelConfig>& configs,
                         int* maxInputs, int* maxOutputs) {
  *maxInputs = 0;
  *maxOutputs = 0;
  if (text == nullptr) return;
  const char* position = text;
  for (;;) {
    auto* config = new IChannelConfig;
    // A failed or partial scan leaves the numbers not read at 0.
    std::sscanf(position, "%d-%d", &config->inputs, &config->outputs);
    *maxInputs = std::max(*maxInputs, config->inputs);
    *maxOutputs = std::max(*maxOutputs, config->outputs);
    if (!configs.Append(config)) delete config;
    const char* space = std::strchr(position, ' ');
    if (space == nullptr) break;
    position = space + 1;
  }
}
