#include "raster/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {
void PackRow(const PIX_PixelValue* pixels, int width, png_byte* row) {
  for (int x = 0; x < width; ++x) {
    row[4 * x] = pixels[x] >> 16 & 0xFF;
    row[4 * x + 1] = pixels[x] >> 8 & 0xFF;
    row[4 * x + 2] = pixels[x] & 0xFF;
    row[4 * x + 3] = pixels[x] >> 24;
  }
}

// libpng reports errors by longjmp; only plain data lives in this frame.
bool Encode(const PIX_IBitmap& bitmap, std::FILE* file, png_byte* row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool written = false;
  if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, bitmap.Width(), bitmap.Height(), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < bitmap.Height(); ++y) {
      PackRow(bitmap.Row(y), bitmap.Width(), row);
      png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  return written;
}
}  // namespace

bool PIX_WritePngFile(const PIX_IBitmap& bitmap, const char* path) {
  if (path == nullptr || bitmap.PixelData() == nullptr || bitmap.Width() <= 0 ||
      bitmap.Height() <= 0) {
    return false;
  }
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  std::vector<png_byte> row(static_cast<size_t>(bitmap.Width()) * 4);
  const bool encoded = Encode(bitmap, file, row.data());
  const bool closed = std::fclose(file) == 0;
  if (encoded && closed) return true;
  std::remove(path);
  return false;
}
