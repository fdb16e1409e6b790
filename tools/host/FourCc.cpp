#include "tools/host/FourCc.h"

#include <cstdio>

std::string FourCcText(int32_t id) {
  const auto bits = static_cast<uint32_t>(id);
  std::string chars;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((bits >> shift) & 0xFF);
    if (c < 0x20 || c > 0x7E) {
      chars.clear();
      break;
    }
    chars += c;
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", bits);
  return chars.empty() ? std::string(hex) : "'" + chars + "' (" + hex + ")";
}
