#pragma once
// PNG images written by libpng's own writer for the loader tests, the benchmark and the
// fuzz seeds: any colour type, bit depth, palette, transparency and interlacing.

#include <png.h>

#include <cstdint>
#include <vector>

namespace rtest {

struct PngImage {
  int width = 0, height = 0;
  int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  int bitDepth = 8;
  bool interlaced = false;
  // Samples row by row, channel by channel, each below 2^bitDepth (palette: indices).
  std::vector<uint16_t> samples;
  std::vector<png_color> palette;
  // Palette: alpha per entry. Grey or RGB: the transparent colour's samples.
  std::vector<uint16_t> transparency;
};

inline int Channels(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY: case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    default: return 4;
  }
}

// Packs the samples into PNG rows and encodes them.
inline std::vector<unsigned char> EncodePng(const PngImage& image) {
  std::vector<unsigned char> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, [](png_structp p, png_bytep data, png_size_t n) {
    auto* o = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(p));
    o->insert(o->end(), data, data + n);
  }, nullptr);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colourType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!image.palette.empty()) {
    png_set_PLTE(png, info, image.palette.data(), int(image.palette.size()));
  }
  if (!image.transparency.empty()) {
    if (image.colourType == PNG_COLOR_TYPE_PALETTE) {
      std::vector<png_byte> alpha(image.transparency.begin(), image.transparency.end());
      png_set_tRNS(png, info, alpha.data(), int(alpha.size()), nullptr);
    } else {
      const auto& t = image.transparency;
      png_color_16 colour{0, t[0], t.size() > 1 ? t[1] : t[0], t.size() > 2 ? t[2] : t[0], t[0]};
      png_set_tRNS(png, info, nullptr, 0, &colour);
    }
  }
  const int channels = Channels(image.colourType);
  const size_t rowBytes = (size_t(image.width) * channels * image.bitDepth + 7) / 8;
  std::vector<std::vector<png_byte>> rows(image.height, std::vector<png_byte>(rowBytes));
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < image.height; ++y) {
    for (int i = 0; i < image.width * channels; ++i) {
      const uint16_t v = image.samples[size_t(y) * image.width * channels + i];
      if (image.bitDepth == 16) {
        rows[y][2 * i] = png_byte(v >> 8), rows[y][2 * i + 1] = png_byte(v);
      } else if (image.bitDepth == 8) {
        rows[y][i] = png_byte(v);
      } else {
        const int bit = i * image.bitDepth;
        rows[y][bit / 8] |= png_byte(v << (8 - image.bitDepth - bit % 8));
      }
    }
    rowPointers.push_back(rows[y].data());
  }
  png_set_rows(png, info, rowPointers.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace rtest
