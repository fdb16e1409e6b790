#include "gui/FontCache.h"

#include <cstring>

#include "core/TextField.h"

FontCache& FontCache::Instance() {
  static FontCache cache;
  return cache;
}

bool FontCache::Matches(const Entry& entry, const ITextStyle& style) {
  return entry.size == style.size && entry.orientation == style.orientation &&
         entry.fontStyle == style.fontStyle &&
         std::strncmp(entry.fontName, style.fontName, ITextStyle::kFontNameSize) == 0;
}

PIX_CachedFont* FontCache::Find(const ITextStyle& style) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const Entry& entry : entries_) {
    if (Matches(entry, style)) return entry.font.get();
  }
  return nullptr;
}

void FontCache::Add(PIX_CachedFont* font, const ITextStyle& style) {
  if (font == nullptr) return;
  Entry entry{style.size, style.orientation, style.fontStyle, {}, std::unique_ptr<PIX_CachedFont>(font)};
  CopyField(entry.fontName, ITextStyle::kFontNameSize, style.fontName);
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.push_back(std::move(entry));
}

int FontCache::EntryCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(entries_.size());
}
