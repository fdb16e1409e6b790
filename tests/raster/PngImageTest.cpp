#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "raster/MemBitmap.h"
#include "raster/PngImage.h"
#include "raster/PngReader.h"
#include "raster/PngWriter.h"

namespace {
std::vector<unsigned char> EncodedImage(int width, int height) {
  PIX_MemBitmap image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.Row(y)[x] = 0xFF000000u | (x * 40) << 8 | y * 30;
  }
  std::vector<unsigned char> bytes;
  EXPECT_TRUE(PIX_EncodePng(image, &bytes));
  return bytes;
}

TEST(PngImage, KnowsItsSizeAtOnceAndDecodesOnFirstUse) {
  const std::vector<unsigned char> bytes = EncodedImage(5, 7);
  std::unique_ptr<PIX_PngImage> image(PIX_PngImage::FromMemory(bytes.data(), static_cast<int>(bytes.size())));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 5);
  EXPECT_EQ(image->Height(), 7);
  EXPECT_FALSE(image->Decoded());
  ASSERT_NE(image->PixelData(), nullptr);
  EXPECT_TRUE(image->Decoded());
  std::unique_ptr<PIX_MemBitmap> direct(PIX_ReadPngMemory(bytes.data(), static_cast<int>(bytes.size())));
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(image->Row(y)[x], direct->Row(y)[x]);
  }
}

TEST(PngImage, RefusesWhatHasNoHeaderAndDrawsNothingOfUndecodableData) {
  std::vector<unsigned char> bytes = EncodedImage(4, 4);
  const int length = static_cast<int>(bytes.size());
  EXPECT_EQ(PIX_PngImage::FromMemory(nullptr, length), nullptr);
  EXPECT_EQ(PIX_PngImage::FromMemory(bytes.data(), 28), nullptr);  // header cut short
  std::vector<unsigned char> wrongSignature = bytes;
  wrongSignature[1] = 'Q';
  EXPECT_EQ(PIX_PngImage::FromMemory(wrongSignature.data(), length), nullptr);
  std::vector<unsigned char> zeroWidth = bytes;
  zeroWidth[16] = zeroWidth[17] = zeroWidth[18] = zeroWidth[19] = 0;
  EXPECT_EQ(PIX_PngImage::FromMemory(zeroWidth.data(), length), nullptr);
  std::vector<unsigned char> huge = bytes;
  huge[16] = huge[20] = 0x7F;  // about 2^30 pixels a side
  EXPECT_EQ(PIX_PngImage::FromMemory(huge.data(), length), nullptr);

  // A sound header over damaged data: the size is known, the pixels never come.
  std::unique_ptr<PIX_PngImage> truncated(PIX_PngImage::FromMemory(bytes.data(), 40));
  ASSERT_NE(truncated, nullptr);
  EXPECT_EQ(truncated->Width(), 4);
  EXPECT_EQ(truncated->PixelData(), nullptr);
  EXPECT_EQ(truncated->PixelData(), nullptr);
}
}  // namespace
