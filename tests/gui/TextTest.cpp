#include "gui/EditorFixture.h"
#include "gui/FontCache.h"

namespace guitest {
namespace {

// A surface of 80 × 40 with one bitmap-text control drawn from the editor's font image,
// whose pixels are coloured by their x in the image.
class GlyphSurface {
 public:
  GlyphSurface() : graphics(&plugin, 80, 40) {
    RegisterEditorImages();
    font = graphics.LoadImageStrip(kFontImage, "font.png", 95, true);
    graphics.PrepareSurfaces();
  }

  void Draw(const char* text, const IRectangle& rect, ITextAlign align = ALIGN_NEAR,
            bool wrap = true, bool centre = false, int spacing = 0) {
    const ITextStyle style(12, nullptr, "Arial", FONT_NORMAL, align);
    graphics.AddControl(new IBitmapTextControl(&plugin, rect, font, text, &style, wrap, centre,
                                               6, 12, spacing));
    graphics.RedrawArea({0, 0, 80, 40});
  }
  // The x in the font image that surface pixel (x, y) came from, -1 where nothing was drawn.
  int SourceX(int x, int y) const {
    const PIX_PixelValue p = graphics.Pixel(x, y);
    return p == 0 ? -1 : int(p & 0xFFFF);
  }

  TestEffect plugin;
  TestGraphics graphics;
  IImageStrip font;
};

TEST(GlyphText, EachCharacterShowsItsFrameAndUnknownBytesTheFirst) {
  GlyphSurface s;
  s.Draw("A \x80~", {0, 0, 60, 12});
  EXPECT_EQ(s.SourceX(0, 0), 198);
  EXPECT_EQ(s.SourceX(5, 10), 203);
  EXPECT_EQ(s.SourceX(6, 0), 0);
  EXPECT_EQ(s.SourceX(12, 0), 0);
  EXPECT_EQ(s.SourceX(18, 0), 564);
  EXPECT_EQ(s.SourceX(24, 0), -1);
  // The cell is a pixel taller than the image, which is never read beyond.
  EXPECT_EQ(s.SourceX(0, 11), -1);
}

TEST(GlyphText, WrappingBreaksOnlyTextWiderThanTheRectangle) {
  struct Case {
    const char* text;
    bool wrap;
    int x, y, source;
  };
  const Case cases[] = {
      {"ABCDEFGHIJ", true, 54, 0, 252},  // ten cells fill the 60 pixels
      {"ABCDEFGHIJ", true, 0, 12, -1},
      {"ABCDEFGHIJK", true, 0, 12, 258},  // 66 / 60 + 1 = two lines
      {"ABCDEFGHIJK", false, 0, 12, -1},
      {"ABCDEFGHIJK", false, 60, 0, -1},
  };
  for (const Case& c : cases) {
    GlyphSurface fresh;
    fresh.Draw(c.text, {0, 0, 60, 24}, ALIGN_NEAR, c.wrap);
    EXPECT_EQ(fresh.SourceX(c.x, c.y), c.source) << c.text << " " << c.wrap;
  }
}

TEST(GlyphText, AlignmentCentringAndSpacingPlaceTheCells) {
  struct Case {
    ITextAlign align;
    bool centre;
    int spacing, x, y, source;
  };
  const Case cases[] = {{ALIGN_CENTRE, false, 0, 24, 0, 198}, {ALIGN_CENTRE, false, 0, 23, 0, -1},
                        {ALIGN_FAR, false, 0, 48, 0, 198},    {ALIGN_NEAR, true, 0, 0, 6, 198},
                        {ALIGN_NEAR, false, 2, 8, 0, 204},     {ALIGN_NEAR, false, 2, 6, 0, -1}};
  for (const Case& c : cases) {
    GlyphSurface fresh;
    fresh.Draw("AB", {0, 0, 60, 24}, c.align, true, c.centre, c.spacing);
    EXPECT_EQ(fresh.SourceX(c.x, c.y), c.source) << c.align << " " << c.x << "," << c.y;
  }
}

TEST(GlyphText, DrawingStaysInsideTheSurfaceAndTheStrip) {
  GlyphSurface s;
  s.Draw("ABCDEFGH", {70, 30, 130, 42});
  EXPECT_EQ(s.SourceX(79, 30), 207);
  EXPECT_EQ(s.SourceX(69, 30), -1);
  // With ten frames only, characters beyond them show the first frame.
  s.font.frameCount = 10;
  s.Draw("z(", {0, 0, 60, 12});
  EXPECT_EQ(s.SourceX(0, 0), 0);
  EXPECT_EQ(s.SourceX(6, 0), 456);
}

TEST(SystemText, MeasuredBoxesFollowTheAlignment) {
  TestEffect plugin;
  TestGraphics graphics(&plugin, 200, 40);
  ITextStyle near(13, nullptr, "Arial", FONT_NORMAL, ALIGN_NEAR);
  IRectangle box{100, 0, 200, 20};
  ASSERT_TRUE(graphics.MeasureTextBox(near, "Gain -6.3 dB", box));
  const int width = box.right - 100, height = box.bottom;
  EXPECT_GT(width, 20);
  EXPECT_GT(height, 5);
  EXPECT_EQ(box.left, 100);

  ITextStyle centre = near, far = near;
  centre.alignment = ALIGN_CENTRE;
  far.alignment = ALIGN_FAR;
  box = {100, 0, 200, 20};
  graphics.MeasureTextBox(centre, "Gain -6.3 dB", box);
  EXPECT_EQ(box.left, 150 - width / 2);
  EXPECT_EQ(box.right, box.left + width);
  box = {100, 4, 200, 20};
  graphics.MeasureTextBox(far, "Gain -6.3 dB", box);
  EXPECT_EQ(box.left, 200 - width);
  EXPECT_EQ(box.right, 200);
  EXPECT_EQ(box.bottom, 4 + height);
}

TEST(SystemText, FontsAreCreatedOncePerSizeOrientationStyleAndExactName) {
  TestEffect plugin;
  TestGraphics graphics(&plugin);
  const int entries = FontCache::Instance().EntryCount();
  ITextStyle first(17, nullptr, "Arial"), second(17, nullptr, "Arial"), other(17, nullptr, "arial");
  PIX_CachedFont* font = graphics.ResolveFont(first);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(first.resolvedFont, font);
  EXPECT_EQ(graphics.ResolveFont(second), font);
  EXPECT_NE(graphics.ResolveFont(other), font);
  EXPECT_EQ(FontCache::Instance().EntryCount(), entries + 2);
}

TEST(SystemText, TextIsDrawnInTheStylesColour) {
  TestEffect plugin;
  TestGraphics graphics(&plugin, 120, 30);
  graphics.PrepareSurfaces();
  const IArgbColour red{255, 255, 0, 0};
  ITextStyle style(16, &red, "Arial", FONT_BOLD, ALIGN_NEAR);
  IRectangle box{0, 0, 120, 30};
  ASSERT_TRUE(graphics.RenderTextBox(style, "HHHH", box, false));
  int ink = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 120; ++x) ink += graphics.Pixel(x, y) == 0xFFFF0000u;
  }
  EXPECT_GT(ink, 20);
  EXPECT_TRUE(graphics.RenderTextBox(style, "", box, false));
}

}  // namespace
}  // namespace guitest
