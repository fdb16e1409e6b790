#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/FontFace.h"
#include "platform/FontMatch.h"

namespace {
struct FontDeleter {
  void operator()(FontFace* font) const { DeleteObject(font); }
};
using FontPtr = std::unique_ptr<FontFace, FontDeleter>;

FontPtr MakeFont(const char* face, int height, int weight = 400, bool italic = false,
                 int escapement = 0, uint32_t quality = 0) {
  return FontPtr(CreateFontA(height, 0, escapement, escapement, weight, italic, 0, 0, 0, 0, 0,
                             quality, 0, face));
}

TEST(FindFontFile, ResolvesWindowsNamesAndUnknownNamesToInstalledSansFaces) {
  const char* names[] = {"Arial", "Verdana", "No Such Face 42", "", nullptr};
  for (const char* name : names) {
    FontMatch match;
    ASSERT_TRUE(FindFontFile(name, 400, false, &match)) << (name ? name : "null");
    EXPECT_NE(match.file.find("Sans"), std::string::npos) << match.file;
    EXPECT_FALSE(match.needsEmbolden);
    EXPECT_FALSE(match.needsOblique);
  }
}

// The setup installs Liberation Sans with all four faces.
TEST(FindFontFile, PicksBoldAndItalicFacesWhenInstalled) {
  struct Case {
    int weight;
    bool italic;
    const char* fileSuffix;
  } cases[] = {{400, false, "Sans-Regular.ttf"},
               {700, false, "Sans-Bold.ttf"},
               {400, true, "Sans-Italic.ttf"},
               {700, true, "Sans-BoldItalic.ttf"}};
  for (const Case& c : cases) {
    FontMatch match;
    ASSERT_TRUE(FindFontFile("Liberation Sans", c.weight, c.italic, &match));
    const std::string suffix = c.fileSuffix;
    ASSERT_GE(match.file.size(), suffix.size());
    EXPECT_EQ(match.file.substr(match.file.size() - suffix.size()), suffix) << match.file;
    EXPECT_FALSE(match.needsEmbolden || match.needsOblique) << match.file;
  }
}

// DejaVu Sans's oblique faces are an optional package: without them the upright face is
// slanted, with them nothing is synthesised.
TEST(FindFontFile, SlantsTheUprightFaceOnlyWhenNoObliqueFaceIsInstalled) {
  for (int weight : {400, 700}) {
    FontMatch match;
    ASSERT_TRUE(FindFontFile("DejaVu Sans", weight, true, &match));
    const bool obliqueFile = match.file.find("Oblique") != std::string::npos;
    EXPECT_NE(obliqueFile, match.needsOblique) << match.file;
    EXPECT_FALSE(match.needsEmbolden) << match.file;
  }
}

TEST(CreateFontA, PositiveHeightIsTheCellHeightAndNegativeTheCharacterHeight) {
  for (int height : {8, 12, 20, 37, 100}) {
    FontPtr font = MakeFont("Verdana", height);
    ASSERT_TRUE(font);
    const TEXTMETRICA& m = font->Metrics();
    EXPECT_EQ(m.tmHeight, height);
    EXPECT_EQ(m.tmAscent + m.tmDescent, height);
    EXPECT_GT(m.tmAscent, m.tmDescent);

    FontPtr em = MakeFont("Verdana", -height);
    ASSERT_TRUE(em);
    EXPECT_GT(em->Metrics().tmHeight, height);  // the cell holds accents and descenders
  }
  FontPtr fallback = MakeFont("Verdana", 0);
  ASSERT_TRUE(fallback);
  EXPECT_GT(fallback->Metrics().tmHeight, 0);
}

TEST(FontFace, AdvancesFollowTheFaceAndControlCodesHaveNone) {
  FontPtr regular = MakeFont("Arial", 20);
  FontPtr bold = MakeFont("Arial", 20, 700);
  ASSERT_TRUE(regular && bold);
  EXPECT_GT(regular->Advance('W'), regular->Advance('i'));
  EXPECT_GT(regular->Advance(' '), 0);
  EXPECT_GT(bold->Advance('n'), regular->Advance('n'));
  for (uint32_t code : {0u, 9u, 10u, 13u, 31u}) EXPECT_EQ(regular->Advance(code), 0) << code;
  EXPECT_EQ(regular->Advance('A'), regular->Advance('A'));  // cached value is the same
}

TEST(FontFace, RendersCoverageBelowTheBaselineOrigin) {
  FontPtr font = MakeFont("Arial", 40);
  ASSERT_TRUE(font);
  GlyphCoverage glyph;
  ASSERT_TRUE(font->Render('H', 10 << 6, 50 << 6, &glyph));
  // 'H' stands on the baseline: its ink ends at the origin row and starts right of it.
  EXPECT_EQ(glyph.top + glyph.height, 50);
  EXPECT_GE(glyph.left, 10);
  EXPECT_GT(glyph.height, 20);
  int full = 0;
  for (int i = 0; i < glyph.width; ++i) full += glyph.bytes[glyph.pitch * glyph.height / 2 + i] == 255;
  EXPECT_GT(full, 0);
  EXPECT_FALSE(font->Render(' ', 0, 0, &glyph));
  EXPECT_FALSE(font->Render(10, 0, 0, &glyph));
}

TEST(FontFace, PlainQualityRendersOnlyFullAndEmptyCoverage) {
  FontPtr mono = MakeFont("Arial", 24, 400, false, 0, NONANTIALIASED_QUALITY);
  FontPtr smooth = MakeFont("Arial", 24);
  ASSERT_TRUE(mono && smooth);
  auto partial = [](FontFace& font) {
    GlyphCoverage glyph;
    EXPECT_TRUE(font.Render('O', 0, 30 << 6, &glyph));
    int count = 0;
    for (int y = 0; y < glyph.height; ++y)
      for (int x = 0; x < glyph.width; ++x) {
        const uint8_t k = glyph.bytes[y * glyph.pitch + x];
        count += k != 0 && k != 255;
      }
    return count;
  };
  EXPECT_EQ(partial(*mono), 0);
  EXPECT_GT(partial(*smooth), 0);
}

TEST(FontFace, EscapementTurnsGlyphsCounterClockwise) {
  FontPtr turned = MakeFont("Arial", 30, 400, false, 900);
  ASSERT_TRUE(turned);
  GlyphCoverage glyph;
  ASSERT_TRUE(turned->Render('l', 100 << 6, 100 << 6, &glyph));
  // A tall 'l' turned a quarter counter-clockwise lies along the baseline, left of it.
  EXPECT_GT(glyph.width, glyph.height * 2);
  EXPECT_LE(glyph.left + glyph.width, 100 + 1);
}

TEST(DeleteObject, RefusesNull) { EXPECT_FALSE(DeleteObject(nullptr)); }
}  // namespace
