#include <gtest/gtest.h>

#include <cstdint>

#include "platform/DeviceContext.h"
#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"

namespace {

bool Aligned64(const void* p) { return reinterpret_cast<uintptr_t>(p) % 64 == 0; }

TEST(MemBitmap, StrideIsWidthRoundedUpToFourAndRowsAreAligned) {
  PIX_MemBitmap bitmap(5, 3);
  EXPECT_EQ(bitmap.RowStride(), 8);
  EXPECT_EQ(bitmap.Capacity(), 96);
  EXPECT_TRUE(Aligned64(bitmap.PixelData()));
  EXPECT_FALSE(bitmap.IsBottomUp());
  EXPECT_EQ(bitmap.DeviceContext(), nullptr);
  EXPECT_FALSE(bitmap.SetSize(5, 3));
}

TEST(MemBitmap, GrowsByFiveQuartersAndNeverShrinks) {
  PIX_MemBitmap bitmap(4, 4);
  EXPECT_EQ(bitmap.Capacity(), 64);
  EXPECT_TRUE(bitmap.SetSize(8, 8));
  EXPECT_EQ(bitmap.Capacity(), 320);
  PIX_PixelValue* pixels = bitmap.PixelData();
  EXPECT_TRUE(bitmap.SetSize(4, 4));
  EXPECT_EQ(bitmap.Capacity(), 320);
  EXPECT_EQ(bitmap.PixelData(), pixels);
}

TEST(MemBitmap, EmptyOrUnallocatableSizesLeaveAnEmptyBitmap) {
  const struct { int w, h; } sizes[] = {{0, 10}, {-4, -4}, {10, -1}, {1 << 30, 1 << 30},
                                        {INT32_MAX, 1}};
  for (const auto& size : sizes) {
    PIX_MemBitmap bitmap(4, 4);
    EXPECT_TRUE(bitmap.SetSize(size.w, size.h));
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.Capacity(), 0);
  }
}

TEST(SysBitmap, KeepsItsPixelsWithinTheAllocatedSize) {
  PIX_SysBitmap bitmap(10, 10);
  ASSERT_NE(bitmap.PixelData(), nullptr);
  EXPECT_EQ(bitmap.RowStride(), 12);
  EXPECT_FALSE(bitmap.SetSize(10, 10));
  PIX_PixelValue* pixels = bitmap.PixelData();
  for (const auto& size : {std::pair{12, 10}, std::pair{3, 2}}) {
    EXPECT_TRUE(bitmap.SetSize(size.first, size.second));
    EXPECT_EQ(bitmap.PixelData(), pixels);
    EXPECT_EQ(bitmap.RowStride(), 12);
    EXPECT_EQ(bitmap.Width(), size.first);
  }
  EXPECT_TRUE(bitmap.SetSize(13, 10));
  EXPECT_EQ(bitmap.RowStride(), 16);
  EXPECT_TRUE(Aligned64(bitmap.PixelData()));
}

TEST(SysBitmap, SelectsItsPixelsIntoItsDeviceContext) {
  PIX_SysBitmap bitmap(10, 7);
  DeviceContext* context = bitmap.DeviceContext();
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->CurrentTarget().pixels, bitmap.PixelData());
  EXPECT_EQ(context->CurrentTarget().width, 12);
  EXPECT_EQ(context->CurrentTarget().height, 7);
  EXPECT_EQ(context->CurrentTarget().rowStride, 12);
  EXPECT_FALSE(bitmap.SetSize(0, 5));
  EXPECT_EQ(bitmap.PixelData(), nullptr);
  EXPECT_EQ(context->CurrentTarget().pixels, nullptr);
}

TEST(SysBitmap, UnallocatableSizeLeavesAnEmptyBitmap) {
  PIX_SysBitmap bitmap(4, 4);
  EXPECT_TRUE(bitmap.SetSize(INT32_MAX, INT32_MAX));
  EXPECT_EQ(bitmap.PixelData(), nullptr);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);
  EXPECT_TRUE(bitmap.SetSize(4, 4));
  EXPECT_NE(bitmap.PixelData(), nullptr);
}

TEST(DeviceContext, RecordsSelectionsAndReturnsThePreviousOnes) {
  DeviceContext context;
  EXPECT_EQ(context.TextColour(), 0x000000u);
  EXPECT_EQ(context.BackgroundColour(), 0xFFFFFFu);
  EXPECT_EQ(context.BackgroundMode(), DeviceContext::kOpaque);
  int font;
  EXPECT_EQ(context.SelectFont(&font), nullptr);
  EXPECT_EQ(context.SelectFont(nullptr), &font);
  EXPECT_EQ(context.SetTextColour(0x0000FF), 0x000000u);
  EXPECT_EQ(context.SetBackgroundMode(DeviceContext::kTransparent), DeviceContext::kOpaque);
  EXPECT_EQ(context.SetBackgroundMode(7), 0);
  EXPECT_EQ(context.BackgroundMode(), DeviceContext::kTransparent);
}

}  // namespace
