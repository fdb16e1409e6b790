#pragma once
// How an image is combined into the editor surface: a method and a global opacity.

#include <cstdint>

enum IBlendMethod : int32_t {
  BLEND_ALPHA = 0,   // weighted by the source's own alpha
  BLEND_OPAQUE = 1,  // plain copy, source alpha ignored
  BLEND_ADD = 2,
  BLEND_DODGE = 3,
};

struct IBlendSpec {
  IBlendMethod method;
  float weight;  // 0.0-1.0
};

// What a missing blend stands for.
constexpr IBlendSpec kDefaultBlend{BLEND_ALPHA, 1.0f};

// The raster library's combine mode for a method; unknown methods combine like BLEND_ALPHA.
int CombineModeFor(IBlendMethod method);
