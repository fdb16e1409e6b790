#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/DeviceContext.h"
#include "platform/FontFace.h"
#include "platform/FontSelection.h"
#include "platform/TextDraw.h"

namespace {
constexpr uint32_t kPaper = 0xFF102030;

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

// A pixel surface with a device context drawing into it and one font selected.
class Canvas {
 public:
  Canvas(int width, int height, const char* face = "Arial", int fontHeight = 20,
         int escapement = 0, uint32_t quality = 0)
      : width_(width), height_(height), pixels_(size_t(width) * height, kPaper) {
    dc_.SelectTarget({pixels_.data(), width, height, width});
    dc_.SetBackgroundMode(DeviceContext::kTransparent);
    dc_.SetTextColour(0xFFFFFF);
    font_ = CreateFontA(fontHeight, 0, escapement, escapement, 400, 0, 0, 0, 0, 0, 0, quality,
                        0, face);
    SelectObject(&dc_, font_);
  }
  ~Canvas() {
    SelectObject(&dc_, nullptr);
    DeleteObject(font_);
  }

  DeviceContext* dc() { return &dc_; }
  FontFace* font() { return font_; }
  uint32_t At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

  // Box of every pixel that is no longer the paper colour.
  Ink InkBox() const {
    Ink ink;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) != kPaper) {
          ink.left = std::min(ink.left, x);
          ink.top = std::min(ink.top, y);
          ink.right = std::max(ink.right, x + 1);
          ink.bottom = std::max(ink.bottom, y + 1);
        }
    return ink;
  }

  int Draw(const char* text, TextRect rect, uint32_t format) {
    return DrawTextA(&dc_, text, -1, &rect, format | DT_NOPREFIX);
  }

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
  DeviceContext dc_;
  FontFace* font_ = nullptr;
};

TextRect Measure(DeviceContext* dc, const char16_t* text, uint32_t format = 0) {
  TextRect rect{5, 7, 5, 7};
  DrawTextW(dc, text, -1, &rect, format | DT_CALCRECT | DT_NOPREFIX);
  return rect;
}

int Width(const TextRect& r) { return r.right - r.left; }
int Height(const TextRect& r) { return r.bottom - r.top; }

TEST(DrawText, MeasuresLinesWithAdvancesAndCellHeight) {
  Canvas canvas(10, 10);
  FontFace& font = *canvas.font();
  const int cell = font.Metrics().tmHeight;
  TextRect rect{5, 7, 5, 7};
  EXPECT_EQ(DrawTextW(canvas.dc(), u"Wiggle", -1, &rect, DT_CALCRECT | DT_SINGLELINE), cell);
  int sum = 0;
  for (char c : std::string("Wiggle")) sum += font.Advance(uint32_t(c));
  EXPECT_EQ(rect.left, 5);
  EXPECT_EQ(rect.top, 7);
  EXPECT_EQ(Width(rect), sum);
  EXPECT_EQ(Height(rect), cell);

  struct Case {
    const char16_t* text;
    uint32_t format;
    int lines;
    const char16_t* widest;
  } cases[] = {
      {u"ab\ncdef\nW", 0, 3, u"cdef"},
      {u"ab\r\ncdef", 0, 2, u"cdef"},
      {u"a\rb", 0, 1, u"ab"},
      {u"ab\ncdef", DT_SINGLELINE, 1, u"abcdef"},
      {u"\n\n", 0, 3, u""},
  };
  for (const Case& c : cases) {
    const TextRect r = Measure(canvas.dc(), c.text, c.format);
    EXPECT_EQ(Height(r), c.lines * cell) << std::string(c.text, c.text + 3);
    EXPECT_EQ(Width(r), Width(Measure(canvas.dc(), c.widest, DT_SINGLELINE)));
  }
}

TEST(DrawText, WideAndSingleByteFormsAgreeAndCountLimitsTheText) {
  Canvas canvas(10, 10);
  TextRect a{0, 0, 0, 0};
  DrawTextA(canvas.dc(), "caf\xE9 bar", -1, &a, DT_CALCRECT);
  EXPECT_EQ(Width(a), Width(Measure(canvas.dc(), u"caf\u00E9 bar")));
  TextRect part{0, 0, 0, 0};
  DrawTextA(canvas.dc(), "caf\xE9 bar", 3, &part, DT_CALCRECT);
  EXPECT_EQ(Width(part), Width(Measure(canvas.dc(), u"caf")));
  // A count past the terminating zero stops at the zero.
  TextRect over{0, 0, 0, 0};
  DrawTextA(canvas.dc(), "caf", 1000, &over, DT_CALCRECT);
  EXPECT_EQ(Width(over), Width(part));
  // A surrogate pair is one character.
  TextRect pair{0, 0, 0, 0};
  DrawTextW(canvas.dc(), u"\U0001D11E", -1, &pair, DT_CALCRECT);
  EXPECT_EQ(Width(pair), canvas.font()->Advance(0x1D11E));
}

TEST(DrawText, PrefixesAreStrippedUnlessNoPrefixIsGiven) {
  Canvas canvas(10, 10);
  auto width = [&](const char16_t* text, uint32_t format) {
    TextRect r{0, 0, 0, 0};
    DrawTextW(canvas.dc(), text, -1, &r, format | DT_CALCRECT);
    return Width(r);
  };
  EXPECT_EQ(width(u"&File", 0), width(u"File", DT_NOPREFIX));
  EXPECT_EQ(width(u"a&&b", 0), width(u"a&b", DT_NOPREFIX));
  EXPECT_GT(width(u"&File", DT_NOPREFIX), width(u"File", DT_NOPREFIX));
}

TEST(DrawText, BadArgumentsDrawNothingAndReturnZero) {
  Canvas canvas(40, 40);
  TextRect rect{0, 0, 40, 40};
  EXPECT_EQ(DrawTextA(nullptr, "x", -1, &rect, 0), 0);
  EXPECT_EQ(DrawTextA(canvas.dc(), "x", -1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextA(canvas.dc(), nullptr, -1, &rect, 0), 0);
  EXPECT_EQ(DrawTextA(canvas.dc(), "x", 0, &rect, 0), 0);
  EXPECT_EQ(DrawTextW(canvas.dc(), u"", -1, &rect, 0), 0);
  TextRect inverted{30, 30, 10, 10};
  EXPECT_EQ(DrawTextA(canvas.dc(), "xyz", -1, &inverted, DT_NOPREFIX), canvas.font()->Metrics().tmHeight);
  EXPECT_TRUE(canvas.InkBox().Empty());
  // A context without pixels measures and "draws" without touching memory.
  DeviceContext bare;
  SelectObject(&bare, canvas.font());
  EXPECT_GT(DrawTextA(&bare, "xyz", -1, &rect, 0), 0);
  TEXTMETRICA metrics{};
  EXPECT_TRUE(GetTextMetricsA(&bare, &metrics));
  EXPECT_EQ(metrics.tmHeight, 20);
  EXPECT_FALSE(GetTextMetricsA(nullptr, &metrics));
}

TEST(DrawText, DefaultFontDrawsWhenNoneIsSelected) {
  Canvas canvas(100, 40);
  SelectObject(canvas.dc(), nullptr);
  EXPECT_GT(canvas.Draw("Abc", {0, 0, 100, 40}, 0), 0);
  EXPECT_FALSE(canvas.InkBox().Empty());
}

TEST(DrawText, AlignmentPlacesTheTextInItsRectangle) {
  struct Case {
    uint32_t format;
    bool centredX, rightX, centredY, bottomY;
  } cases[] = {{0, false, false, false, false},
               {DT_CENTER, true, false, false, false},
               {DT_RIGHT, false, true, false, false},
               {DT_SINGLELINE | DT_VCENTER, false, false, true, false},
               {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, false, true, false, true},
               {DT_VCENTER, false, false, false, false}};  // multi-line text stays on top
  const TextRect box{20, 10, 220, 110};
  for (const Case& c : cases) {
    Canvas canvas(240, 120);
    const TextRect size = Measure(canvas.dc(), u"HHH");
    const int returned = canvas.Draw("HHH", box, c.format);
    const Ink ink = canvas.InkBox();
    ASSERT_FALSE(ink.Empty());
    int left = box.left;
    if (c.centredX) left = box.left + (200 - Width(size)) / 2;
    if (c.rightX) left = box.right - Width(size);
    int top = box.top;
    if (c.centredY) top = box.top + (100 - Height(size)) / 2;
    if (c.bottomY) top = box.bottom - Height(size);
    // 'H' has a small side bearing and stands between the cell's top and its baseline.
    EXPECT_NEAR(ink.left, left, 3) << c.format;
    EXPECT_NEAR(ink.right, left + Width(size), 3) << c.format;
    EXPECT_GT(ink.top, top) << c.format;
    EXPECT_LE(ink.bottom, top + canvas.font()->Metrics().tmAscent + 1) << c.format;
    EXPECT_EQ(returned, top - box.top + Height(size)) << c.format;
  }
}

TEST(DrawText, NothingIsDrawnOutsideTheRectangleUnlessNoClip) {
  const char* text = "WWWWWWWW\nWWWWWWWW\nWWWWWWWW";
  const TextRect boxes[] = {{10, 10, 30, 25}, {-20, -20, 15, 15}, {50, 40, 200, 200}};
  for (const TextRect& box : boxes) {
    for (uint32_t format : {0u, DT_CENTER, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE}) {
      Canvas canvas(60, 50, "Arial", 30);
      canvas.Draw(text, box, format);
      const Ink ink = canvas.InkBox();
      if (ink.Empty()) continue;
      EXPECT_GE(ink.left, std::max(box.left, 0));
      EXPECT_GE(ink.top, std::max(box.top, 0));
      EXPECT_LE(ink.right, box.right);
      EXPECT_LE(ink.bottom, box.bottom);
    }
  }
  Canvas canvas(60, 50, "Arial", 30);
  canvas.Draw(text, {10, 10, 30, 25}, DT_NOCLIP);
  EXPECT_GT(canvas.InkBox().right, 30);
}

TEST(DrawText, CoverageBlendsTheTextColourAndOpaqueModeFillsTheCells) {
  Canvas canvas(200, 40, "Arial", 30);
  canvas.dc()->SetTextColour(0x0000FF);  // red
  canvas.Draw("HO", {0, 0, 200, 40}, 0);
  int full = 0, partial = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) {
      const uint32_t p = canvas.At(x, y);
      if (p == kPaper) continue;
      if (p == 0xFFFF0000) {
        ++full;
      } else {
        ++partial;
        EXPECT_GE(p >> 16 & 0xFF, 0x10u);  // between the paper and red
        EXPECT_LE(p & 0xFF, 0x30u);
      }
    }
  EXPECT_GT(full, 50);
  EXPECT_GT(partial, 10);

  Canvas opaque(200, 40, "Arial", 20);
  opaque.dc()->SetBackgroundMode(DeviceContext::kOpaque);
  opaque.dc()->SetBackgroundColour(0x00FF00);
  opaque.Draw("a b", {10, 5, 200, 40}, 0);
  const TextRect size = Measure(opaque.dc(), u"a b");
  const Ink ink = opaque.InkBox();
  EXPECT_EQ(ink.left, 10);
  EXPECT_EQ(ink.top, 5);
  EXPECT_EQ(ink.right, 10 + Width(size));
  EXPECT_EQ(ink.bottom, 5 + Height(size));
  EXPECT_EQ(opaque.At(10, 5), 0xFF00FF00u);
}

TEST(DrawText, PlainQualityDrawsOnlyTheTextColour) {
  Canvas canvas(120, 40, "Arial", 24, 0, NONANTIALIASED_QUALITY);
  canvas.Draw("Sow", {0, 0, 120, 40}, 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const uint32_t p = canvas.At(x, y);
      EXPECT_TRUE(p == kPaper || p == 0xFFFFFFFF) << std::hex << p;
    }
}

TEST(DrawText, EscapementDrawsUpwardFromTheReferencePoint) {
  Canvas canvas(60, 200, "Arial", 20, 900);
  canvas.Draw("Level", {10, 150, 60, 200}, DT_NOCLIP);
  const Ink ink = canvas.InkBox();
  ASSERT_FALSE(ink.Empty());
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  EXPECT_LE(ink.bottom, 152);
  EXPECT_GE(ink.left, 10);
}
}  // namespace
