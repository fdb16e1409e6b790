#pragma once
// The audio and parameter callbacks a VST 2.4 host calls directly. None of them throws:
// a replacing call that fails leaves silence in the host's outputs, an accumulating one
// leaves them as they were, and a failed parameter read answers 0.

#include "host/Vst2.h"

void HostProcessAccumulate(AEffect* effect, float** inputs, float** outputs,
                           int32_t frames) noexcept;
void HostProcessFloat(AEffect* effect, float** inputs, float** outputs, int32_t frames) noexcept;
void HostProcessDouble(AEffect* effect, double** inputs, double** outputs,
                       int32_t frames) noexcept;
void HostSetParameter(AEffect* effect, int32_t index, float value) noexcept;
float HostGetParameter(AEffect* effect, int32_t index) noexcept;
