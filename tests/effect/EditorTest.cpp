// Tessaly's editor as the effect builds it: its controls, the values that reach them from
// every road, the redraw of what changed, and the picture the pass draws.

#include <memory>
#include <string>
#include <vector>

#include "VstTestHost.h"
#include "gui/BitmapTextControl.h"
#include "gui/Graphics.h"
#include "effect/TessalyResources.h"
#include "gui/ImageCache.h"
#include "raster/Composite.h"
#include "raster/MemBitmap.h"

using Editor = VstTestHost;

namespace {
enum Control { kBackground, kKnob, kMonoFader, kStereoFader, kGainText, kMonoText, kStereoText, kVersion };

IGraphics& Graphics(AEffect* effect) {
  return dynamic_cast<IGraphics&>(*static_cast<Tessaly*>(effect->object)->Editor());
}

std::string Text(AEffect* effect, int control) {
  return static_cast<IBitmapTextControl*>(Graphics(effect).Control(control))->Text();
}

bool SameRect(const IRectangle& a, const IRectangle& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void SetDb(AEffect* effect, int index, const char* text) {
  effect->dispatcher(effect, effString2Parameter, index, 0, const_cast<char*>(text), 0.0f);
}

// Runs redraw passes until no control is dirty.
void DrawUntilClean(IGraphics& graphics) {
  IRectangle area{0, 0, 0, 0};
  while (graphics.FindDirtyArea(area)) {
    graphics.RedrawArea(area);
    area = IRectangle{0, 0, 0, 0};
  }
}

// The region of the surface at rect, as the pass drew it.
std::vector<PIX_PixelValue> Region(const PIX_IBitmap& bitmap, const IRectangle& rect) {
  std::vector<PIX_PixelValue> pixels;
  for (int y = rect.top; y < rect.bottom; ++y) {
    pixels.insert(pixels.end(), bitmap.Row(y) + rect.left, bitmap.Row(y) + rect.right);
  }
  return pixels;
}

// What rect should show: the background with one frame of a strip blended over it.
std::vector<PIX_PixelValue> Expected(IGraphics& graphics, const IRectangle& rect, int strip,
                                     int frameCount, bool horizontal, int frame,
                                     const IRectangle& frameRect) {
  const IImageStrip background = graphics.LoadImageStrip(102, "resources/img/tessalyBack.png");
  const IImageStrip image = graphics.LoadImageStrip(strip, "x.png", frameCount, horizontal);
  PIX_MemBitmap expected(background.width, background.height);
  PIX_Composite(&expected, background.image, 0, 0, nullptr, 1.0f, 0);
  const IFrameOffset offset = IGraphics::FrameOffset(image, frame);
  const IRectangle source{offset.x, offset.y, offset.x + frameRect.right - frameRect.left,
                          offset.y + frameRect.bottom - frameRect.top};
  PIX_Composite(&expected, image.image, frameRect.left, frameRect.top, &source, 1.0f, 0x10000);
  return Region(expected, rect);
}
}  // namespace

TEST_F(Editor, HasEightControlsInOrderWithTheirRectanglesAndParameters) {
  AEffect* effect = Create();
  IGraphics& graphics = Graphics(effect);
  EXPECT_EQ(graphics.Width(), 274);
  EXPECT_EQ(graphics.Height(), 438);
  EXPECT_EQ(graphics.FrameRate(), 25);
  const struct {
    IRectangle rect;
    int parameter;
  } expected[] = {
      {{0, 0, 274, 438}, -1},    {{113, 333, 161, 381}, 0}, {{48, 106, 92, 393}, 1},
      {{197, 106, 241, 393}, 2}, {{103, 315, 171, 330}, -1}, {{21, 95, 103, 110}, -1},
      {{171, 95, 249, 110}, -1}, {{200, 422, 268, 435}, -1},
  };
  ASSERT_EQ(graphics.ControlCount(), 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_TRUE(SameRect(graphics.Control(i)->Rect(), expected[i].rect)) << i;
    EXPECT_EQ(graphics.Control(i)->ParamIdx(), expected[i].parameter) << i;
  }
  EXPECT_EQ(Text(effect, kVersion), "v2.0.1");
  EXPECT_EQ(effect->flags & effFlagsHasEditor, effFlagsHasEditor);
}

TEST_F(Editor, ValuesFromEveryRoadReachTheControlsAndReadouts) {
  AEffect* effect = Create();
  // Read-outs stay empty until the host opens the plug-in, which announces every value.
  EXPECT_EQ(Text(effect, kGainText), "");
  Dispatch(effect, effOpen);
  EXPECT_EQ(Text(effect, kGainText), "0.00");
  EXPECT_EQ(Text(effect, kMonoText), "0.00");

  effect->setParameter(effect, 0, 0.0f);  // host automation
  EXPECT_EQ(Graphics(effect).Control(kKnob)->Value(), 0.0);
  EXPECT_EQ(Text(effect, kGainText), "-#$");

  SetDb(effect, 1, "-6.34");  // a value typed into the host
  EXPECT_EQ(Text(effect, kMonoText), "-6.3");
  EXPECT_NEAR(Graphics(effect).Control(kMonoFader)->Value(), Plugin(effect).Parameter(1)->NormalisedValue(), 1e-12);

  Dispatch(effect, effSetProgram, 0, 1);  // "Stereo Enhance": Stereo +3 dB
  EXPECT_EQ(Text(effect, kStereoText), "3.00");
  EXPECT_EQ(Text(effect, kGainText), "0.00");

  void* data = nullptr;
  const intptr_t size = Dispatch(effect, effGetChunk, 1, 0, &data);
  std::vector<uint8_t> saved(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  SetDb(effect, 2, "-20");
  EXPECT_EQ(Text(effect, kStereoText), "-20");
  Dispatch(effect, effSetChunk, 1, size, saved.data());  // a project restored
  EXPECT_EQ(Text(effect, kStereoText), "3.00");
  EXPECT_NEAR(Graphics(effect).Control(kStereoFader)->Value(), Plugin(effect).Parameter(2)->NormalisedValue(),
              1e-12);
}

TEST_F(Editor, AChangeFromTheHostRedrawsOnlyItsControlsForTwoPasses) {
  AEffect* effect = CreateRunning();
  IGraphics& graphics = Graphics(effect);
  DrawUntilClean(graphics);
  effect->setParameter(effect, 0, 0.25f);
  for (int pass = 0; pass < 2; ++pass) {
    IRectangle area{0, 0, 0, 0};
    ASSERT_TRUE(graphics.FindDirtyArea(area)) << pass;
    // The knob and, on the first pass, its read-out above it.
    const IRectangle expected = pass == 0 ? IRectangle{103, 315, 171, 381} : IRectangle{113, 333, 161, 381};
    EXPECT_TRUE(SameRect(area, expected)) << pass << ": " << area.left << "," << area.top << ","
                                          << area.right << "," << area.bottom;
    graphics.RedrawArea(area);
  }
  IRectangle area{0, 0, 0, 0};
  EXPECT_FALSE(graphics.FindDirtyArea(area));
  // A value that shows the same text leaves the read-out alone.
  SetDb(effect, 1, "-6.31");
  DrawUntilClean(graphics);
  SetDb(effect, 1, "-6.33");
  EXPECT_FALSE(graphics.Control(kMonoText)->NeedsRedraw());
}

TEST_F(Editor, DraggingTheKnobMovesGainAndTellsTheHost) {
  AEffect* effect = CreateRunning();
  IGraphics& graphics = Graphics(effect);
  const double before = Plugin(effect).Parameter(0)->NormalisedValue();
  requests.clear();
  graphics.MousePressed(137, 357, IMouseModifiers{true, false, false, false, false});
  graphics.MouseDragged(137, 357 - 48, IMouseModifiers{true, false, false, false, false});
  graphics.MouseReleased(300, 500, IMouseModifiers{false, false, false, false, false});
  EXPECT_NEAR(Plugin(effect).Parameter(0)->NormalisedValue(), before + 48.0 / 192.0, 1e-9);
  EXPECT_EQ(CountRequests(audioMasterBeginEdit), 1);
  EXPECT_EQ(CountRequests(audioMasterEndEdit), 1);
  EXPECT_GE(CountRequests(audioMasterAutomate), 1);
  EXPECT_NE(Text(effect, kGainText), "0.00");
}

TEST_F(Editor, TheDrawnPictureHasEachControlWhereTheLayoutPutsIt) {
  AEffect* effect = CreateRunning();
  SetDb(effect, 0, "-94");  // knob at its first frame
  SetDb(effect, 1, "6");    // Mono fader at the top
  SetDb(effect, 2, "-94");  // Stereo fader at the bottom
  IGraphics& graphics = Graphics(effect);
  graphics.RedrawArea(IRectangle{0, 0, 274, 438});
  const PIX_IBitmap& surface = *graphics.Surface();

  const IRectangle knob{113, 333, 161, 381};
  EXPECT_EQ(Region(surface, knob), Expected(graphics, knob, 101, 100, false, 1, knob));
  const IRectangle monoTrack{48, 106, 92, 393};
  EXPECT_EQ(Region(surface, monoTrack), Expected(graphics, monoTrack, 104, 1, false, 1, {48, 106, 92, 174}));
  const IRectangle stereoTrack{197, 106, 241, 393};
  EXPECT_EQ(Region(surface, stereoTrack),
            Expected(graphics, stereoTrack, 104, 1, false, 1, {197, 325, 241, 393}));
  // "-#$" centred in the Gain read-out: three 6-pixel cells from x 128; '-' is frame 14.
  const IRectangle minus{128, 315, 134, 326};
  EXPECT_EQ(Region(surface, minus), Expected(graphics, minus, 103, 95, true, '-' - 31, minus));
}

TEST_F(Editor, InstancesShareTheDecodedImages) {
  AEffect* first = Create();
  const int cached = ImageCache::Instance().EntryCount();
  EXPECT_GE(cached, 4);
  AEffect* second = Create();
  EXPECT_EQ(ImageCache::Instance().EntryCount(), cached);
  const IImageStrip a = Graphics(first).LoadImageStrip(101, "resources/img/knob.png", 100);
  const IImageStrip b = Graphics(second).LoadImageStrip(101, "resources/img/knob.png", 100);
  ASSERT_NE(a.image, nullptr);
  EXPECT_EQ(a.image, b.image);
  EXPECT_EQ(a.width, 48);
  EXPECT_EQ(a.height, 4800);
}

TEST(ResourceImages, LoadByNumberWhenTheNameEndsInPngInAnyCase) {
  IGraphicsWin graphics(nullptr, 10, 10, 25);
  graphics.SetModuleHandle(TessalyResources());
  const struct {
    int number;
    const char* name;
    int width;  // 0: nothing loads
    int height;
  } cases[] = {
      {101, "resources/img/knob.png", 48, 4800}, {102, "back.PNG", 274, 438},
      {103, "font.Png", 570, 11},                {104, ".png", 44, 68},
      {0x10000 + 104, "cap.png", 44, 68},        {101, "knob.bmp", 0, 0},
      {101, "png", 0, 0},                        {101, nullptr, 0, 0},
      {105, "missing.png", 0, 0},
  };
  for (const auto& c : cases) {
    std::unique_ptr<PIX_IBitmap> image(graphics.LoadResourceImage(c.number, c.name));
    EXPECT_EQ(image != nullptr, c.width > 0) << c.number << " " << (c.name ? c.name : "null");
    if (!image) continue;
    EXPECT_EQ(image->Width(), c.width);
    EXPECT_EQ(image->Height(), c.height);
  }
  graphics.SetModuleHandle(nullptr);
  EXPECT_EQ(graphics.LoadResourceImage(101, "knob.png"), nullptr);
}
