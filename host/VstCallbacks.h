#pragma once
// The audio and parameter callbacks a VST 2.4 host calls directly.

#include "host/Vst2.h"

void HostProcessAccumulate(AEffect* effect, float** inputs, float** outputs, int32_t frames);
void HostProcessFloat(AEffect* effect, float** inputs, float** outputs, int32_t frames);
void HostProcessDouble(AEffect* effect, double** inputs, double** outputs, int32_t frames);
void HostSetParameter(AEffect* effect, int32_t index, float value);
float HostGetParameter(AEffect* effect, int32_t index);
