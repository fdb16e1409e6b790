#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "raster/MemBitmap.h"
#include "raster/PngReader.h"
#include "raster/PngWriter.h"

namespace {
std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() /
          (std::string("pngwriter-") + std::to_string(getpid()) + "-" + name))
      .string();
}

TEST(PngWriter, WrittenFilesReadBackPixelForPixelWithAlpha) {
  PIX_MemBitmap image(7, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) image.Row(y)[x] = (0x11u * x) << 24 | 0x00102030u * (y + 1) | x;
  }
  const std::string path = TempPath("round.png");
  ASSERT_TRUE(PIX_WritePngFile(image, path.c_str()));
  std::unique_ptr<PIX_IBitmap> read(PIX_ReadPngFile(path.c_str(), nullptr));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->Width(), 7);
  ASSERT_EQ(read->Height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(read->Row(y)[x], image.Row(y)[x]) << x << "," << y;
  }
  std::filesystem::remove(path);
}

TEST(PngWriter, RefusesEmptyBitmapsAndUnwritablePathsLeavingNoFile) {
  PIX_MemBitmap empty(0, 0);
  const std::string path = TempPath("empty.png");
  EXPECT_FALSE(PIX_WritePngFile(empty, path.c_str()));
  EXPECT_FALSE(std::filesystem::exists(path));
  PIX_MemBitmap image(2, 2);
  EXPECT_FALSE(PIX_WritePngFile(image, "/nonexistent-folder/x.png"));
  EXPECT_FALSE(PIX_WritePngFile(image, nullptr));
}
}  // namespace
