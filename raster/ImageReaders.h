#pragma once
// The registry of image-file readers, offered by file extension. A singly linked list of
// static records; readers push themselves on its front during start-up.

#include "raster/Bitmap.h"

struct ImageReaderEntry {
  // Reads the file at a UTF-8 path, optionally checking its extension first, into the
  // given bitmap or a new one; null on failure.
  PIX_IBitmap* (*read)(const char* path, bool checkExtension, PIX_IBitmap* reuse);
  // File-dialog filter strings, each NUL-terminated, ended by an empty string.
  const char* (*filterText)();
  ImageReaderEntry* next;
};

// Head of the list, null when no reader is registered.
extern ImageReaderEntry* ImageReaderList;

// Pushes an entry on the front of the list.
void PIX_RegisterImageReader(ImageReaderEntry* entry);
