#pragma once
// The dispatcher through which a VST 2.4 host sends every request other than processing
// and single-parameter access. It never throws: a request that fails answers 0.

#include "host/Vst2.h"

intptr_t VSTDispatcher(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                       float opt) noexcept;
