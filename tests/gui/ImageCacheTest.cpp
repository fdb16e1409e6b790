#include <gtest/gtest.h>

#include "core/TestEffect.h"
#include "gui/BitmapTextControl.h"
#include "gui/ImageCache.h"
#include "gui/TestGraphics.h"

namespace guitest {
namespace {

constexpr int kSharedImage = 9201;
constexpr int kMissingImage = 9202;
constexpr int kBackground = 9203;

TEST(ImageCache, EachImageIsDecodedOncePerProcessAndSharedByEveryEditor) {
  RegisterImage(kSharedImage, 6, 8, [](int x, int y) { return 0xFF000000u | (y * 6 + x); });
  const int entries = ImageCache::Instance().EntryCount();
  TestEffect firstPlugin, secondPlugin;
  TestGraphics first(&firstPlugin), second(&secondPlugin);

  const IImageStrip a = first.LoadImageStrip(kSharedImage, "a.png", 2);
  const IImageStrip b = second.LoadImageStrip(kSharedImage, "a.png", 4, true);

  EXPECT_EQ(DecodeCount(kSharedImage), 1);
  EXPECT_EQ(ImageCache::Instance().EntryCount(), entries + 1);
  ASSERT_NE(a.image, nullptr);
  EXPECT_EQ(a.image, b.image);
  EXPECT_EQ(a.image->Row(7)[5], 0xFF00002Fu);
  EXPECT_EQ(a.width, 6);
  EXPECT_EQ(a.height, 8);
  EXPECT_EQ(a.FrameHeight(), 4);
  EXPECT_EQ(b.FrameWidth(), 1);
  EXPECT_TRUE(b.framesHorizontal);
}

TEST(ImageCache, AFailedLoadGivesAnEmptyStripAndIsTriedAgainNextTime) {
  TestEffect plugin;
  TestGraphics graphics(&plugin);
  const int entries = ImageCache::Instance().EntryCount();

  const IImageStrip strip = graphics.LoadImageStrip(kMissingImage, "missing.png", 100);
  EXPECT_EQ(strip.image, nullptr);
  EXPECT_EQ(strip.width, 0);
  EXPECT_EQ(strip.height, 0);
  EXPECT_EQ(ImageCache::Instance().EntryCount(), entries);

  RegisterImage(kMissingImage, 2, 2, [](int, int) { return 0xFFFFFFFFu; });
  EXPECT_NE(graphics.LoadImageStrip(kMissingImage, "missing.png").image, nullptr);
  EXPECT_EQ(ImageCache::Instance().EntryCount(), entries + 1);
}

TEST(ImageCache, TheBackgroundGoesUnderEveryControlAndIsLeftOutWhenItCannotLoad) {
  RegisterImage(kBackground, 30, 20, [](int, int) { return 0xFF123456u; });
  TestEffect plugin;
  TestGraphics graphics(&plugin, 30, 20);
  graphics.SetBackgroundImage(kMissingImage + 1000, "nothing.png");
  EXPECT_EQ(graphics.ControlCount(), 0);

  const IImageStrip strip = graphics.LoadImageStrip(kBackground, "b.png");
  IControl* top = new IBitmapTextControl(&plugin, {0, 0, 30, 20}, strip);
  EXPECT_EQ(graphics.AddControl(top), 0);
  graphics.SetBackgroundImage(kBackground, "b.png");
  ASSERT_EQ(graphics.ControlCount(), 2);
  EXPECT_EQ(graphics.Control(1), top);
  const IRectangle& r = graphics.Control(0)->Rect();
  EXPECT_EQ(r.right - r.left, 30);
  EXPECT_EQ(r.bottom - r.top, 20);
  EXPECT_EQ(graphics.Control(0)->Blend().method, BLEND_OPAQUE);
}

}  // namespace
}  // namespace guitest
