#pragma once
// A plain heap bitmap (decoded images live in these). Rows are padded to a multiple of 4
// pixels and start 64-byte aligned. The block grows to five quarters of what a larger size
// needs and never shrinks, so repeated resizing seldom reallocates.

#include "raster/Bitmap.h"

class PIX_MemBitmap : public PIX_IBitmap {
 public:
  // Empty; sized only when both arguments are greater than 0.
  PIX_MemBitmap(int width = 0, int height = 0);
  ~PIX_MemBitmap() override;
  PIX_MemBitmap(const PIX_MemBitmap&) = delete;
  PIX_MemBitmap& operator=(const PIX_MemBitmap&) = delete;

  PIX_PixelValue* PixelData() const override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int RowStride() const override { return (width_ + kRowMask) & ~kRowMask; }
  // Keeps the pixel bytes; an allocation failure leaves an empty bitmap and returns true.
  bool SetSize(int width, int height) override;

  // Usable bytes of the block.
  int Capacity() const { return capacity_; }

 private:
  static constexpr int kRowMask = 3;
  static constexpr int kAlignment = 64;

  bool Reserve(int bytes);
  void Release();

  unsigned char* storage_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int capacity_ = 0;
};
