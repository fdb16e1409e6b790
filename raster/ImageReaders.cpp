#include "raster/ImageReaders.h"

#include <mutex>

#include "raster/PngReader.h"

namespace {
std::mutex registryMutex;
ImageReaderEntry* readerList = nullptr;

bool IsRegistered(const ImageReaderEntry* entry) {
  for (const ImageReaderEntry* e = readerList; e != nullptr; e = e->next) {
    if (e == entry) return true;
  }
  return false;
}

void PushReader(ImageReaderEntry* entry) {
  if (IsRegistered(entry)) return;
  entry->next = readerList;
  readerList = entry;
}
}  // namespace

ImageReaderEntry* PIX_ImageReaders() {
  static const bool builtInsRegistered = (PIX_RegisterImageReader(PIX_PngReaderEntry()), true);
  (void)builtInsRegistered;
  std::lock_guard<std::mutex> lock(registryMutex);
  return readerList;
}

void PIX_RegisterImageReader(ImageReaderEntry* entry) {
  if (entry == nullptr) return;
  std::lock_guard<std::mutex> lock(registryMutex);
  PushReader(entry);
}
