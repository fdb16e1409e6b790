#include "raster/Utf8.h"

namespace {
constexpr uint16_t kSpace = 32;

bool IsContinuation(uint8_t byte) { return byte >= 0x80 && byte <= 0xBF; }

// True when the bytes after text[0] are n continuation bytes within available.
bool ContinuationsFollow(const uint8_t* text, int available, int n) {
  if (available <= n) return false;
  for (int k = 1; k <= n; ++k) {
    if (!IsContinuation(text[k])) return false;
  }
  return true;
}
}  // namespace

int DecodeUtf8CharIn(const uint8_t* text, int available, uint16_t* code) {
  const uint8_t lead = text[0];
  if (lead >= 0xC2 && lead <= 0xDF && ContinuationsFollow(text, available, 1)) {
    *code = static_cast<uint16_t>((lead & 0x1F) << 6 | (text[1] & 0x3F));
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF && ContinuationsFollow(text, available, 2)) {
    *code = static_cast<uint16_t>((lead & 0x0F) << 12 | (text[1] & 0x3F) << 6 | (text[2] & 0x3F));
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4 && ContinuationsFollow(text, available, 3)) {
    *code = kSpace;
    return 4;
  }
  *code = lead;
  return 1;
}

// A zero byte is not a continuation, so the scan stops at the terminator.
int DecodeUtf8Char(const uint8_t* text, uint16_t* code) { return DecodeUtf8CharIn(text, 4, code); }

bool HasUtf8SequenceIn(const char* text, int limit) {
  if (text == nullptr) return false;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  for (int i = 0; (limit < 0 || i < limit) && bytes[i] != 0; ++i) {
    const int available = limit < 0 ? 4 : limit - i;
    const uint8_t lead = bytes[i];
    if (lead >= 0xC2 && lead <= 0xDF && ContinuationsFollow(bytes + i, available, 1)) return true;
    if (lead >= 0xE0 && lead <= 0xF4 && ContinuationsFollow(bytes + i, available, 2)) return true;
  }
  return false;
}

bool HasUtf8Sequence(const char* text) { return HasUtf8SequenceIn(text, -1); }
