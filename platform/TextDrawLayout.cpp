#include "platform/TextDrawLayout.h"

#include <algorithm>

#include "platform/FontFace.h"

namespace {
constexpr uint32_t kLineFeed = 10;
constexpr uint32_t kCarriageReturn = 13;
constexpr uint32_t kPrefix = '&';

template <typename Unit>
int UnitCount(const Unit* text, int count) {
  if (text == nullptr) return 0;
  int n = 0;
  while ((count < 0 || n < count) && text[n] != 0) ++n;
  return n;
}

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

void StripPrefixes(TextDrawLayout* layout) {
  std::vector<uint32_t> codes;
  std::vector<bool> underlined;
  const std::vector<uint32_t>& in = layout->codes;
  for (size_t i = 0; i < in.size(); ++i) {
    const bool prefix = in[i] == kPrefix && i + 1 < in.size();
    if (prefix) ++i;
    codes.push_back(in[i]);
    underlined.push_back(prefix && in[i] != kPrefix);
  }
  layout->codes.swap(codes);
  layout->underlined.swap(underlined);
}

void BreakLines(const TextDrawOptions& options, FontFace& font, TextDrawLayout* layout) {
  std::vector<uint32_t>& codes = layout->codes;
  if (!options.singleLine) {
    // Carriage returns are dropped; line feeds end lines.
    size_t kept = 0;
    for (size_t i = 0; i < codes.size(); ++i) {
      if (codes[i] == kCarriageReturn) continue;
      codes[kept] = codes[i];
      layout->underlined[kept++] = layout->underlined[i];
    }
    codes.resize(kept);
    layout->underlined.resize(kept);
  }
  TextDrawLine line{0, 0, 0};
  for (size_t i = 0; i < codes.size(); ++i) {
    if (!options.singleLine && codes[i] == kLineFeed) {
      line.end = static_cast<int>(i);
      layout->lines.push_back(line);
      line = {static_cast<int>(i) + 1, 0, 0};
      continue;
    }
    line.width += font.Advance(codes[i]);
  }
  line.end = static_cast<int>(codes.size());
  layout->lines.push_back(line);
}
}  // namespace

std::vector<uint32_t> DecodeUtf16Units(const char16_t* text, int count) {
  const int n = UnitCount(text, count);
  std::vector<uint32_t> codes;
  codes.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const uint32_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
      codes.push_back(0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00u));
    } else {
      codes.push_back(unit);
    }
  }
  return codes;
}

std::vector<uint32_t> DecodeLatin1Bytes(const char* text, int count) {
  const int n = UnitCount(text, count);
  std::vector<uint32_t> codes(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) codes[i] = static_cast<unsigned char>(text[i]);
  return codes;
}

TextDrawLayout LayOutText(std::vector<uint32_t> codes, const TextDrawOptions& options,
                          FontFace& font) {
  TextDrawLayout layout;
  layout.codes = std::move(codes);
  layout.underlined.assign(layout.codes.size(), false);
  if (options.prefixes) StripPrefixes(&layout);
  BreakLines(options, font, &layout);
  for (const TextDrawLine& line : layout.lines) layout.width = std::max(layout.width, line.width);
  layout.height = static_cast<int>(layout.lines.size()) * font.Metrics().tmHeight;
  return layout;
}
