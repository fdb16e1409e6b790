#pragma once
// A PNG image that knows its size from the file's header at once and decodes its pixels
// on first use. Images embedded in a module are created this way, so that creating a
// plug-in (as hosts do many times while scanning) costs no decoding; only drawing does.
// The bytes must outlive the image.

#include <atomic>
#include <memory>
#include <mutex>

#include "raster/Bitmap.h"
#include "raster/MemBitmap.h"

class PIX_PngImage : public PIX_IBitmap {
 public:
  // Null when the bytes do not begin with a PNG signature and a well-formed header of a
  // size the library can hold.
  static PIX_PngImage* FromMemory(const unsigned char* bytes, int length);

  // Decodes on the first call (once, whichever thread asks); null when the data cannot
  // be decoded into an image of the header's size.
  PIX_PixelValue* PixelData() const override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int RowStride() const override;
  // Decodes first, then resizes the decoded pixels.
  bool SetSize(int width, int height) override;

  // Whether the pixels were asked for yet.
  bool Decoded() const { return decoded_; }

 private:
  PIX_PngImage(const unsigned char* bytes, int length, int width, int height);
  void Decode() const;

  const unsigned char* bytes_;
  int length_;
  int width_;
  int height_;
  mutable std::once_flag decodeOnce_;
  mutable std::unique_ptr<PIX_MemBitmap> pixels_;
  mutable std::atomic<bool> decoded_{false};
};
