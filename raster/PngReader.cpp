#include "raster/PngReader.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "raster/ImageReaders.h"

namespace {

const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr int kAlphaFlag = PNG_COLOR_MASK_ALPHA;

// Read-callback state of the memory decoder.
struct MemoryPngSource {
  const unsigned char* next;
  int left;
};

// Reading past the end yields zero bytes; libpng's chunk checks then fail the decode.
void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<MemoryPngSource*>(png_get_io_ptr(png));
  std::memset(out, 0, count);
  const png_size_t n = count < png_size_t(source->left) ? count : png_size_t(source->left);
  std::memcpy(out, source->next, n);
  source->next += n;
  source->left -= static_cast<int>(n);
}

// The libpng read and info structures, destroyed together on every way out.
class PngDecoder {
 public:
  PngDecoder() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~PngDecoder() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
  PngDecoder(const PngDecoder&) = delete;
  PngDecoder& operator=(const PngDecoder&) = delete;

  bool Valid() const { return png_ != nullptr && info_ != nullptr; }
  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

// Reads the header and requests the transformations that turn every colour type and bit
// depth into four bytes per pixel: alpha, red, green, blue.
void RequestArgb(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height) {
  png_read_info(png, info);
  int bitDepth, colourType, interlace, compression, filter;
  png_get_IHDR(png, info, width, height, &bitDepth, &colourType, &interlace, &compression,
               &filter);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    colourType |= kAlphaFlag;
  }
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  if (colourType & kAlphaFlag) {
    png_set_swap_alpha(png);
  } else {
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
  }
}

// Decoded bytes alpha, red, green, blue become pixels (in memory blue, green, red, alpha).
void ArgbBytesToPixels(PIX_IBitmap* bitmap) {
  for (int y = 0; y < bitmap->Height(); ++y) {
    PIX_PixelValue* row = bitmap->Row(y);
    for (int x = 0; x < bitmap->Width(); ++x) {
      const auto* b = reinterpret_cast<const unsigned char*>(row + x);
      row[x] = PIX_PixelValue(b[3]) | PIX_PixelValue(b[2]) << 8 | PIX_PixelValue(b[1]) << 16 |
               PIX_PixelValue(b[0]) << 24;
    }
  }
}

// Decodes the image that the decoder's input delivers into target (a given bitmap, or a
// new one when target is null). Returns the bitmap, or null after destroying any bitmap it
// created. The error return point lives here: no object with a destructor is created
// between setjmp and a possible longjmp into it.
PIX_IBitmap* Decode(const PngDecoder& decoder, PIX_IBitmap* target) {
  png_structp png = decoder.Png();
  png_infop info = decoder.Info();
  PIX_IBitmap* volatile bitmap = target;
  PIX_IBitmap* volatile created = nullptr;
  png_bytep* volatile rows = nullptr;
  if (setjmp(png_jmpbuf(png))) {
    delete[] rows;
    delete created;
    return nullptr;
  }
  png_uint_32 width = 0, height = 0;
  RequestArgb(png, info, &width, &height);
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) png_error(png, "size");
  if (bitmap != nullptr) {
    bitmap->SetSize(int(width), int(height));
  } else {
    bitmap = created = new (std::nothrow) PIX_MemBitmap(int(width), int(height));
  }
  if (bitmap == nullptr || bitmap->Width() != int(width) || bitmap->Height() != int(height)) {
    png_error(png, "bitmap");
  }
  rows = new (std::nothrow) png_bytep[height];
  if (rows == nullptr) png_error(png, "rows");
  for (png_uint_32 y = 0; y < height; ++y) {
    rows[y] = reinterpret_cast<png_bytep>(bitmap->Row(int(y)));
  }
  png_read_image(png, rows);
  delete[] rows;
  ArgbBytesToPixels(bitmap);
  return bitmap;
}

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

// Linux paths are byte strings: a UTF-8 path and the path as given are the same bytes, so
// one open serves both.
FILE* OpenForReading(const char* path) { return std::fopen(path, "rb"); }

bool HasPngExtension(const char* path) {
  const char* start = nullptr;
  for (const char* p = path + 1; *p != '\0'; ++p) {
    if (*p == '.' || *p == '/' || *p == '\\') start = p;
  }
  if (start == nullptr) start = path;
  const char* expected = ".png";
  for (; *start != '\0' && *expected != '\0'; ++start, ++expected) {
    const char lower = (*start >= 'A' && *start <= 'Z') ? char(*start - 'A' + 'a') : *start;
    if (lower != *expected) return false;
  }
  return *start == '\0' && *expected == '\0';
}

}  // namespace

PIX_MemBitmap* PIX_ReadPngMemory(const unsigned char* bytes, int length) {
  if (bytes == nullptr || length < 8 || std::memcmp(bytes, kSignature, 8) != 0) return nullptr;
  PngDecoder decoder;
  if (!decoder.Valid()) return nullptr;
  MemoryPngSource source{bytes, length};
  png_set_read_fn(decoder.Png(), &source, ReadFromMemory);
  return static_cast<PIX_MemBitmap*>(Decode(decoder, nullptr));
}

PIX_IBitmap* PIX_ReadPngFile(const char* path, PIX_IBitmap* reuse) {
  if (path == nullptr) return nullptr;
  const std::unique_ptr<FILE, FileCloser> file(OpenForReading(path));
  if (!file) return nullptr;
  PngDecoder decoder;
  if (!decoder.Valid()) return nullptr;
  png_init_io(decoder.Png(), file.get());
  return Decode(decoder, reuse);
}

PIX_IBitmap* PIX_ReadPngByName(const char* path, bool checkExtension, PIX_IBitmap* reuse) {
  if (path == nullptr || (checkExtension && !HasPngExtension(path))) return nullptr;
  return PIX_ReadPngFile(path, reuse);
}

const char* PIX_PngFilterText() { return "PNG files (*.PNG)\0*.PNG\0"; }

ImageReaderEntry* PIX_PngReaderEntry() {
  static ImageReaderEntry entry{PIX_ReadPngByName, PIX_PngFilterText, nullptr};
  return &entry;
}
