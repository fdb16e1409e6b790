#pragma once
// Text drawing into a device context's pixels, as the system call of that name does:
// the selected font, anti-aliased coverage blended in the text colour, and with the
// OPAQUE background mode each line's cell box filled with the background colour first.
// Lines break at line feeds (carriage returns ignored) unless DT_SINGLELINE is given;
// vertical placement applies to single-line text only. Without DT_NOCLIP nothing is
// drawn outside the rectangle; nothing is ever drawn outside the context's pixels.

#include <cstdint>

class DeviceContext;

constexpr uint32_t DT_CENTER = 0x1;
constexpr uint32_t DT_RIGHT = 0x2;
constexpr uint32_t DT_VCENTER = 0x4;
constexpr uint32_t DT_BOTTOM = 0x8;
constexpr uint32_t DT_SINGLELINE = 0x20;
constexpr uint32_t DT_NOCLIP = 0x100;
constexpr uint32_t DT_CALCRECT = 0x400;
constexpr uint32_t DT_NOPREFIX = 0x800;

// Left, top, right, bottom in pixels; right and bottom exclusive.
struct TextRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// Returns the height of the text (for single-line text placed with DT_VCENTER or
// DT_BOTTOM, the distance from the rectangle's top to the text's bottom); 0 for empty
// text or a null context or rectangle. With DT_CALCRECT nothing is drawn and the
// rectangle's right and bottom are set to bound the text.
// count < 0 reads up to the terminating zero; a zero always ends the text.
int DrawTextW(DeviceContext* dc, const char16_t* text, int count, TextRect* rect,
              uint32_t format);
// The same for single-byte text read as Latin-1.
int DrawTextA(DeviceContext* dc, const char* text, int count, TextRect* rect, uint32_t format);
