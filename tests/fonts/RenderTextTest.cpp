#include <gtest/gtest.h>

#include <string>

#include "FontTestSupport.h"
#include "platform/TextDraw.h"
#include "raster/CombineMode.h"
#include "raster/RenderText.h"
#include "raster/SysBitmap.h"

namespace {
constexpr unsigned kGlyphs = PIX_TEXT_NO_NATIVE;

IRectangle Measure(PIX_CachedFont& font, const char* text, unsigned format = kGlyphs,
                   PIX_IBitmap* target = nullptr) {
  IRectangle rect{0, 0, 0, 0};
  font.RenderText(target, text, -1, &rect, format | DT_CALCRECT);
  return rect;
}

int Advance(PIX_CachedFont& font, int code) { return font.GlyphFor(code)->advance; }

// A heap bitmap that asks for the glyph path.
class GlyphPathBitmap : public PIX_MemBitmap {
 public:
  using PIX_MemBitmap::PIX_MemBitmap;
  intptr_t QueryExtension(int code, void*) override { return code == PIX_GLYPH_PATH_EXTENSION; }
};

TEST(RenderText, GlyphPathDecodesUtf8Leniently) {
  auto font = MakeCachedFont(PIX_FONTOPT_NATIVE);
  struct Case {
    const char* text;
    int width;
  } cases[] = {
      {"\xF0\x9F\x98\x80", Advance(*font, ' ')},
      {"\xE9", Advance(*font, 0xE9)},
      {"\xC3\xA9", Advance(*font, 0xE9)},
      {"\xC3\xC0", Advance(*font, 0xC3) + Advance(*font, 0xC0)},
      {"a\rb", Advance(*font, 'a') + Advance(*font, 'b')},
  };
  for (const Case& c : cases) EXPECT_EQ(Measure(*font, c.text).right, c.width) << c.text;

  auto prerendered = MakeCachedFont(PIX_FONTOPT_PRERENDER);
  EXPECT_EQ(Measure(*prerendered, "a\xC3\xA9" "b").right, Measure(*prerendered, "ab").right);
}

TEST(RenderText, LineFeedsStartLinesUnlessSingleLine) {
  auto font = MakeCachedFont(0, 20);
  const IRectangle one = Measure(*font, "ab");
  EXPECT_EQ(one.bottom, 20);
  EXPECT_EQ(Measure(*font, "ab\ncd").bottom, 40);
  EXPECT_EQ(Measure(*font, "ab\r\ncd").bottom, 40);
  EXPECT_EQ(Measure(*font, "ab\ncd", DT_SINGLELINE).right, Measure(*font, "ab cd").right);
  EXPECT_EQ(Measure(*font, "ab\ncd", DT_SINGLELINE).bottom, 20);
  // Counted text stops after count bytes; 0 and -1 read to the terminator.
  IRectangle rect{0, 0, 0, 0};
  font->RenderText(nullptr, "abcd", 2, &rect, DT_CALCRECT);
  EXPECT_EQ(rect.right, one.right);
  font->RenderText(nullptr, "ab", 0, &rect, DT_CALCRECT);
  EXPECT_EQ(rect.right, one.right);
}

TEST(RenderText, NativeAndGlyphPathsAgreeOnTheBoxOfAsciiText) {
  auto font = MakeCachedFont(PIX_FONTOPT_NATIVE, 17);
  for (const char* text : {"Gain 12.5 dB", "Hello, World", "mid/side"}) {
    const IRectangle native = Measure(*font, text, 0);
    const IRectangle glyphs = Measure(*font, text, kGlyphs);
    EXPECT_NEAR(native.right, glyphs.right, 1) << text;
    EXPECT_NEAR(native.bottom, glyphs.bottom, 1) << text;
  }
}

TEST(RenderText, DrawingLandsWhereTheAlignmentSays) {
  const IRectangle box{10, 5, 190, 75};
  const unsigned formats[] = {0, DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM | DT_RIGHT};
  for (unsigned path : {0u, kGlyphs}) {
    for (unsigned format : formats) {
      auto font = MakeCachedFont(PIX_FONTOPT_NATIVE, 20);
      font->ReplaceForeground(0xFFFFFFFF);
      const IRectangle size = Measure(*font, "HIH", path);
      PIX_MemBitmap target(200, 80);
      Paint(target, kPaper);
      IRectangle rect = box;
      font->RenderText(&target, "HIH", -1, &rect, format | path);
      const InkBox ink = FindInk(target);
      ASSERT_FALSE(ink.Empty());
      int left = box.left, top = box.top;
      if (format & DT_CENTER) left = box.left + (180 - size.right) / 2;
      if (format & DT_RIGHT) left = box.right - size.right;
      if (format & DT_VCENTER) top = box.top + (70 - size.bottom) / 2;
      if (format & DT_BOTTOM) top = box.bottom - size.bottom;
      EXPECT_NEAR(ink.left, left, 3) << format << " " << path;
      EXPECT_NEAR(ink.right, left + size.right, 3) << format << " " << path;
      EXPECT_GE(ink.top, top) << format << " " << path;
      EXPECT_LE(ink.bottom, top + size.bottom) << format << " " << path;
    }
  }
}

TEST(RenderText, NothingIsDrawnOutsideTheClipOnEveryPath) {
  const char* text = "WWWW\xC3\xA9WWWW\nWWWWWWWW";
  const IRectangle rects[] = {{10, 10, 30, 25}, {-20, -20, 15, 15}, {50, 40, 500, 500}, {30, 30, 10, 10}};
  for (unsigned path : {0u, kGlyphs}) {
    for (bool system : {false, true}) {
      for (const IRectangle& r : rects) {
        auto font = MakeCachedFont(PIX_FONTOPT_NATIVE, 30);
        font->ReplaceForeground(0xFF000000);
        font->ReplaceBackgroundMode(PIX_BK_OPAQUE);
        std::unique_ptr<PIX_IBitmap> target(system ? static_cast<PIX_IBitmap*>(new PIX_SysBitmap(60, 50))
                                                   : new PIX_MemBitmap(60, 50));
        Paint(*target, kPaper);
        IRectangle rect = r;
        font->RenderText(target.get(), text, -1, &rect, DT_CENTER | path);
        const InkBox ink = FindInk(*target);
        if (ink.Empty()) continue;
        EXPECT_GE(ink.left, std::max(r.left, 0));
        EXPECT_GE(ink.top, std::max(r.top, 0));
        EXPECT_LE(ink.right, r.right);
        EXPECT_LE(ink.bottom, r.bottom);
      }
    }
  }
}

TEST(RenderText, ColourAlphaTakesTheGlyphPathWithScaledOpacity) {
  auto font = MakeCachedFont(PIX_FONTOPT_NATIVE, 20);
  PIX_MemBitmap viaColour(80, 30), viaBlend(80, 30);
  Paint(viaColour, kPaper);
  Paint(viaBlend, kPaper);
  IRectangle rect{0, 0, 80, 30};
  font->ReplaceForeground(0x80FFFFFF);
  font->RenderText(&viaColour, "Ag", -1, &rect, PIX_TEXT_USE_COLOR_ALPHA);
  font->SetBlend(PIX_COMBINE_COPY, 128 / 255.0f);
  font->RenderText(&viaBlend, "Ag", -1, &rect, kGlyphs);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(viaColour.Row(y)[x], viaBlend.Row(y)[x]) << x << "," << y;
  EXPECT_FALSE(FindInk(viaColour).Empty());
  // A fully transparent colour draws nothing.
  font->ReplaceForeground(0x00FFFFFF);
  EXPECT_EQ(font->RenderText(&viaColour, "Ag", -1, &rect, PIX_TEXT_USE_COLOR_ALPHA), 0);
}

TEST(RenderText, TallFontsDrawNativelyUnlessTheTargetAsksForGlyphs) {
  auto font = MakeCachedFont(PIX_FONTOPT_BLUR, 300);
  PIX_MemBitmap target(400, 320);
  IRectangle rect{0, 0, 400, 320};
  EXPECT_EQ(font->RenderText(&target, "A", -1, &rect, 0), 300);  // the system's result
  EXPECT_EQ(font->Cache().Find('A')->position, 0);
  GlyphPathBitmap glyphTarget(400, 320);
  font->RenderText(&glyphTarget, "A", -1, &rect, 0);
  EXPECT_GT(font->Cache().Find('A')->position, 0);
  // Above 1023 the glyph path gives up.
  auto huge = MakeCachedFont(0, 1100);
  GlyphPathBitmap small(20, 20);
  IRectangle smallRect{0, 0, 20, 20};
  EXPECT_EQ(huge->RenderText(&small, "A", -1, &smallRect, 0), 0);
}

TEST(RenderText, BadInputDrawsNothingAndAnswersZero) {
  auto font = MakeCachedFont(PIX_FONTOPT_NATIVE);
  PIX_MemBitmap target(40, 40);
  Paint(target, kPaper);
  IRectangle rect{0, 0, 40, 40};
  for (unsigned path : {0u, kGlyphs}) {
    EXPECT_EQ(font->RenderText(nullptr, "abc", -1, &rect, path), 0);
    EXPECT_EQ(font->RenderText(&target, nullptr, -1, &rect, path), 0);
    EXPECT_EQ(font->RenderText(&target, "abc", -1, nullptr, path), 0);
    IRectangle empty{0, 0, 0, 0};
    // The native path answers what the system measured even when nothing shows.
    EXPECT_EQ(font->RenderText(&target, "abc", -1, &empty, path), path == kGlyphs ? 0 : 20);
    font->RenderText(&target, "", -1, &rect, path);
    font->RenderText(&target, "\xFF\xFE\xC3", -1, &rect, path | DT_NOCLIP);
  }
  EXPECT_FALSE(FindInk(target).Empty());  // the invalid bytes drew as Latin-1 characters
  PIX_MemBitmap bare;  // no storage
  EXPECT_EQ(font->RenderText(&bare, "abc", -1, &rect, kGlyphs), 0);
  font->RenderText(&bare, "abc", -1, &rect, 0);
  const IRectangle measured = Measure(*font, "abc", 0);
  EXPECT_GT(measured.right, 0);
  EXPECT_EQ(measured.bottom, 20);
  EXPECT_FALSE(IsRunningUnderWine());
}
}  // namespace
