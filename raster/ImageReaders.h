#pragma once
// The registry of image-file readers, offered by file extension. A singly linked list of
// static records. The built-in readers are registered by the first call of
// PIX_ImageReaders, so that no reader depends on a static initialiser, which a static
// library would leave out of a program that names nothing else of that reader's file.

#include "raster/Bitmap.h"

struct ImageReaderEntry {
  // Reads the file at a UTF-8 path, optionally checking its extension first, into the
  // given bitmap or a new one; null on failure.
  PIX_IBitmap* (*read)(const char* path, bool checkExtension, PIX_IBitmap* reuse);
  // File-dialog filter strings, each NUL-terminated, ended by an empty string.
  const char* (*filterText)();
  ImageReaderEntry* next;
};

// Head of the list, the built-in readers included.
ImageReaderEntry* PIX_ImageReaders();

// Pushes an entry on the front of the list; an entry already in it is left where it is.
void PIX_RegisterImageReader(ImageReaderEntry* entry);
