#include "platform/DeviceContext.h"

#include <utility>

namespace {
// A fresh context draws black text on an opaque white background.
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
}  // namespace

DeviceContext::DeviceContext()
    : textColour_(kBlack), backgroundMode_(kOpaque), backgroundColour_(kWhite) {}

DeviceContext::Target DeviceContext::SelectTarget(const Target& target) {
  return std::exchange(target_, target);
}

void* DeviceContext::SelectFont(void* font) { return std::exchange(font_, font); }

uint32_t DeviceContext::SetTextColour(uint32_t colour) {
  return std::exchange(textColour_, colour);
}

int DeviceContext::SetBackgroundMode(int mode) {
  if (mode != kTransparent && mode != kOpaque) return 0;
  return std::exchange(backgroundMode_, mode);
}

uint32_t DeviceContext::SetBackgroundColour(uint32_t colour) {
  return std::exchange(backgroundColour_, colour);
}
