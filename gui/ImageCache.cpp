#include "gui/ImageCache.h"

ImageCache& ImageCache::Instance() {
  static ImageCache cache;
  return cache;
}

PIX_IBitmap* ImageCache::Find(int number) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const Entry& entry : entries_) {
    if (entry.number == number) return entry.image.get();
  }
  return nullptr;
}

void ImageCache::Add(PIX_IBitmap* image, int number) {
  if (image == nullptr) return;
  std::unique_ptr<PIX_IBitmap> owned(image);
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.push_back({number, std::move(owned)});
}

int ImageCache::EntryCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(entries_.size());
}

void ImageCache::DecodeAll() {
  std::vector<PIX_IBitmap*> images;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Entry& entry : entries_) images.push_back(entry.image.get());
  }
  // Entries live until the module unloads, so the pointers stay valid outside the lock.
  for (PIX_IBitmap* image : images) image->PixelData();
}
