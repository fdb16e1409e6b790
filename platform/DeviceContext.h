#pragma once
// The drawing context of a system bitmap: the pixel target that system text drawing writes
// into, and the text attributes selected into it (font, text colour, background mode and
// colour). Colours are in the system's COLORREF layout: red + green * 256 + blue * 65536.
// The context only records what is selected; it owns neither the pixels nor the font.

#include <cstdint>

class DeviceContext {
 public:
  // Background modes.
  static constexpr int kTransparent = 1;
  static constexpr int kOpaque = 2;

  // A 32-bit pixel surface, top row first; rowStride is in pixels.
  struct Target {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int rowStride = 0;
  };

  DeviceContext();

  // Each Select/Set operation returns what was selected or set before it.
  Target SelectTarget(const Target& target);
  void* SelectFont(void* font);
  uint32_t SetTextColour(uint32_t colour);
  // Returns 0 and changes nothing for a mode other than kTransparent or kOpaque.
  int SetBackgroundMode(int mode);
  uint32_t SetBackgroundColour(uint32_t colour);

  const Target& CurrentTarget() const { return target_; }
  // Opaque handle of the selected font; null selects the default font.
  void* SelectedFont() const { return font_; }
  uint32_t TextColour() const { return textColour_; }
  int BackgroundMode() const { return backgroundMode_; }
  uint32_t BackgroundColour() const { return backgroundColour_; }

 private:
  Target target_;
  void* font_ = nullptr;
  uint32_t textColour_;
  int backgroundMode_;
  uint32_t backgroundColour_;
};
