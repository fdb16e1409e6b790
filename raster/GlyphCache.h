#pragma once
// The glyph cache of one font: a record per character (direct table for codes 0-127, an
// array sorted by code for the rest) and one byte store holding every glyph image back to
// back. Nothing is evicted; Clear empties it all.

#include <cstdint>

#include "core/HeapBuffer.h"

struct CachedGlyph {
  int32_t position;  // 1-based byte position in the store; 0 not rendered; -1 no image
  int32_t width;     // bytes per image row
  int32_t height;    // image rows
  int32_t advance;   // pen movement after the glyph
  int32_t code;
};

class GlyphCache {
 public:
  static constexpr int kAsciiCount = 128;

  GlyphCache();
  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;

  void Clear();
  // The record of a code, or null when it has none.
  CachedGlyph* Find(int code);
  // Appends a zeroed record for a code of 128 or more; null when the array cannot grow.
  // The array is unsorted until SortExtended.
  CachedGlyph* Append(int code);
  void SortExtended();
  int ExtendedCount() const;

  // The image bytes of a record, or null unless they lie wholly inside the store.
  const uint8_t* Image(const CachedGlyph& glyph) const;
  IHeapBuffer& Store() { return store_; }

 private:
  CachedGlyph ascii_[kAsciiCount];
  IHeapBuffer extended_;
  IHeapBuffer store_;
};
