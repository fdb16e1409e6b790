#include "raster/PngImage.h"

#include <cstring>

#include "raster/BitmapSize.h"
#include "raster/PngReader.h"

namespace {
constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kHeaderEnd = 8 + 8 + 13;  // signature, IHDR length and type, IHDR data
constexpr int64_t kLargestImageBytes = int64_t{1} << 30;

uint32_t BigEndian32(const unsigned char* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// The image size from the IHDR chunk that must follow the signature; false when the
// header is missing, malformed or of a size too large to hold.
bool ReadHeaderSize(const unsigned char* bytes, int length, int* width, int* height) {
  if (bytes == nullptr || length < kHeaderEnd) return false;
  if (std::memcmp(bytes, kSignature, sizeof kSignature) != 0) return false;
  if (BigEndian32(bytes + 8) != 13 || std::memcmp(bytes + 12, "IHDR", 4) != 0) return false;
  const uint32_t w = BigEndian32(bytes + 16);
  const uint32_t h = BigEndian32(bytes + 20);
  if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return pix::PaddedBlockBytes(*width, *height, kLargestImageBytes) > 0;
}
}  // namespace

PIX_PngImage* PIX_PngImage::FromMemory(const unsigned char* bytes, int length) {
  int width = 0;
  int height = 0;
  if (!ReadHeaderSize(bytes, length, &width, &height)) return nullptr;
  return new PIX_PngImage(bytes, length, width, height);
}

PIX_PngImage::PIX_PngImage(const unsigned char* bytes, int length, int width, int height)
    : bytes_(bytes), length_(length), width_(width), height_(height) {}

void PIX_PngImage::Decode() const {
  std::call_once(decodeOnce_, [this] {
    std::unique_ptr<PIX_MemBitmap> pixels(PIX_ReadPngMemory(bytes_, length_));
    if (pixels && pixels->Width() == width_ && pixels->Height() == height_) {
      pixels_ = std::move(pixels);
    }
    decoded_ = true;
  });
}

PIX_PixelValue* PIX_PngImage::PixelData() const {
  Decode();
  return pixels_ ? pixels_->PixelData() : nullptr;
}

int PIX_PngImage::RowStride() const {
  Decode();
  return pixels_ ? pixels_->RowStride() : width_;
}

bool PIX_PngImage::SetSize(int width, int height) {
  Decode();
  if (!pixels_) return false;
  const bool changed = pixels_->SetSize(width, height);
  width_ = pixels_->Width();
  height_ = pixels_->Height();
  return changed;
}
