#pragma once
// Integer fixed-point helpers shared by the blending routines: channel access, the weight
// of an opacity, and the per-channel formulas of the combine kinds with everything that
// does not depend on the destination split off so loops can hoist it. Weights are 8-bit
// fixed point (256 = full). Division truncates toward zero for negative values too, which
// the formulas depend on.

#include <cmath>

#include "raster/Bitmap.h"

namespace pix {

inline int Div128(int x) { return x / 128; }
inline int Div256(int x) { return x / 256; }
inline int Div1024(int x) { return x / 1024; }
inline int Div16384(int x) { return x / 16384; }

inline int Clamp255(int x) { return x < 0 ? 0 : (x > 255 ? 255 : x); }

// Limit of the integer weight: keeps every blend formula within 32-bit arithmetic.
constexpr int kMaxWeight = 16384;

// The integer weight of an opacity: trunc(alpha * 256) in double precision, limited to
// +-kMaxWeight; a NaN opacity weighs 0.
inline int WeightFromAlpha(float alpha) {
  const double scaled = static_cast<double>(alpha) * 256.0;
  if (std::isnan(scaled)) return 0;
  if (scaled >= kMaxWeight) return kMaxWeight;
  if (scaled <= -kMaxWeight) return -kMaxWeight;
  return static_cast<int>(scaled);
}

inline int Channel(PIX_PixelValue pixel, int index) { return (pixel >> (8 * index)) & 0xFF; }
inline int Blue(PIX_PixelValue pixel) { return pixel & 0xFF; }
inline int Green(PIX_PixelValue pixel) { return (pixel >> 8) & 0xFF; }
inline int Red(PIX_PixelValue pixel) { return (pixel >> 16) & 0xFF; }
inline int Alpha(PIX_PixelValue pixel) { return pixel >> 24; }

inline PIX_PixelValue MakePixel(int blue, int green, int red, int alpha) {
  return PIX_PixelValue(blue & 0xFF) | PIX_PixelValue(green & 0xFF) << 8 |
         PIX_PixelValue(red & 0xFF) << 16 | PIX_PixelValue(alpha & 0xFF) << 24;
}

// Per-byte shifts of a whole pixel: every channel shifted right by 1 or 2.
inline PIX_PixelValue HalfBytes(PIX_PixelValue p) { return (p >> 1) & 0x7F7F7F7Fu; }
inline PIX_PixelValue QuarterBytes(PIX_PixelValue p) { return (p >> 2) & 0x3F3F3F3Fu; }
inline PIX_PixelValue EighthBytes(PIX_PixelValue p) { return (p >> 3) & 0x1F1F1F1Fu; }

// Weighted copy: k is the weight of the destination (256 - weight).
inline int LerpChannel(int s, int d, int k) { return s + Div256((d - s) * k); }

inline int AddTerm(int s, int weight) { return Div256(s * weight); }
inline int AddChannel(int d, int term) { return Clamp255(d + term); }

inline int DodgeDivisor(int s, int weight) { return 256 - Div256(s * weight); }
// Unclamped; a divisor below 2 multiplies instead of dividing.
inline int DodgeChannelRaw(int d, int divisor) {
  return divisor < 2 ? d * 256 : d * 256 / divisor;
}
inline int DodgeChannel(int d, int divisor) { return Clamp255(DodgeChannelRaw(d, divisor)); }

inline int MultiplyFactor(int s, int weight) { return s * weight + (256 - weight) * 256; }
// Low 8 bits, no clamping; the shift is arithmetic.
inline int MultiplyChannel(int d, int factor) { return ((factor * d) >> 16) & 0xFF; }

inline int OverlayTerm(int s, int weight) { return s * weight + (256 - weight) * 128; }
inline int OverlayChannelRaw(int d, int term) {
  return ((Div256((32768 - term) * d) + term) * d) >> 15;
}
inline int OverlayChannel(int d, int term) { return Clamp255(OverlayChannelRaw(d, term)); }

// Hue shift of the HSV kind: red 128 leaves the hue alone.
inline int HueShift(int red, int weight) { return Div256((red / 2 + red - 192) * weight); }
// Saturation and value shift of the HSV kind: 128 leaves them alone.
inline int HsvShift(int channel, int weight) { return Div128((channel - 128) * weight); }
inline int WrapHue(int hue) { return hue < 0 ? hue + 384 : (hue >= 384 ? hue - 384 : hue); }

}  // namespace pix
