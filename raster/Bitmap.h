#pragma once
// The pixel format and the abstract bitmap through which every drawing routine reaches
// pixels.
//
// A pixel is blue in bits 0-7, green 8-15, red 16-23, alpha 24-31 (in memory: blue, green,
// red, alpha), with straight alpha. Rows are RowStride() pixels apart; row y starts at
// PixelData() + y * RowStride(), or at PixelData() + (Height() - 1 - y) * RowStride() for
// a bottom-up bitmap. Row() applies that rule.

#include <cstddef>
#include <cstdint>

class DeviceContext;

typedef uint32_t PIX_PixelValue;

class PIX_IBitmap {
 public:
  virtual ~PIX_IBitmap() = default;
  // Null when the bitmap has no storage.
  virtual PIX_PixelValue* PixelData() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int RowStride() const = 0;
  virtual bool IsBottomUp() const { return false; }
  // True when the size or the storage changed.
  virtual bool SetSize(int width, int height) = 0;
  // The system drawing context of the bitmap, null when it has none.
  virtual ::DeviceContext* DeviceContext() const { return nullptr; }
  // 0 means the extension is unsupported.
  virtual intptr_t QueryExtension(int code, void* data) {
    (void)code;
    (void)data;
    return 0;
  }

  // First pixel of row y (0 = top row) by the bitmap's row order; needs PixelData().
  PIX_PixelValue* Row(int y) const {
    const int stored = IsBottomUp() ? Height() - 1 - y : y;
    return PixelData() + static_cast<ptrdiff_t>(stored) * RowStride();
  }
};
