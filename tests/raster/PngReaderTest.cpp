#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include "PngTestImages.h"
#include "RasterTestUtil.h"
#include "raster/ImageReaders.h"
#include "raster/PngReader.h"

using namespace rtest;
namespace fs = std::filesystem;

namespace {

PngImage RandomImage(int colourType, int bitDepth, int width = 13, int height = 7) {
  std::mt19937 random(colourType * 100 + bitDepth);
  PngImage image;
  image.width = width, image.height = height;
  image.colourType = colourType, image.bitDepth = bitDepth;
  const int limit = (1 << bitDepth) - 1;
  for (int i = 0; i < width * height * Channels(colourType); ++i) {
    image.samples.push_back(uint16_t(random() % (limit + 1)));
  }
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    for (int i = 0; i <= limit; ++i) {
      image.palette.push_back({png_byte(i * 37), png_byte(255 - i), png_byte(i * 11 + 3)});
    }
  }
  return image;
}

int To8(int v, int depth) {
  return depth == 16 ? v >> 8 : depth == 8 ? v : v * 255 / ((1 << depth) - 1);
}

// What the loader must make of each pixel: 8-bit straight ARGB, sample values as stored.
PIX_PixelValue Expected(const PngImage& image, int index) {
  const int n = Channels(image.colourType), d = image.bitDepth;
  const uint16_t* s = &image.samples[size_t(index) * n];
  const auto& t = image.transparency;
  switch (image.colourType) {
    case PNG_COLOR_TYPE_PALETTE: {
      const png_color c = image.palette[s[0]];
      return Px(c.blue, c.green, c.red, s[0] < t.size() ? t[s[0]] : 255);
    }
    case PNG_COLOR_TYPE_GRAY: {
      const int g = To8(s[0], d);
      return Px(g, g, g, !t.empty() && s[0] == t[0] ? 0 : 255);
    }
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return Px(To8(s[0], d), To8(s[0], d), To8(s[0], d), To8(s[1], d));
    case PNG_COLOR_TYPE_RGB: {
      const bool clear = !t.empty() && s[0] == t[0] && s[1] == t[1] && s[2] == t[2];
      return Px(To8(s[2], d), To8(s[1], d), To8(s[0], d), clear ? 0 : 255);
    }
    default:
      return Px(To8(s[2], d), To8(s[1], d), To8(s[0], d), To8(s[3], d));
  }
}

void ExpectDecodes(const PngImage& image, const char* name) {
  const std::vector<unsigned char> png = EncodePng(image);
  std::unique_ptr<PIX_MemBitmap> bitmap(PIX_ReadPngMemory(png.data(), int(png.size())));
  ASSERT_NE(bitmap, nullptr) << name;
  ASSERT_EQ(bitmap->Width(), image.width) << name;
  ASSERT_EQ(bitmap->Height(), image.height) << name;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      ASSERT_EQ(bitmap->Row(y)[x], Expected(image, y * image.width + x))
          << name << " at " << x << "," << y;
    }
  }
}

TEST(PngReader, DecodesEveryColourTypeAndDepth) {
  const struct { const char* name; int type, depth; } kinds[] = {
      {"grey 1", PNG_COLOR_TYPE_GRAY, 1},          {"grey 2", PNG_COLOR_TYPE_GRAY, 2},
      {"grey 4", PNG_COLOR_TYPE_GRAY, 4},          {"grey 8", PNG_COLOR_TYPE_GRAY, 8},
      {"grey 16", PNG_COLOR_TYPE_GRAY, 16},        {"grey alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
      {"grey alpha 16", PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {"rgb 8", PNG_COLOR_TYPE_RGB, 8},
      {"rgb 16", PNG_COLOR_TYPE_RGB, 16},          {"rgba 8", PNG_COLOR_TYPE_RGB_ALPHA, 8},
      {"rgba 16", PNG_COLOR_TYPE_RGB_ALPHA, 16},   {"palette 1", PNG_COLOR_TYPE_PALETTE, 1},
      {"palette 2", PNG_COLOR_TYPE_PALETTE, 2},    {"palette 4", PNG_COLOR_TYPE_PALETTE, 4},
      {"palette 8", PNG_COLOR_TYPE_PALETTE, 8},
  };
  for (const auto& kind : kinds) ExpectDecodes(RandomImage(kind.type, kind.depth), kind.name);
}

TEST(PngReader, AppliesTransparencyChunks) {
  PngImage palette = RandomImage(PNG_COLOR_TYPE_PALETTE, 4);
  palette.transparency = {0, 128, 255, 7, 64};  // entries after the fifth stay opaque
  ExpectDecodes(palette, "palette with tRNS");

  PngImage grey = RandomImage(PNG_COLOR_TYPE_GRAY, 2, 40, 5);
  grey.transparency = {2};
  ExpectDecodes(grey, "grey 2 with tRNS");

  PngImage rgb = RandomImage(PNG_COLOR_TYPE_RGB, 8, 4, 2);
  rgb.samples[3] = 10, rgb.samples[4] = 20, rgb.samples[5] = 30;
  rgb.transparency = {10, 20, 30};
  ExpectDecodes(rgb, "rgb with tRNS");
}

TEST(PngReader, DecodesInterlacedImages) {
  PngImage image = RandomImage(PNG_COLOR_TYPE_RGB_ALPHA, 8, 17, 11);
  image.interlaced = true;
  ExpectDecodes(image, "interlaced rgba");
}

// Replaces the CRC of the chunk whose data starts at offset with a correct one.
void FixCrc(std::vector<unsigned char>& png, size_t lengthOffset, size_t dataLength) {
  const uLong crc = crc32(0, &png[lengthOffset + 4], uInt(dataLength + 4));
  for (int i = 0; i < 4; ++i) png[lengthOffset + 8 + dataLength + i] = (crc >> (24 - 8 * i)) & 255;
}

TEST(PngReader, RejectsShortTruncatedAndCorruptData) {
  const std::vector<unsigned char> png = EncodePng(RandomImage(PNG_COLOR_TYPE_RGB, 8, 30, 30));
  std::vector<unsigned char> badSignature = png;
  badSignature[7] = 0x0B;
  EXPECT_EQ(PIX_ReadPngMemory(png.data(), 7), nullptr);
  EXPECT_EQ(PIX_ReadPngMemory(badSignature.data(), int(png.size())), nullptr);
  EXPECT_EQ(PIX_ReadPngMemory(nullptr, 100), nullptr);
  // Every truncation inside the header or image data fails: the missing bytes read as zeros
  // and break a chunk check. The closing IEND chunk (12 bytes) is never read.
  const size_t imageEnd = png.size() - 12;
  std::unique_ptr<PIX_MemBitmap> withoutEnd(PIX_ReadPngMemory(png.data(), int(imageEnd)));
  EXPECT_NE(withoutEnd, nullptr);
  for (size_t length = 8; length < imageEnd; ++length) {
    std::unique_ptr<PIX_MemBitmap> bitmap(PIX_ReadPngMemory(png.data(), int(length)));
    EXPECT_EQ(bitmap, nullptr) << "truncated to " << length;
  }
  std::vector<unsigned char> corrupt = png;
  corrupt[png.size() / 2] ^= 0x55;  // inside the image data: its CRC no longer matches
  EXPECT_EQ(PIX_ReadPngMemory(corrupt.data(), int(corrupt.size())), nullptr);
}

TEST(PngReader, HeaderSizeThatCannotBeAllocatedFailsCleanly) {
  std::vector<unsigned char> png = EncodePng(RandomImage(PNG_COLOR_TYPE_RGB_ALPHA, 8, 4, 4));
  const unsigned char huge[8] = {0x00, 0x0F, 0x42, 0x40, 0x00, 0x0F, 0x42, 0x40};  // 10^6 x 10^6
  std::memcpy(&png[16], huge, 8);
  FixCrc(png, 8, 13);
  EXPECT_EQ(PIX_ReadPngMemory(png.data(), int(png.size())), nullptr);
}

class PngFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("tessaly_png_" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "dir.png");
    fs::create_directories(dir_ / "dir");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const PngImage& image) {
    const std::string path = (dir_ / name).string();
    const std::vector<unsigned char> png = EncodePng(image);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    std::fwrite(png.data(), 1, png.size(), file.get());
    return path;
  }

  fs::path dir_;
};

TEST_F(PngFiles, DecodesIntoAGivenBitmapOrANewOne) {
  const PngImage image = RandomImage(PNG_COLOR_TYPE_RGB_ALPHA, 8, 20, 30);
  const std::string path = Write("image.png", image);
  PIX_MemBitmap reuse(10, 10);
  EXPECT_EQ(PIX_ReadPngFile(path.c_str(), &reuse), &reuse);
  EXPECT_EQ(reuse.Width(), 20);
  EXPECT_EQ(reuse.Height(), 30);
  EXPECT_EQ(reuse.Row(29)[19], Expected(image, 30 * 20 - 1));

  std::unique_ptr<PIX_IBitmap> fresh(PIX_ReadPngFile(path.c_str(), nullptr));
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(Pixels(*fresh), Pixels(reuse));

  BottomUpBitmap bottomUp;
  ASSERT_EQ(PIX_ReadPngFile(path.c_str(), &bottomUp), &bottomUp);
  EXPECT_EQ(Pixels(bottomUp), Pixels(reuse));
}

TEST_F(PngFiles, FailuresReturnNullAndKeepAGivenBitmap) {
  const std::string text = (dir_ / "text.png").string();
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(text.c_str(), "wb"), std::fclose);
  std::fputs("not an image", file.get());
  file.reset();
  PIX_MemBitmap reuse(3, 3);
  EXPECT_EQ(PIX_ReadPngFile(text.c_str(), &reuse), nullptr);
  EXPECT_EQ(reuse.Width(), 3);
  EXPECT_EQ(PIX_ReadPngFile((dir_ / "missing.png").c_str(), nullptr), nullptr);
  EXPECT_EQ(PIX_ReadPngFile(nullptr, nullptr), nullptr);
}

TEST_F(PngFiles, ExtensionCheckAcceptsOnlyAFinalPngExtension) {
  const PngImage image = RandomImage(PNG_COLOR_TYPE_GRAY, 8, 2, 2);
  const struct { const char* name; bool accepted; } cases[] = {
      {"a.PNG", true}, {"dir/x.png", true}, {"x.png.bak", false}, {"dir.png/x", false},
      {"\xff\xfe.png", true},  // not UTF-8: opened as given
  };
  for (const auto& c : cases) {
    const std::string path = Write(c.name, image);
    std::unique_ptr<PIX_IBitmap> checked(PIX_ReadPngByName(path.c_str(), true, nullptr));
    EXPECT_EQ(checked != nullptr, c.accepted) << c.name;
    std::unique_ptr<PIX_IBitmap> unchecked(PIX_ReadPngByName(path.c_str(), false, nullptr));
    EXPECT_NE(unchecked, nullptr) << c.name;
  }
}

TEST(ImageReaders, ThePngReaderIsRegistered) {
  const ImageReaderEntry* entry = PIX_ImageReaders();
  ASSERT_NE(entry, nullptr);
  while (entry != nullptr && entry->read != PIX_ReadPngByName) entry = entry->next;
  ASSERT_NE(entry, nullptr);
  const char* filter = entry->filterText();
  EXPECT_STREQ(filter, "PNG files (*.PNG)");
  filter += std::strlen(filter) + 1;
  EXPECT_STREQ(filter, "*.PNG");
  EXPECT_STREQ(filter + std::strlen(filter) + 1, "");
}

TEST(ImageReaders, RegisteringAReaderAgainListsItOnce) {
  PIX_RegisterImageReader(PIX_PngReaderEntry());
  PIX_RegisterImageReader(nullptr);
  int listed = 0;
  for (const ImageReaderEntry* e = PIX_ImageReaders(); e != nullptr; e = e->next) {
    listed += e == PIX_PngReaderEntry() ? 1 : 0;
  }
  EXPECT_EQ(listed, 1);
}

}  // namespace
