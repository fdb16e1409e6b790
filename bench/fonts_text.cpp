// One 64-character line drawn 1000 times: through the glyph path with a warm cache,
// through the native path (on a heap bitmap via the native text surface, and on a system
// bitmap's own device context), and, as the baseline, by FreeType rendering and blending
// each character directly.

#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <vector>

#include "platform/FontFace.h"
#include "platform/FontMatch.h"
#include "platform/TextDraw.h"
#include "raster/CachedFont.h"
#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"

namespace {
constexpr int kLineHeight = 14;
constexpr int kIterations = 1000;
constexpr const char* kLine = "Gain -3.5 dB  Mono +1.0 dB  Stereo +4.5 dB  Tessaly 2.0.1 (x64)!";
static_assert(sizeof("Gain -3.5 dB  Mono +1.0 dB  Stereo +4.5 dB  Tessaly 2.0.1 (x64)!") == 65);

std::unique_ptr<PIX_CachedFont> MakeFont() {
  auto font = std::make_unique<PIX_CachedFont>();
  font->UseSystemFont(CreateFontA(kLineHeight, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Verdana"),
                      PIX_FONTOPT_OWNS_FONT | PIX_FONTOPT_NATIVE);
  font->ReplaceForeground(0xFF202020);
  return font;
}

void DrawLines(benchmark::State& state, PIX_IBitmap& target, unsigned format) {
  auto font = MakeFont();
  IRectangle rect{0, 0, target.Width(), target.Height()};
  font->RenderText(&target, kLine, -1, &rect, format);  // warms the glyph cache
  for (auto _ : state) {
    IRectangle r = rect;
    benchmark::DoNotOptimize(font->RenderText(&target, kLine, -1, &r, format));
  }
}

void GlyphPathWarm(benchmark::State& state) {
  PIX_MemBitmap target(640, 24);
  DrawLines(state, target, PIX_TEXT_NO_NATIVE);
}

void NativePathHeapBitmap(benchmark::State& state) {
  PIX_MemBitmap target(640, 24);
  DrawLines(state, target, 0);
}

void NativePathSystemBitmap(benchmark::State& state) {
  PIX_SysBitmap target(640, 24);
  DrawLines(state, target, 0);
}

// The baseline: FreeType loads, renders and the coverage is blended per character.
void FreeTypeDirect(benchmark::State& state) {
  FontMatch match;
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  if (!FindFontFile("Verdana", 400, false, &match) || FT_Init_FreeType(&library) != 0 ||
      FT_New_Face(library, match.file.c_str(), match.faceIndex, &face) != 0) {
    state.SkipWithError("no font");
    return;
  }
  FT_Set_Pixel_Sizes(face, 0, 12);
  std::vector<uint32_t> pixels(640 * 24, 0xFFFFFFFF);
  const uint32_t colour = 0xFF202020;
  for (auto _ : state) {
    int pen = 0;
    for (const char* c = kLine; *c != 0; ++c) {
      if (FT_Load_Char(face, static_cast<unsigned char>(*c), FT_LOAD_RENDER) != 0) continue;
      const FT_GlyphSlot slot = face->glyph;
      const FT_Bitmap& bitmap = slot->bitmap;
      for (unsigned y = 0; y < bitmap.rows; ++y) {
        const int ty = 11 - slot->bitmap_top + static_cast<int>(y);
        if (ty < 0 || ty >= 24) continue;
        for (unsigned x = 0; x < bitmap.width; ++x) {
          const int tx = pen + slot->bitmap_left + static_cast<int>(x);
          const uint32_t k = bitmap.buffer[y * bitmap.pitch + x];
          if (tx < 0 || tx >= 640 || k == 0) continue;
          uint32_t& d = pixels[ty * 640 + tx];
          uint32_t out = 0;
          for (int shift = 0; shift < 32; shift += 8) {
            const uint32_t dc = d >> shift & 0xFF, sc = colour >> shift & 0xFF;
            out |= ((sc * k + dc * (255 - k)) / 255) << shift;
          }
          d = out;
        }
      }
      pen += static_cast<int>(slot->advance.x >> 6);
    }
    benchmark::DoNotOptimize(pixels.data());
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}
}  // namespace

BENCHMARK(FreeTypeDirect)->Iterations(kIterations)->Unit(benchmark::kMicrosecond);
BENCHMARK(GlyphPathWarm)->Iterations(kIterations)->Unit(benchmark::kMicrosecond);
BENCHMARK(NativePathHeapBitmap)->Iterations(kIterations)->Unit(benchmark::kMicrosecond);
BENCHMARK(NativePathSystemBitmap)->Iterations(kIterations)->Unit(benchmark::kMicrosecond);
