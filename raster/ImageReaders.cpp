#include "raster/ImageReaders.h"

ImageReaderEntry* ImageReaderList = nullptr;

void PIX_RegisterImageReader(ImageReaderEntry* entry) {
  entry->next = ImageReaderList;
  ImageReaderList = entry;
}
