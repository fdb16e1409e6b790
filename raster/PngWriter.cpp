#include "raster/PngWriter.h"

#include <png.h>

#include <cstdio>

namespace {
void PackRow(const PIX_PixelValue* pixels, int width, png_byte* row) {
  for (int x = 0; x < width; ++x) {
    row[4 * x] = pixels[x] >> 16 & 0xFF;
    row[4 * x + 1] = pixels[x] >> 8 & 0xFF;
    row[4 * x + 2] = pixels[x] & 0xFF;
    row[4 * x + 3] = pixels[x] >> 24;
  }
}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  bytes->insert(bytes->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng reports errors by longjmp; only plain data lives in this frame.
bool Encode(const PIX_IBitmap& bitmap, std::vector<unsigned char>* bytes, png_byte* row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool encoded = false;
  if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
    png_set_write_fn(png, bytes, AppendBytes, NoFlush);
    png_set_IHDR(png, info, bitmap.Width(), bitmap.Height(), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < bitmap.Height(); ++y) {
      PackRow(bitmap.Row(y), bitmap.Width(), row);
      png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    encoded = true;
  }
  png_destroy_write_struct(&png, &info);
  return encoded;
}
}  // namespace

bool PIX_EncodePng(const PIX_IBitmap& bitmap, std::vector<unsigned char>* bytes) {
  if (bytes == nullptr || bitmap.PixelData() == nullptr || bitmap.Width() <= 0 ||
      bitmap.Height() <= 0) {
    return false;
  }
  bytes->clear();
  std::vector<png_byte> row(static_cast<size_t>(bitmap.Width()) * 4);
  return Encode(bitmap, bytes, row.data());
}

bool PIX_WritePngFile(const PIX_IBitmap& bitmap, const char* path) {
  std::vector<unsigned char> bytes;
  if (path == nullptr || !PIX_EncodePng(bitmap, &bytes)) return false;
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) == 0 && written) return true;
  std::remove(path);
  return false;
}
