#include "platform/TextDrawUtf8.h"

#include <cstdint>
#include <cstring>

namespace {
bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Decodes one strict sequence at text[i]; 0 when it is invalid or runs past n.
int DecodeStrict(const uint8_t* text, int i, int n, uint32_t* code) {
  const uint8_t lead = text[i];
  int length = 0;
  uint32_t value = 0;
  uint32_t minimum = 0;
  if (lead < 0x80) {
    *code = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (n - i < length) return 0;
  for (int k = 1; k < length; ++k) {
    if (!IsContinuation(text[i + k])) return 0;
    value = value << 6 | (text[i + k] & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) return 0;
  *code = value;
  return length;
}
}  // namespace

int Utf8ToUtf16(const char* text, int count, char16_t* out, int capacity) {
  if (text == nullptr || count == 0) return 0;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  const int n = count < 0 ? static_cast<int>(std::strlen(text)) + 1 : count;
  int written = 0;
  for (int i = 0; i < n;) {
    uint32_t code = 0;
    const int length = DecodeStrict(bytes, i, n, &code);
    if (length == 0) return 0;
    i += length;
    const int units = code >= 0x10000 ? 2 : 1;
    if (out != nullptr) {
      if (written + units > capacity) return 0;
      if (units == 2) {
        out[written] = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        out[written + 1] = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
      } else {
        out[written] = static_cast<char16_t>(code);
      }
    }
    written += units;
  }
  return written;
}
