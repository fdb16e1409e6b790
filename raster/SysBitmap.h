#pragma once
// A bitmap whose pixels are selected into a device context, so that system text drawing
// can write into them and the editor window can present them. It keeps its pixel block
// when made smaller, or larger within the allocated size, so that scratch surfaces resized
// per glyph do not reallocate. Rows are padded to a multiple of 4 pixels.

#include "platform/DeviceContext.h"
#include "raster/Bitmap.h"

class PIX_SysBitmap : public PIX_IBitmap {
 public:
  PIX_SysBitmap(int width, int height);
  ~PIX_SysBitmap() override;
  PIX_SysBitmap(const PIX_SysBitmap&) = delete;
  PIX_SysBitmap& operator=(const PIX_SysBitmap&) = delete;

  PIX_PixelValue* PixelData() const override { return pixels_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int RowStride() const override { return allocatedWidth_; }
  bool SetSize(int width, int height) override;
  ::DeviceContext* DeviceContext() const override { return context_; }

 private:
  void ReleasePixels();

  int width_ = 0;
  int height_ = 0;
  ::DeviceContext* context_ = nullptr;
  PIX_PixelValue* pixels_ = nullptr;
  int allocatedWidth_ = 0;
  int allocatedHeight_ = 0;
  // What the context had selected before our pixels; given back when they are freed.
  ::DeviceContext::Target previousTarget_;
};
