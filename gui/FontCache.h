#pragma once
// The process-wide cache of system fonts, keyed by size, orientation, font style and face
// name. Each distinct font is created once per process; the cache owns the fonts and
// frees them when the module is unloaded. Its mutex is held only while the list is read
// or extended, never while a font is created.

#include <memory>
#include <mutex>
#include <vector>

#include "gui/TextStyle.h"
#include "raster/CachedFont.h"

class FontCache {
 public:
  static FontCache& Instance();

  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The first font added for a style of the same size, orientation, font style and face
  // name (compared exactly), or null.
  PIX_CachedFont* Find(const ITextStyle& style);
  // Takes ownership of font and appends it under the style's key. A null font is not added.
  void Add(PIX_CachedFont* font, const ITextStyle& style);
  int EntryCount();

 private:
  struct Entry {
    int size;
    int orientation;
    int fontStyle;
    char fontName[ITextStyle::kFontNameSize];
    std::unique_ptr<PIX_CachedFont> font;
  };

  FontCache() = default;
  static bool Matches(const Entry& entry, const ITextStyle& style);

  std::mutex mutex_;
  std::vector<Entry> entries_;
};
