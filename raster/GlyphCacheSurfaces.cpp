#include "raster/GlyphCacheSurfaces.h"

#include <new>

#include "platform/DeviceContext.h"

namespace glyph_cache {
namespace {
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0;

PIX_SysBitmap* scratchSurface = nullptr;
PIX_SysBitmap* nativeSurface = nullptr;
int liveFonts = 0;

PIX_SysBitmap* Made(PIX_SysBitmap*& surface) {
  if (surface == nullptr) surface = new (std::nothrow) PIX_SysBitmap(0, 0);
  return surface;
}
}  // namespace

PIX_SysBitmap* GlyphScratchSurface(int size) {
  PIX_SysBitmap* surface = Made(scratchSurface);
  if (surface == nullptr) return nullptr;
  if (surface->Width() < size || surface->Height() < size) {
    surface->SetSize(size, size);
    if (DeviceContext* dc = surface->DeviceContext()) {
      dc->SetTextColour(kWhite);
      dc->SetBackgroundMode(DeviceContext::kOpaque);
      dc->SetBackgroundColour(kBlack);
    }
  }
  return surface;
}

PIX_SysBitmap* NativeTextSurface() { return Made(nativeSurface); }

bool SurfacesExist() { return scratchSurface != nullptr || nativeSurface != nullptr; }

void AddLiveFont() { ++liveFonts; }

void RemoveLiveFont() {
  if (--liveFonts > 0) return;
  liveFonts = 0;
  delete scratchSurface;
  delete nativeSurface;
  scratchSurface = nullptr;
  nativeSurface = nullptr;
}

int LiveFontCount() { return liveFonts; }

}  // namespace glyph_cache
