#include "raster/GlyphCache.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kExtendedGranularity = 4096;
constexpr int kStoreGranularity = 65536;
constexpr int kRecordSize = static_cast<int>(sizeof(CachedGlyph));
}  // namespace

GlyphCache::GlyphCache() : extended_(kExtendedGranularity), store_(kStoreGranularity) {
  std::memset(ascii_, 0, sizeof(ascii_));
}

void GlyphCache::Clear() {
  std::memset(ascii_, 0, sizeof(ascii_));
  extended_.SetByteSize(0, true);
  store_.SetByteSize(0, true);
}

int GlyphCache::ExtendedCount() const { return extended_.ByteCount() / kRecordSize; }

CachedGlyph* GlyphCache::Find(int code) {
  if (code < 0) return nullptr;
  if (code < kAsciiCount) return &ascii_[code];
  // Halving search of the sorted array.
  CachedGlyph* records = extended_.As<CachedGlyph>();
  int low = 0;
  int high = ExtendedCount() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    if (records[middle].code == code) return &records[middle];
    if (records[middle].code < code) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  return nullptr;
}

CachedGlyph* GlyphCache::Append(int code) {
  const int count = ExtendedCount();
  if (extended_.SetByteSize((count + 1) * kRecordSize, false) == nullptr) return nullptr;
  CachedGlyph* record = extended_.As<CachedGlyph>() + count;
  *record = CachedGlyph{0, 0, 0, 0, code};
  return record;
}

void GlyphCache::SortExtended() {
  CachedGlyph* records = extended_.As<CachedGlyph>();
  if (ExtendedCount() < 2) return;
  std::sort(records, records + ExtendedCount(),
            [](const CachedGlyph& a, const CachedGlyph& b) { return a.code < b.code; });
}

const uint8_t* GlyphCache::Image(const CachedGlyph& glyph) const {
  if (glyph.position < 1 || glyph.width < 1 || glyph.height < 1) return nullptr;
  const int64_t end = int64_t{glyph.position} - 1 + int64_t{glyph.width} * glyph.height;
  if (end > store_.ByteCount()) return nullptr;
  return store_.Bytes() + glyph.position - 1;
}
