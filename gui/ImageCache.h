#pragma once
// The process-wide cache of decoded images, keyed by resource number. Each image is
// decoded once per process and shared by every editor; the cache owns the images and
// frees them when the module is unloaded. Its mutex is held only while the list is read
// or extended, never while an image is decoded.

#include <memory>
#include <mutex>
#include <vector>

#include "raster/Bitmap.h"

class ImageCache {
 public:
  static ImageCache& Instance();

  ImageCache(const ImageCache&) = delete;
  ImageCache& operator=(const ImageCache&) = delete;

  // The first image added under number, or null.
  PIX_IBitmap* Find(int number);
  // Takes ownership of image and appends it under number, without looking for an existing
  // entry. A null image is not added.
  void Add(PIX_IBitmap* image, int number);
  int EntryCount();
  // Asks every image for its pixels, so that images that decode on first use are ready
  // before a redraw needs them; the mutex is not held while they decode.
  void DecodeAll();

 private:
  struct Entry {
    int number;
    std::unique_ptr<PIX_IBitmap> image;
  };

  ImageCache() = default;

  std::mutex mutex_;
  std::vector<Entry> entries_;
};
