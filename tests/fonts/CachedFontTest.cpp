#include <gtest/gtest.h>

#include <vector>

#include "FontTestSupport.h"
#include "raster/CombineMode.h"
#include "raster/GlyphCacheSurfaces.h"
#include "raster/SysBitmap.h"

namespace {
std::vector<uint8_t> ImageOf(PIX_CachedFont& font, int code, int* width, int* height) {
  const CachedGlyph* glyph = font.GlyphFor(code);
  EXPECT_NE(glyph, nullptr);
  if (glyph == nullptr) return {};
  *width = glyph->width;
  *height = glyph->height;
  const uint8_t* bytes = font.Cache().Image(*glyph);
  EXPECT_NE(bytes, nullptr);
  return bytes ? std::vector<uint8_t>(bytes, bytes + glyph->width * glyph->height)
               : std::vector<uint8_t>();
}

TEST(CachedFont, GlyphImagesAreTrimmedCoverageOfTheCellHeight) {
  auto font = MakeCachedFont(0, 20);
  EXPECT_EQ(font->RowHeight(), 20);
  for (int code : {int('A'), int('H'), int('g'), 0xE9}) {
    const CachedGlyph* glyph = font->GlyphFor(code);
    ASSERT_NE(glyph, nullptr) << code;
    EXPECT_GT(glyph->position, 0);
    EXPECT_EQ(glyph->height, 20);
    EXPECT_GT(glyph->advance, 0);
    int width = 0, height = 0;
    const std::vector<uint8_t> image = ImageOf(*font, code, &width, &height);
    EXPECT_NE(std::count(image.begin(), image.end(), 255), 0) << code;
  }
  // 'H' has no ink right of its advance: stored exactly advance wide (margin 1 trimmed).
  const CachedGlyph* h = font->GlyphFor('H');
  EXPECT_EQ(h->width, h->advance);
  // A space has an advance but no ink; control codes have nothing.
  EXPECT_EQ(font->GlyphFor(' ')->width, font->GlyphFor(' ')->advance);
  EXPECT_EQ(font->GlyphFor(7)->position, -1);

  // Italic 'f' reaches past its advance and keeps those columns.
  auto italic = MakeCachedFont(0, 40, "DejaVu Serif", true);
  const CachedGlyph* f = italic->GlyphFor('f');
  EXPECT_GT(f->width, f->advance);
}

TEST(CachedFont, ExtendedGlyphsStaySortedAndFindable) {
  auto font = MakeCachedFont(0);
  const int codes[] = {0x20AC, 0xE9, 0x3A9, 0xC0, 0x401};
  for (int code : codes) ASSERT_NE(font->GlyphFor(code), nullptr);
  for (int code : codes) {
    const CachedGlyph* glyph = font->Cache().Find(code);
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->code, code);
    EXPECT_GT(glyph->position, 0);
  }
  EXPECT_EQ(font->Cache().ExtendedCount(), 5);
  EXPECT_EQ(font->Cache().Find(0x100), nullptr);
}

TEST(CachedFont, RotationTurnsTheImageAQuarter) {
  auto plain = MakeCachedFont(0, 24);
  int w = 0, h = 0;
  const std::vector<uint8_t> upright = ImageOf(*plain, 'R', &w, &h);
  struct Case {
    int options;
    bool clockwise;
  } cases[] = {{PIX_FONTOPT_ROTATED, true}, {PIX_FONTOPT_ROTATED | PIX_FONTOPT_ROTATED_UP, false}};
  for (const Case& c : cases) {
    auto turned = MakeCachedFont(c.options, 24);
    int tw = 0, th = 0;
    const std::vector<uint8_t> image = ImageOf(*turned, 'R', &tw, &th);
    ASSERT_EQ(tw, h);
    ASSERT_EQ(th, w);
    for (int i = 0; i < th; ++i)
      for (int j = 0; j < tw; ++j) {
        const uint8_t old = c.clockwise ? upright[(h - 1 - j) * w + i] : upright[j * w + (w - 1 - i)];
        ASSERT_EQ(image[i * tw + j], old) << c.options << " " << i << "," << j;
      }
  }
}

TEST(CachedFont, OptionsChangeTheStoredBytes) {
  auto plain = MakeCachedFont(0, 24);
  int w = 0, h = 0;
  const std::vector<uint8_t> coverage = ImageOf(*plain, 'B', &w, &h);
  auto bytesFor = [&](int options) {
    auto font = MakeCachedFont(options, 24);
    int ow = 0, oh = 0;
    std::vector<uint8_t> image = ImageOf(*font, 'B', &ow, &oh);
    EXPECT_EQ(ow, w);
    EXPECT_EQ(oh, h);
    return image;
  };
  const std::vector<uint8_t> inverted = bytesFor(PIX_FONTOPT_INVERT);
  const std::vector<uint8_t> mono = bytesFor(PIX_FONTOPT_MONO);
  const std::vector<uint8_t> blurred = bytesFor(PIX_FONTOPT_BLUR);
  const std::vector<uint8_t> shadow = bytesFor(PIX_FONTOPT_SHADOW);
  const std::vector<uint8_t> outline = bytesFor(PIX_FONTOPT_OUTLINE);
  const std::vector<uint8_t> both = bytesFor(PIX_FONTOPT_SHADOW | PIX_FONTOPT_OUTLINE);
  EXPECT_EQ(both, shadow);  // outline is ignored with shadow
  EXPECT_NE(blurred, coverage);
  auto ink = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < w && y < h && coverage[y * w + x] > 130;
  };
  int shadowMarks = 0, outlineMarks = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int i = y * w + x;
      EXPECT_EQ(inverted[i], 255 - coverage[i]);
      EXPECT_EQ(mono[i], ink(x, y) ? 255 : 0);
      const bool shadowed = !ink(x, y) && (ink(x - 1, y) || ink(x - 1, y - 1) || ink(x, y - 1));
      const bool outlined =
          !ink(x, y) && (ink(x, y - 1) || ink(x, y + 1) || ink(x - 1, y) || ink(x + 1, y));
      EXPECT_EQ(shadow[i], ink(x, y) ? 255 : shadowed ? 128 : 0) << x << "," << y;
      EXPECT_EQ(outline[i], ink(x, y) ? 255 : outlined ? 128 : 0) << x << "," << y;
      shadowMarks += shadowed;
      outlineMarks += outlined;
    }
  EXPECT_GT(shadowMarks, 0);
  EXPECT_GT(outlineMarks, shadowMarks);
}

TEST(CachedFont, PrerenderFillsTheAsciiTableAndNeverCachesOtherCodes) {
  auto font = MakeCachedFont(PIX_FONTOPT_PRERENDER);
  EXPECT_GT(font->Cache().Find('A')->position, 0);
  EXPECT_GT(font->Cache().Find('~')->position, 0);
  EXPECT_EQ(font->Cache().Find(3)->position, -1);
  EXPECT_EQ(font->GlyphFor(0xE9), nullptr);
  EXPECT_EQ(font->Cache().ExtendedCount(), 0);
}

TEST(CachedFont, ReattachingEmptiesTheCacheAndSettersLeaveItAlone) {
  auto font = MakeCachedFont(0);
  font->GlyphFor('A');
  font->GlyphFor(0xE9);
  EXPECT_EQ(font->ReplaceForeground(0xFF112233), 0u);
  EXPECT_EQ(font->ReplaceForeground(0), 0xFF112233u);
  EXPECT_EQ(font->ReplaceBackground(1), 0xFFFFFFFFu);
  EXPECT_EQ(font->ReplaceEffectColor(2), 0xFFFFFFFFu);
  EXPECT_EQ(font->ReplaceBackgroundMode(PIX_BK_OPAQUE), PIX_BK_TRANSPARENT);
  EXPECT_GT(font->Cache().Find('A')->position, 0);
  font->UseSystemFont(CreateFontA(30, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"),
                      PIX_FONTOPT_OWNS_FONT);
  EXPECT_EQ(font->RowHeight(), 30);
  EXPECT_EQ(font->Cache().Find('A')->position, 0);
  EXPECT_EQ(font->Cache().ExtendedCount(), 0);
  EXPECT_EQ(font->Cache().Store().ByteCount(), 0);
}

TEST(CachedFont, LastFontTakesTheSharedSurfacesWithIt) {
  ASSERT_EQ(glyph_cache::LiveFontCount(), 0);
  {
    auto first = MakeCachedFont(0);
    auto second = MakeCachedFont(0);
    EXPECT_EQ(glyph_cache::LiveFontCount(), 2);
    EXPECT_TRUE(glyph_cache::SurfacesExist());
    EXPECT_GE(glyph_cache::GlyphScratchSurface(0)->Width(), 256);
  }
  EXPECT_EQ(glyph_cache::LiveFontCount(), 0);
  EXPECT_FALSE(glyph_cache::SurfacesExist());
  auto again = MakeCachedFont(0);
  PIX_MemBitmap target(50, 30);
  IRectangle rect{0, 0, 50, 30};
  EXPECT_GT(again->RenderText(&target, "Ab", -1, &rect, 0), 0);
  EXPECT_TRUE(glyph_cache::SurfacesExist());
}

// Draws a coverage glyph on a uniform target and checks every pixel against the plain
// per-pixel rule of the combine kind.
TEST(RenderGlyph, CoverageWeightsFollowTheCombineRules) {
  auto font = MakeCachedFont(0, 24);
  int w = 0, h = 0;
  const std::vector<uint8_t> image = ImageOf(*font, 'S', &w, &h);
  const PIX_PixelValue text = 0x00C08040;  // alpha byte ignored: source alpha is 255
  font->ReplaceForeground(text);
  const int d = 0x30;  // every channel of the target
  struct Case {
    int mode;
    float alpha;
  } cases[] = {{PIX_COMBINE_COPY, 1.0f}, {PIX_COMBINE_COPY, 0.5f}, {PIX_COMBINE_ADD, 1.0f},
               {PIX_COMBINE_ADD, 0.3f},  {PIX_COMBINE_COPY | PIX_COMBINE_SOURCE_ALPHA, 0.75f}};
  for (const Case& c : cases) {
    font->SetBlend(c.mode, c.alpha);
    PIX_MemBitmap target(w, h);
    Paint(target, 0x30303030);
    const IRectangle clip{0, 0, w, h};
    ASSERT_TRUE(font->RenderGlyph(&target, 'S', 0, 0, &clip));
    const int a = static_cast<int>(c.alpha * 256.0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int g = image[y * w + x];
        const int k = a == 256 ? g + 1 : std::min(a * g / 256, 256);
        const PIX_PixelValue got = target.Row(y)[x];
        for (int ch = 0; ch < 4; ++ch) {
          const int s = ch == 3 ? 255 : (text >> (8 * ch)) & 0xFF;
          int expected = d;
          if (g != 0 && (c.mode & 0xFF) == PIX_COMBINE_COPY)
            expected = k == 256 ? s : s + (d - s) * (256 - k) / 256;
          if (g != 0 && (c.mode & 0xFF) == PIX_COMBINE_ADD)
            expected = std::min(255, d + s * k / 256);
          ASSERT_EQ(int(got >> (8 * ch) & 0xFF), expected) << c.mode << " " << c.alpha;
        }
      }
  }
}

TEST(RenderGlyph, TwoToneGlyphsStoreWholeColoursAtFullOpacity) {
  auto font = MakeCachedFont(PIX_FONTOPT_SHADOW, 24);
  int w = 0, h = 0;
  const std::vector<uint8_t> image = ImageOf(*font, 'T', &w, &h);
  font->ReplaceForeground(0x80FF0000);
  font->ReplaceEffectColor(0x4000FF00);
  for (float alpha : {1.0f, 0.999f}) {
    font->SetBlend(PIX_COMBINE_COPY, alpha);
    PIX_MemBitmap target(w, h);
    Paint(target, kPaper);
    const IRectangle clip{0, 0, w, h};
    font->RenderGlyph(&target, 'T', 0, 0, &clip);
    for (int i = 0; i < w * h; ++i) {
      const PIX_PixelValue got = target.Row(i / w)[i % w];
      if (image[i] == 0) {
        EXPECT_EQ(got, kPaper);
      } else if (alpha == 1.0f) {
        EXPECT_EQ(got, image[i] == 255 ? 0x80FF0000u : 0x4000FF00u);
      } else {
        EXPECT_EQ(got >> 24, 255u);  // blended as an opaque source
      }
    }
  }
}

TEST(RenderGlyph, DrawsNothingOutsideTheClipOrTheTarget) {
  auto font = MakeCachedFont(0, 40);
  font->ReplaceBackgroundMode(PIX_BK_OPAQUE);
  font->ReplaceBackground(0xFF00FF00);
  font->GlyphFor('W');
  const IRectangle clips[] = {{10, 10, 20, 20}, {-50, -50, 15, 12}, {30, 0, 1000, 1000}};
  for (const IRectangle& clip : clips) {
    PIX_MemBitmap target(40, 40);
    Paint(target, kPaper);
    font->RenderGlyph(&target, 'W', 5, -8, &clip);
    const InkBox ink = FindInk(target);
    if (ink.Empty()) continue;
    EXPECT_GE(ink.left, std::max(clip.left, 0));
    EXPECT_GE(ink.top, std::max(clip.top, 0));
    EXPECT_LE(ink.right, clip.right);
    EXPECT_LE(ink.bottom, clip.bottom);
  }
  PIX_MemBitmap target(40, 40);
  const IRectangle clip{0, 0, 40, 40};
  EXPECT_FALSE(font->RenderGlyph(&target, 'W', 40, 0, &clip));
  EXPECT_FALSE(font->RenderGlyph(&target, 'W', -200, 0, &clip));
  EXPECT_FALSE(font->RenderGlyph(&target, 'q', 0, 0, &clip));  // not rendered yet
  EXPECT_FALSE(font->RenderGlyph(nullptr, 'W', 0, 0, &clip));
  EXPECT_FALSE(font->RenderGlyph(&target, 'W', 0, 0, nullptr));
}
}  // namespace
